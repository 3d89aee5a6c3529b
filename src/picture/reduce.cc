#include "picture/reduce.h"

#include <cstring>

namespace {

inline uint32_t Load16(const uint8_t* p) {
  return p[0] | p[1] << 8;
}
inline uint32_t Load32(const uint8_t* p) {
  return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
}

// True when the `n` 8-byte words at `p` all hold the same bytes as `pattern`: eight pixels of one
// colour, the common case in scans, which then take one test instead of eight.
inline bool Uniform(const uint8_t* p, int n, uint64_t pattern) {
  uint64_t w[4], diff = 0;
  memcpy(w, p, 8 * static_cast<size_t>(n));
  for (int k = 0; k < n; ++k) diff |= w[k] ^ pattern;
  return diff == 0;
}

}  // namespace

Reducer::Reducer(int bits, const uint8_t white[256]) : bits_(bits) {
  memcpy(white_, white, 256);
  for (int v = 0; v < 256; ++v) {
    if (bits == 1) {
      uint8_t samples = 0;
      for (int j = 7; j >= 0; --j) samples = static_cast<uint8_t>(samples << 1 | white[v >> j & 1]);
      table_[v] = samples;
    } else if (bits == 4) {
      table_[v] = static_cast<uint8_t>(white[v >> 4] << 1 | white[v & 15]);
    }
  }
}

Reducer::Reducer(int bits, uint32_t white_mask) : bits_(bits), mask_(white_mask) {}

void Reducer::Reduce(const uint8_t* in, size_t count, uint8_t* out) const {
  size_t whole = count / 8;
  const uint32_t m = mask_;
  // Whole bytes of eight samples first, each layout in its own loop.
  switch (bits_) {
    case 1:
      for (size_t i = 0; i < whole; ++i) out[i] = table_[in[i]];
      in += whole;
      break;
    case 4:
      for (size_t i = 0; i < whole; ++i, in += 4)
        out[i] = static_cast<uint8_t>(table_[in[0]] << 6 | table_[in[1]] << 4 | table_[in[2]] << 2 |
                                      table_[in[3]]);
      break;
    case 8:
      for (size_t i = 0; i < whole; ++i, in += 8) {
        if (Uniform(in, 1, in[0] * 0x0101010101010101u)) {
          out[i] = white_[in[0]] ? 0xFF : 0;
          continue;
        }
        unsigned v = 0;
        for (int j = 0; j < 8; ++j) v = v << 1 | white_[in[j]];
        out[i] = static_cast<uint8_t>(v);
      }
      break;
    case 16:
      for (size_t i = 0; i < whole; ++i, in += 16) {
        if (Uniform(in, 2, Load16(in) * 0x0001000100010001u)) {
          out[i] = (Load16(in) & m) == m ? 0xFF : 0;
          continue;
        }
        unsigned v = 0;
        for (int j = 0; j < 8; ++j) v = v << 1 | ((Load16(in + 2 * j) & m) == m);
        out[i] = static_cast<uint8_t>(v);
      }
      break;
    case 24:
      for (size_t i = 0; i < whole; ++i, in += 24) {
        uint64_t w[3];
        memcpy(w, in, 24);
        if ((w[0] & w[1] & w[2]) == ~uint64_t{0}) {  // eight white pixels, the common case
          out[i] = 0xFF;
          continue;
        }
        unsigned v = 0;
        for (int j = 0; j < 8; ++j)
          v = v << 1 | ((in[3 * j] & in[3 * j + 1] & in[3 * j + 2]) == 255);
        out[i] = static_cast<uint8_t>(v);
      }
      break;
    case 32:
      for (size_t i = 0; i < whole; ++i, in += 32) {
        if (Uniform(in, 4, Load32(in) * 0x0000000100000001u)) {
          out[i] = (Load32(in) & m) == m ? 0xFF : 0;
          continue;
        }
        unsigned v = 0;
        for (int j = 0; j < 8; ++j) v = v << 1 | ((Load32(in + 4 * j) & m) == m);
        out[i] = static_cast<uint8_t>(v);
      }
      break;
  }
  size_t rest = count % 8;
  if (rest == 0) return;
  // The last pixels of a row, one at a time, then the fill bits.
  unsigned v = 0;
  for (size_t j = 0; j < rest; ++j) {
    unsigned white = 0;
    switch (bits_) {
      case 1:
        white = white_[in[0] >> (7 - j) & 1];
        break;
      case 4:
        white = white_[in[j / 2] >> (j % 2 ? 0 : 4) & 15];
        break;
      case 8:
        white = white_[in[j]];
        break;
      case 16:
        white = (Load16(in + 2 * j) & m) == m;
        break;
      case 24:
        white = (in[3 * j] & in[3 * j + 1] & in[3 * j + 2]) == 255;
        break;
      case 32:
        white = (Load32(in + 4 * j) & m) == m;
        break;
    }
    v = v << 1 | white;
  }
  out[whole] = static_cast<uint8_t>((v << (8 - rest)) | (0xFFu >> rest));
}
