// Builds bitmap files for the tests, field by field, so that any header can be written.
#ifndef TORVI_TESTS_BMP_BUILDER_H_
#define TORVI_TESTS_BMP_BUILDER_H_

#include <cstdint>
#include <string>
#include <vector>

struct Bmp {
  uint32_t header_size = 40;
  int32_t width = 1;
  int32_t height = 1;
  uint16_t planes = 1;
  uint16_t bits = 24;
  uint32_t compression = 0;
  uint32_t image_size = 0;
  uint32_t colours_used = 0;
  std::vector<uint32_t> masks;    // written after a 40-byte header, inside larger ones
  std::vector<uint32_t> palette;  // 0xRRGGBB entries
  std::vector<uint8_t> pixels;    // the pixel data as stored
  int64_t offset = -1;            // bfOffBits; -1: right after the table
  size_t gap = 0;                 // bytes of 0xEE between the table and the pixels

  std::string Bytes() const {
    std::string b = "BM";
    auto put = [&b](uint64_t v, int n) {
      for (int i = 0; i < n; ++i) b += static_cast<char>(v >> (8 * i) & 0xFF);
    };
    size_t entry = header_size == 12 ? 3 : 4;
    size_t outside_masks = header_size < 52 ? masks.size() * 4 : 0;
    size_t table_end = 14 + header_size + outside_masks + palette.size() * entry;
    put(table_end + gap + pixels.size(), 4);
    put(0, 4);
    put(offset >= 0 ? static_cast<uint64_t>(offset) : table_end + gap, 4);
    put(header_size, 4);
    if (header_size == 12) {
      put(static_cast<uint32_t>(width), 2);
      put(static_cast<uint32_t>(height), 2);
      put(planes, 2);
      put(bits, 2);
    } else {
      size_t start = b.size() - 4;
      put(static_cast<uint32_t>(width), 4);
      put(static_cast<uint32_t>(height), 4);
      put(planes, 2);
      put(bits, 2);
      put(compression, 4);
      put(image_size, 4);
      put(2835, 4);
      put(2835, 4);
      put(colours_used, 4);
      put(0, 4);
      if (header_size >= 52)
        for (uint32_t m : masks) put(m, 4);
      while (b.size() - start < header_size) b += '\0';
      if (header_size < 52)
        for (uint32_t m : masks) put(m, 4);
    }
    for (uint32_t c : palette) {
      put(c & 0xFF, 1);
      put(c >> 8 & 0xFF, 1);
      put(c >> 16 & 0xFF, 1);
      if (entry == 4) put(0, 1);
    }
    b.append(gap, '\xEE');
    b.append(pixels.begin(), pixels.end());
    return b;
  }
};

#endif  // TORVI_TESTS_BMP_BUILDER_H_
