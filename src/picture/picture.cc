#include "picture/picture.h"

#include <new>

#include "failure.h"

Picture::Picture(int32_t width, int32_t height)
    : width_(width), height_(height), row_bytes_(RowBytesOf(width)) {
  uint64_t bytes = static_cast<uint64_t>(row_bytes_) * static_cast<uint64_t>(height);
  if (bytes > kMaxBytes) RaiseOutOfResources(0);
  bits_.reset(new (std::nothrow) uint8_t[bytes]);
  if (!bits_) RaiseOutOfResources(8);
}
