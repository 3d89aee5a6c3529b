// The picture, reduced to one bit per pixel: the form the document is written from.
#ifndef TORVI_PICTURE_PICTURE_H_
#define TORVI_PICTURE_PICTURE_H_

#include <cstddef>
#include <cstdint>
#include <memory>

class Picture {
 public:
  // The largest one-bit picture the program takes on, in bytes.
  static constexpr uint64_t kMaxBytes = uint64_t{1} << 31;

  // Bytes that encode one row of `width` pixels: the width divided by 8, rounded up.
  static int32_t RowBytesOf(int32_t width) { return width / 8 + (width % 8 != 0); }

  Picture() = default;  // the empty picture, 0 by 0
  // Makes room for a width by height picture, contents undefined. A picture over kMaxBytes, or
  // memory that cannot be had, raises EOutOfResources.
  Picture(int32_t width, int32_t height);

  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  int32_t RowBytes() const { return row_bytes_; }

  // Row y, y = 0 being the top row: one bit a pixel, the leftmost in the most significant bit,
  // 1 for white; the fill bits after the last pixel are 1.
  const uint8_t* Row(int32_t y) const { return Stored(height_ - 1 - y); }
  // Rows as stored: bottom row first, the order the document writes them in.
  uint8_t* Stored(int32_t i) { return bits_.get() + static_cast<size_t>(i) * row_bytes_; }
  const uint8_t* Stored(int32_t i) const {
    return bits_.get() + static_cast<size_t>(i) * row_bytes_;
  }

  // The colour at (x, y): 0xFFFFFF or 0x000000.
  uint32_t Pixel(int32_t x, int32_t y) const {
    return (Row(y)[x >> 3] >> (7 - (x & 7)) & 1) ? 0xFFFFFF : 0;
  }

 private:
  int32_t width_ = 0;
  int32_t height_ = 0;
  int32_t row_bytes_ = 0;
  std::unique_ptr<uint8_t[]> bits_;
};

#endif  // TORVI_PICTURE_PICTURE_H_
