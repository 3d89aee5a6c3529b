// What the fuzz targets run on one input; the regression test replays stored inputs through the
// same functions.
#ifndef TORVI_FUZZ_FUZZ_BODY_H_
#define TORVI_FUZZ_FUZZ_BODY_H_

#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "eps.h"
#include "failure.h"
#include "file.h"
#include "picture/load.h"

namespace fuzz {

// Inputs whose header claims more than this many pixels are passed over: they are valid but
// slow, and fuzzing wants many small runs.
constexpr int64_t kMaxPixels = int64_t{1} << 22;

inline bool Small(const uint8_t* data, size_t size) {
  if (size < 26) return true;
  auto le = [&](size_t at, int n) {
    int64_t v = 0;
    for (int i = n - 1; i >= 0; --i) v = v << 8 | data[at + i];
    return v;
  };
  int64_t header = le(14, 4), w, h;
  if (header == 12) {
    w = le(18, 2);
    h = le(20, 2);
  } else {
    w = static_cast<int32_t>(le(18, 4));
    h = static_cast<int32_t>(le(22, 4));
  }
  w = w < 0 ? -w : w;
  h = h < 0 ? -h : h;
  return w * h <= kMaxPixels;
}

// Loads and reduces; a failure is an answer, anything else (a crash, a sanitizer report) is not.
inline void Load(const uint8_t* data, size_t size) {
  if (!Small(data, size)) return;
  try {
    MemorySource source(data, size);
    Picture picture = DecodeBitmap(source, size);
    const int fill = picture.Width() % 8 ? 0xFF >> (picture.Width() % 8) : 0;
    for (int32_t y = 0; y < picture.Height(); ++y)
      if ((picture.Row(y)[picture.RowBytes() - 1] & fill) != fill) abort();
  } catch (const Exception&) {
  }
}

// The document as a plain, pixel-by-pixel reading of the picture gives it.
inline std::string PlainDocument(const Picture& picture) {
  const int64_t w = picture.Width(), h = picture.Height(), p = 8 * int64_t{picture.RowBytes()};
  const std::string ps = std::to_string(p), hs = std::to_string(h);
  std::string doc =
      "%!PS-Adobe-2.0 EPSF-2.0\r\n%%Title:BMP->EPS\r\n%%Creator:TORVI\r\n"
      "%%BoundingBox:10 10 " +
      std::to_string(w + 10) + " " + std::to_string(h + 10) +
      "\r\n%%EndComments\r\ngsave\r\n10 10 translate\r\n" + ps + " " + hs +
      " scale\r\n/BMPF\r\n<\r\n";
  static const char kHex[] = "0123456789ABCDEF";
  for (int64_t r = 1; r <= h; ++r) {
    for (int64_t b = 0; b < p / 8; ++b) {
      int v = 0;
      for (int i = 0; i < 8; ++i) {
        int64_t x = b * 8 + i;
        v = v << 1 | (x >= w || picture.Pixel(static_cast<int32_t>(x),
                                              static_cast<int32_t>(h - r)) == 0xFFFFFF);
      }
      doc += kHex[v >> 4];
      doc += kHex[v & 15];
    }
    doc += "\r\n";
  }
  return doc + ">def\r\n" + ps + " " + hs + " 1 [" + ps + " 0 0 " + hs +
         " 0 0] {BMPF} image\r\ngrestore\r\nshowpage\r\n";
}

// Loads, reduces and writes the whole document into memory; it must be the plain reading's.
inline void Convert(const uint8_t* data, size_t size) {
  if (!Small(data, size)) return;
  Picture picture;
  try {
    MemorySource source(data, size);
    picture = DecodeBitmap(source, size);
  } catch (const Exception&) {
    return;
  }
  int fd = memfd_create("document", 0);
  if (fd < 0) abort();
  TextFile out(size_t{1} << 12, dup(fd));
  WriteDocument(picture, out);
  std::string want = PlainDocument(picture), got(want.size() + 1, '\0');
  if (pread(fd, got.data(), got.size(), 0) != static_cast<ssize_t>(want.size())) abort();
  got.pop_back();
  close(fd);
  if (got != want) abort();
}

}  // namespace fuzz

#endif  // TORVI_FUZZ_FUZZ_BODY_H_
