#include "picture/reader.h"

#include <cstring>

namespace {
constexpr size_t kBufferSize = size_t{1} << 20;
}

size_t MemorySource::Read(uint8_t* buffer, size_t size) {
  size_t n = size < left_ ? size : left_;
  memcpy(buffer, data_, n);
  data_ += n;
  left_ -= n;
  return n;
}

Reader::Reader(Source& source, uint64_t size)
    : source_(source), size_(size), buffer_(new uint8_t[kBufferSize]) {}

void Reader::Fill(size_t size) {
  if (begin_ > 0) {
    memmove(buffer_.get(), buffer_.get() + begin_, end_ - begin_);
    end_ -= begin_;
    begin_ = 0;
  }
  while (end_ < size) {
    size_t n = source_.Read(buffer_.get() + end_, kBufferSize - end_);
    if (n == 0) break;
    end_ += n;
  }
}

bool Reader::Read(void* out, size_t size) {
  auto* dst = static_cast<uint8_t*>(out);
  while (size > 0) {
    if (begin_ == end_) Fill(1);
    if (begin_ == end_) return false;
    size_t n = end_ - begin_ < size ? end_ - begin_ : size;
    memcpy(dst, buffer_.get() + begin_, n);
    begin_ += n;
    position_ += n;
    dst += n;
    size -= n;
  }
  return true;
}

void Reader::Skip(uint64_t size) {
  while (size > 0) {
    if (begin_ == end_) Fill(1);
    if (begin_ == end_) return;
    size_t n = end_ - begin_ < size ? end_ - begin_ : static_cast<size_t>(size);
    begin_ += n;
    position_ += n;
    size -= n;
  }
}

const uint8_t* Reader::Take(size_t size) {
  if (Available() < size && left_ > end_ - begin_) {
    Fill(size);
    if (end_ - begin_ < size && end_ - begin_ < left_) left_ = end_ - begin_;  // the source ended
  }
  size_t n = Available();
  const uint8_t* span = buffer_.get() + begin_;
  if (n < size) {
    if (!zeros_) zeros_.reset(new uint8_t[kMaxTake]);
    memcpy(zeros_.get(), span, n);
    memset(zeros_.get() + n, 0, size - n);
    span = zeros_.get();
    size = n;
  }
  begin_ += size;
  position_ += size;
  left_ -= size;
  return span;
}

int Reader::NextSlow() {
  if (left_ == 0) return -1;
  Fill(1);
  if (begin_ == end_) {
    left_ = 0;
    return -1;
  }
  return Next();
}
