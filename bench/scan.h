// A scan-like test picture: mostly white paper with black text lines, a frame, a red disc and a
// pale grey bar (254, 254, 254), as a bitmap file in any of the layouts the benchmarks time.
#ifndef TORVI_BENCH_SCAN_H_
#define TORVI_BENCH_SCAN_H_

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace scan {

// The picture's colour at (x, y), y = 0 the top row, as an index into kColours.
inline const uint32_t kColours[4] = {0xFFFFFF, 0x000000, 0xD02020, 0xFEFEFE};

inline int ColourAt(int64_t x, int64_t y, int64_t w, int64_t h) {
  int64_t m = w / 20;
  if (x < m || x >= w - m || y < m || y >= h - m) return 0;                  // margins
  if (x < m + 4 || x >= w - m - 4 || y < m + 4 || y >= h - m - 4) return 1;  // frame
  int64_t dx = x - w / 4, dy = y - h / 4, r = w / 10;
  if (dx * dx + dy * dy < r * r) return 2;                     // a red disc
  if (y > h / 2 && y < h / 2 + h / 40 && x > w / 2) return 3;  // a pale grey bar
  int64_t line = (y - m) % 24;                                 // text: lines of word-like dashes
  if (line >= 6 && line < 16 && y > h / 2 + h / 20) {
    uint64_t word =
        static_cast<uint64_t>((x - m) / 40) * 2654435761u + static_cast<uint64_t>(y / 24);
    return (word >> 7) % 5 != 0 && (x - m) % 40 < 32 && (x + y * 3) % 7 != 0 ? 1 : 0;
  }
  return 0;
}

inline void Put(std::vector<uint8_t>& b, uint64_t v, int n) {
  for (int i = 0; i < n; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// Bits per pixel of a layout: rgb24, rgb32, pal1, pal4, pal8, rle8; 0 for an unknown one.
inline int BitsOf(const std::string& kind) {
  return kind == "rgb24"                    ? 24
         : kind == "rgb32"                  ? 32
         : kind == "pal1"                   ? 1
         : kind == "pal4"                   ? 4
         : kind == "pal8" || kind == "rle8" ? 8
                                            : 0;
}

// Calls sink(bytes, size) with the file's bytes in order: the header, then row by row, so that a
// picture larger than memory can be written out.
template <typename Sink>
void Write(const std::string& kind, int64_t w, int64_t h, Sink sink) {
  const int bits = BitsOf(kind);
  const bool rle = kind == "rle8";
  std::vector<uint8_t> palette;
  if (bits <= 8) {
    for (int i = 0; i < (1 << bits); ++i) {
      uint32_t c = i < 4 ? kColours[i] : 0x808080;
      if (bits == 1) c = i ? 0xFFFFFF : 0;  // 1 bit: index 1 white, 0 black
      Put(palette, c, 4);
    }
  }
  const uint64_t stride = (static_cast<uint64_t>(w) * bits + 31) / 32 * 4;
  auto header = [&](uint64_t image_size) {
    std::vector<uint8_t> b;
    uint64_t offset = 14 + 40 + palette.size();
    b.push_back('B');
    b.push_back('M');
    Put(b, offset + image_size, 4);
    Put(b, 0, 4);
    Put(b, offset, 4);
    Put(b, 40, 4);
    Put(b, static_cast<uint64_t>(w), 4);
    Put(b, static_cast<uint64_t>(h), 4);
    Put(b, 1, 2);
    Put(b, static_cast<uint64_t>(bits), 2);
    Put(b, rle ? 1 : 0, 4);
    Put(b, image_size, 4);
    Put(b, 2835, 4);
    Put(b, 2835, 4);
    Put(b, 0, 4);
    Put(b, 0, 4);
    b.insert(b.end(), palette.begin(), palette.end());
    return b;
  };
  std::vector<uint8_t> data;  // rle8: the whole stream, sized only once it is known
  std::vector<uint8_t> row(stride);
  std::vector<int> index(static_cast<size_t>(w));
  if (!rle) {
    auto b = header(stride * static_cast<uint64_t>(h));
    sink(b.data(), b.size());
  }
  for (int64_t y = h - 1; y >= 0; --y) {  // bottom row first
    for (int64_t x = 0; x < w; ++x) index[x] = ColourAt(x, y, w, h);
    if (rle) {
      for (int64_t x = 0; x < w;) {
        int64_t n = 1;
        while (x + n < w && n < 255 && index[x + n] == index[x]) ++n;
        data.push_back(static_cast<uint8_t>(n));
        data.push_back(static_cast<uint8_t>(index[x]));
        x += n;
      }
      data.push_back(0);
      data.push_back(y ? 0 : 1);
      continue;
    }
    memset(row.data(), 0, row.size());
    for (int64_t x = 0; x < w; ++x) {
      int i = index[x];
      uint32_t c = kColours[i];
      switch (bits) {
        case 1:
          if (i == 0) row[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
          break;
        case 4:
          row[x / 2] |= static_cast<uint8_t>(i << (x % 2 ? 0 : 4));
          break;
        case 8:
          row[x] = static_cast<uint8_t>(i);
          break;
        default:
          for (int k = 0; k < 3; ++k) row[x * bits / 8 + k] = static_cast<uint8_t>(c >> (8 * k));
      }
    }
    sink(row.data(), row.size());
  }
  if (rle) {
    auto b = header(data.size());
    sink(b.data(), b.size());
    sink(data.data(), data.size());
  }
}

// The whole file in memory.
inline std::vector<uint8_t> Bytes(const std::string& kind, int64_t w, int64_t h) {
  std::vector<uint8_t> file;
  Write(kind, w, h, [&](const uint8_t* p, size_t n) { file.insert(file.end(), p, p + n); });
  return file;
}

}  // namespace scan

#endif  // TORVI_BENCH_SCAN_H_
