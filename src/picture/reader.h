// Reading a bitmap file in large blocks: its headers as exact reads, its pixel data as spans.
#ifndef TORVI_PICTURE_READER_H_
#define TORVI_PICTURE_READER_H_

#include <cstddef>
#include <cstdint>
#include <memory>

// Where the bytes come from: a file, or memory.
class Source {
 public:
  virtual ~Source() = default;
  // Up to `size` bytes; 0 at the end.
  virtual size_t Read(uint8_t* buffer, size_t size) = 0;
};

class MemorySource : public Source {
 public:
  MemorySource(const uint8_t* data, size_t size) : data_(data), left_(size) {}
  size_t Read(uint8_t* buffer, size_t size) override;

 private:
  const uint8_t* data_;
  size_t left_;
};

class Reader {
 public:
  static constexpr size_t kMaxTake = size_t{256} << 10;

  // `size` is the source's length in bytes.
  Reader(Source& source, uint64_t size);

  uint64_t Size() const { return size_; }
  uint64_t Position() const { return position_; }

  // Headers: exactly `size` bytes, or false when the source ends first.
  bool Read(void* out, size_t size);
  void Skip(uint64_t size);

  // Pixel data: from here on `amount` bytes are taken from the source; past them (or past its
  // end) the data reads as zero bytes.
  void Limit(uint64_t amount) { left_ = amount; }
  uint64_t Left() const { return left_; }
  // The next `size` (at most kMaxTake) bytes of data, zero past the amount taken.
  const uint8_t* Take(size_t size);
  // The next byte of data, or -1 past the amount taken.
  int Next() {
    if (begin_ < end_ && left_ > 0) {
      --left_;
      ++position_;
      return buffer_[begin_++];
    }
    return NextSlow();
  }

 private:
  size_t Available() const { return end_ - begin_ < left_ ? end_ - begin_ : left_; }
  // Tops the buffer up to hold at least `size` bytes, as far as the source goes.
  void Fill(size_t size);
  int NextSlow();

  Source& source_;
  uint64_t size_;
  uint64_t position_ = 0;
  uint64_t left_ = UINT64_MAX;
  std::unique_ptr<uint8_t[]> buffer_;
  size_t begin_ = 0, end_ = 0;
  std::unique_ptr<uint8_t[]> zeros_;  // kMaxTake bytes for a span that passes the data's end
};

#endif  // TORVI_PICTURE_READER_H_
