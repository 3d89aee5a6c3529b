// Helpers shared by the tests: scratch folders, files, pictures written as text.
#ifndef TORVI_TESTS_TEST_UTIL_H_
#define TORVI_TESTS_TEST_UTIL_H_

#include <stdlib.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "failure.h"
#include "picture/load.h"
#include "picture/picture.h"

// A folder of its own for one test, removed with everything in it afterwards.
class TempDir {
 public:
  TempDir() {
    char tmpl[] = "/tmp/torvi-test-XXXXXX";
    path_ = mkdtemp(tmpl);
  }
  ~TempDir() {
    std::string cmd = "chmod -R u+rwx '" + path_ + "' 2>/dev/null; rm -rf '" + path_ + "'";
    if (system(cmd.c_str()) != 0) {
    }
  }
  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

inline void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

inline bool Exists(const std::string& path) {
  return access(path.c_str(), F_OK) == 0;
}

inline Picture DecodeBytes(const std::string& bytes) {
  MemorySource source(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  return DecodeBitmap(source, bytes.size());
}

// The picture's pixels, top row first, '1' white and '0' black.
inline std::vector<std::string> Rows(const Picture& picture) {
  std::vector<std::string> rows;
  for (int32_t y = 0; y < picture.Height(); ++y) {
    std::string row;
    for (int32_t x = 0; x < picture.Width(); ++x) row += picture.Pixel(x, y) ? '1' : '0';
    rows.push_back(row);
  }
  return rows;
}

// A picture from rows of '1' (white) and '0' (black), top row first.
inline Picture MakePicture(int32_t width, const std::vector<std::string>& rows) {
  Picture picture(width, static_cast<int32_t>(rows.size()));
  for (int32_t y = 0; y < picture.Height(); ++y) {
    uint8_t* row = picture.Stored(picture.Height() - 1 - y);
    for (int32_t b = 0; b < picture.RowBytes(); ++b) {
      unsigned v = 0;
      for (int i = 0; i < 8; ++i) {
        int32_t x = b * 8 + i;
        v = v << 1 | (x >= width || rows[y][x] == '1');
      }
      row[b] = static_cast<uint8_t>(v);
    }
  }
  return picture;
}

// The failure's kind, or "" when the bytes load.
inline std::string FailureOf(const std::string& bytes) {
  try {
    DecodeBytes(bytes);
  } catch (const Exception& e) {
    return e.ClassName();
  }
  return "";
}

#endif  // TORVI_TESTS_TEST_UTIL_H_
