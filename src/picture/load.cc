// The bitmap file, as read here. All fields are little-endian.
//
//   file header, 14 bytes:  "BM", file size u32, two reserved u16, pixel data offset u32
//   header size u32, then
//     12 (OS/2):  width u16, height u16, planes u16, bits u16; colour-table entries are 3 bytes
//                 (blue, green, red); rows bottom-up; no compression.
//     40 or more: width i32, height i32, planes u16, bits u16, compression u32, image size u32,
//                 resolution 2 x i32, colours used u32, colours important u32, then (52 and up)
//                 red, green, blue masks u32; the rest of the header is skipped. Entries are 4
//                 bytes (blue, green, red, unused).
//   masks:        with compression 3 and a 40-byte header, red, green, blue u32 follow it.
//   colour table: `colours used` entries, or when 0: 2, 16, 256 for 1, 4, 8 bits, none above.
//   pixel data:   at the offset when it lies past the table and inside the file, else right after
//                 the table. Rows are padded to 4 bytes; a positive height is bottom row first.
//                 Taken: the bytes left in the file, at most the image size (when 0, the padded
//                 row size times the height). Missing bytes read as zero.
//
// Compression: 0 none; 1 RLE8 (8 bits) and 2 RLE4 (4 bits): pairs (n, c) paint n pixels of c
// (RLE4: the two nibbles of c in turn); (0, 0) ends the line, (0, 1) the bitmap, (0, 2, dx, dy)
// moves right and up, (0, n >= 3) is n literal pixels padded to a 16-bit boundary; pixels left
// unpainted have colour-table entry 0. 3 bit fields (16 or 32 bits): masks say where red, green
// and blue are. Without masks 16 bits are 5-5-5 and 32 bits blue, green, red, unused.
//
// White is pure white: a table entry of (255, 255, 255); for 16 and 32 bits every bit of the red,
// green and blue masks set; for 24 bits three bytes of 255.
#include "picture/load.h"

#include <cstring>

#include "failure.h"
#include "file.h"
#include "picture/reduce.h"

namespace {

uint32_t Le16(const uint8_t* p) {
  return p[0] | p[1] << 8;
}
uint32_t Le32(const uint8_t* p) {
  return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
}

enum Compression : uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3 };

// Pixels as wide as a span of stored data: a multiple of 8, at most Reader::kMaxTake at 32 bits.
constexpr int64_t kSpanPixels = Reader::kMaxTake / 4;

bool IsMask(uint32_t m) {
  if (m == 0) return false;
  while (!(m & 1)) m >>= 1;
  return (m & (m + 1)) == 0;
}

// Sets bits [from, to) of a row to those of `pattern`, bit x taking pattern bit 7 - x % 8.
void Paint(uint8_t* row, int64_t from, int64_t to, uint8_t pattern) {
  if (from >= to) return;
  int64_t first = from >> 3, last = (to - 1) >> 3;
  uint8_t head = static_cast<uint8_t>(0xFF >> (from & 7));
  uint8_t tail = static_cast<uint8_t>(0xFF << (7 - ((to - 1) & 7)));
  if (first == last) {
    uint8_t m = head & tail;
    row[first] = static_cast<uint8_t>((row[first] & ~m) | (pattern & m));
    return;
  }
  row[first] = static_cast<uint8_t>((row[first] & ~head) | (pattern & head));
  if (last - first > 1) memset(row + first + 1, pattern, static_cast<size_t>(last - first - 1));
  row[last] = static_cast<uint8_t>((row[last] & ~tail) | (pattern & tail));
}

void DecodeRows(Reader& r, Picture& picture, int bits, bool top_down, uint64_t stride,
                const Reducer& reducer) {
  const int64_t width = picture.Width(), height = picture.Height();
  const uint64_t pad = stride - (static_cast<uint64_t>(width) * bits + 7) / 8;
  for (int64_t i = 0; i < height; ++i) {
    bool rest_is_zero = r.Left() == 0;
    uint8_t* row = picture.Stored(static_cast<int32_t>(top_down ? height - 1 - i : i));
    for (int64_t x = 0; x < width; x += kSpanPixels) {
      int64_t n = width - x < kSpanPixels ? width - x : kSpanPixels;
      reducer.Reduce(r.Take(static_cast<size_t>((n * bits + 7) / 8)), static_cast<size_t>(n),
                     row + x / 8);
    }
    r.Take(static_cast<size_t>(pad));
    if (rest_is_zero) {
      // The data has ended: every row left reads the same zero bytes.
      for (int64_t j = i + 1; j < height; ++j)
        memcpy(picture.Stored(static_cast<int32_t>(top_down ? height - 1 - j : j)), row,
               static_cast<size_t>(picture.RowBytes()));
      return;
    }
  }
}

void DecodeRunLength(Reader& r, Picture& picture, bool rle4, const uint8_t white[256]) {
  const int64_t width = picture.Width(), height = picture.Height();
  const size_t row_bytes = static_cast<size_t>(picture.RowBytes());
  for (int64_t y = 0; y < height; ++y) {
    uint8_t* row = picture.Stored(static_cast<int32_t>(y));
    memset(row, white[0] ? 0xFF : 0, row_bytes);
    if (width % 8) row[row_bytes - 1] |= 0xFF >> (width % 8);
  }
  int64_t x = 0, y = 0;
  uint8_t* row = picture.Stored(0);
  for (;;) {
    int n = r.Next(), c = r.Next();
    if (c < 0) return;
    if (n > 0) {  // a run of n pixels
      uint8_t pattern;
      if (!rle4) {
        pattern = white[c] ? 0xFF : 0;
      } else {
        uint8_t even = x % 2 ? 0x55 : 0xAA;
        pattern = static_cast<uint8_t>((white[c >> 4] ? even : 0) | (white[c & 15] ? ~even : 0));
      }
      Paint(row, x, x + n < width ? x + n : width, pattern);
      x += n;
    } else if (c == 0) {  // end of line
      x = 0;
      if (++y >= height) return;
      row = picture.Stored(static_cast<int32_t>(y));
    } else if (c == 1) {  // end of bitmap
      return;
    } else if (c == 2) {  // delta
      int dx = r.Next(), dy = r.Next();
      if (dy < 0) return;
      x += dx;
      y += dy;
      if (y >= height) return;
      row = picture.Stored(static_cast<int32_t>(y));
    } else {  // c literal pixels, padded to a 16-bit boundary
      int bytes = rle4 ? (c + 1) / 2 : c;
      for (int k = 0; k < bytes; ++k) {
        int v = r.Next();
        if (v < 0) return;
        for (int j = rle4 ? 0 : 1; j < 2; ++j, ++x) {
          if (rle4 && k * 2 + j >= c) break;
          int index = rle4 ? (j ? v & 15 : v >> 4) : v;
          if (x < width) Paint(row, x, x + 1, white[index] ? 0xFF : 0);
        }
      }
      if (bytes % 2) r.Next();
    }
  }
}

class FileSource : public Source {
 public:
  explicit FileSource(InputFile& file) : file_(file) {}
  size_t Read(uint8_t* buffer, size_t size) override { return file_.Read(buffer, size); }

 private:
  InputFile& file_;
};

}  // namespace

Picture DecodeBitmap(Source& source, uint64_t size) {
  if (size == 0) return Picture();
  Reader r(source, size);
  uint8_t h[64] = {};
  if (!r.Read(h, 14)) RaiseReadError();
  if (h[0] != 'B' || h[1] != 'M') RaiseInvalidGraphic();
  const uint32_t offset = Le32(h + 10);
  if (!r.Read(h, 4)) RaiseReadError();
  const uint32_t header_size = Le32(h);

  int64_t width, height;
  uint32_t planes, bits, compression = kRgb, image_size = 0, colours_used = 0;
  uint32_t masks[3] = {};
  size_t entry_size = 4;
  if (header_size == 12) {
    if (!r.Read(h + 4, 8)) RaiseReadError();
    width = Le16(h + 4);
    height = Le16(h + 6);
    planes = Le16(h + 8);
    bits = Le16(h + 10);
    entry_size = 3;
  } else {
    if (header_size < 40) RaiseInvalidGraphic();
    if (header_size - 4 > r.Size() - r.Position()) RaiseReadError();
    size_t head = header_size < 52 ? 40 : 52;
    r.Read(h + 4, head - 4);
    r.Skip(header_size - head);
    width = static_cast<int32_t>(Le32(h + 4));
    height = static_cast<int32_t>(Le32(h + 8));
    planes = Le16(h + 12);
    bits = Le16(h + 14);
    compression = Le32(h + 16);
    image_size = Le32(h + 20);
    colours_used = Le32(h + 32);
    for (int i = 0; i < 3; ++i) masks[i] = Le32(h + 40 + 4 * i);
  }

  if (planes != 1) RaiseInvalidGraphic();
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
    RaiseInvalidGraphic();
  if (compression > kBitFields || (compression == kRle8 && bits != 8) ||
      (compression == kRle4 && bits != 4) ||
      (compression == kBitFields && bits != 16 && bits != 32))
    RaiseInvalidGraphic();
  const bool rle = compression == kRle8 || compression == kRle4;
  if (rle && height < 0) RaiseInvalidGraphic();
  if (colours_used > 256) RaiseInvalidGraphic();
  if (width < 0) RaiseWin32Error(87);
  if (width == 0 || height == 0) RaiseInvalidGraphic();
  const bool top_down = height < 0;
  if (top_down) height = -height;
  if (height > INT32_MAX) RaiseOutOfResources(0);

  if (compression == kBitFields) {
    if (header_size < 52) {
      uint8_t m[12];
      if (!r.Read(m, 12)) RaiseReadError();
      for (int i = 0; i < 3; ++i) masks[i] = Le32(m + 4 * i);
    }
    for (uint32_t m : masks)
      if (!IsMask(m)) RaiseInvalidGraphic();
  }

  // The colour table: white[i] for each entry that is pure white, 0 past the table's end.
  uint8_t white[256] = {};
  uint32_t entries = colours_used ? colours_used : bits <= 8 ? 1u << bits : 0;
  for (uint32_t i = 0; i < entries; ++i) {
    uint8_t e[4];
    if (!r.Read(e, entry_size)) RaiseReadError();
    white[i] = e[0] == 255 && e[1] == 255 && e[2] == 255;
  }

  // Sizes, in 64 bits: a row is at most 2^33 bytes, so only the whole image can overflow.
  const uint64_t stride = (static_cast<uint64_t>(width) * bits + 31) / 32 * 4;
  const uint64_t rows = static_cast<uint64_t>(height);
  const uint64_t full = rows > UINT64_MAX / stride ? UINT64_MAX : stride * rows;
  if (!rle && image_size > full) RaiseInvalidGraphic();

  Picture picture(static_cast<int32_t>(width), static_cast<int32_t>(height));

  if (offset > r.Position() && offset < r.Size()) r.Skip(offset - r.Position());
  uint64_t left = r.Size() - r.Position();
  uint64_t amount = image_size ? image_size : full;
  r.Limit(amount < left ? amount : left);

  if (rle) {
    DecodeRunLength(r, picture, compression == kRle4, white);
  } else if (bits <= 8) {
    DecodeRows(r, picture, static_cast<int>(bits), top_down, stride,
               Reducer(static_cast<int>(bits), white));
  } else {
    uint32_t white_mask = compression == kBitFields ? masks[0] | masks[1] | masks[2]
                          : bits == 16              ? 0x7FFF
                                                    : 0xFFFFFF;
    DecodeRows(r, picture, static_cast<int>(bits), top_down, stride,
               Reducer(static_cast<int>(bits), white_mask));
  }
  return picture;
}

Picture LoadPicture(const std::string& file_name) {
  InputFile file(file_name);
  FileSource source(file);
  if (file.Regular()) return DecodeBitmap(source, file.Size());
  // A pipe or a device has no size to go by: its bytes are gathered first.
  std::string bytes;
  uint8_t block[65536];
  for (size_t n; (n = file.Read(block, sizeof block)) > 0;) bytes.append(block, block + n);
  MemorySource memory(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  return DecodeBitmap(memory, bytes.size());
}
