// The reduction to one bit per pixel: stored pixels in, samples out (1 white, 0 black), eight
// pixels to a byte, the leftmost in the most significant bit. A pixel is white exactly where its
// colour is pure white.
#ifndef TORVI_PICTURE_REDUCE_H_
#define TORVI_PICTURE_REDUCE_H_

#include <cstddef>
#include <cstdint>

class Reducer {
 public:
  // Paletted pixels (1, 4 or 8 bits): white[i] is 1 where colour-table entry i is pure white
  // (0 past the table's end).
  Reducer(int bits, const uint8_t white[256]);
  // 16 or 32 bits: a pixel is white where all bits of `white_mask` are set. 24 bits: where its
  // three bytes are 255.
  Reducer(int bits, uint32_t white_mask);

  // Reduces `count` pixels stored at `in` ((count * bits + 7) / 8 bytes) into (count + 7) / 8
  // bytes at `out`; the bits after the last pixel in the last byte are set.
  void Reduce(const uint8_t* in, size_t count, uint8_t* out) const;

 private:
  int bits_;
  uint32_t mask_ = 0;
  uint8_t white_[256] = {};
  uint8_t table_[256] = {};  // 1 and 4 bits: a stored byte's samples, in its low 8 or 2 bits
};

#endif  // TORVI_PICTURE_REDUCE_H_
