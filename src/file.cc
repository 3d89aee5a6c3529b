#include "file.h"

#include <cstring>

#include "failure.h"

namespace {
int in_out_res = 0;
}

int IOResult() {
  int code = in_out_res;
  in_out_res = 0;
  return code;
}

TextFile::TextFile(size_t buffer_size, FileHandle file, bool line_by_line)
    : file_(file),
      line_by_line_(line_by_line),
      buffer_(new char[buffer_size]),
      size_(buffer_size) {}

TextFile::~TextFile() {
  if (file_ != kNoFile && file_ != sys::StandardOutput()) sys::Close(file_);
  delete[] buffer_;
}

void TextFile::Rewrite() {
  if (in_out_res) return;
  if (name_.empty()) {
    in_out_res = 102;
    return;
  }
  if (file_ != kNoFile) sys::Close(file_);
  file_ = kNoFile;
  used_ = 0;
  in_out_res = sys::Create(name_, &file_);
}

bool TextFile::Ready() {
  if (in_out_res) return false;
  if (file_ == kNoFile) in_out_res = 103;
  return in_out_res == 0;
}

void TextFile::Write(const char* data, size_t size) {
  while (size > 0 && Ready()) {
    if (used_ == size_) Flush();
    size_t n = size_ - used_ < size ? size_ - used_ : size;
    memcpy(buffer_ + used_, data, n);
    used_ += n;
    data += n;
    size -= n;
  }
}

void TextFile::WriteLn() {
  Write("\r\n", 2);
  if (line_by_line_) Flush();
}

char* TextFile::Reserve(size_t size) {
  if (!Ready()) return nullptr;
  if (size_ - used_ < size) Flush();
  return in_out_res ? nullptr : buffer_ + used_;
}

void TextFile::Flush() {
  if (!Ready()) return;
  // A write the system completes only in part is completed with another.
  size_t done = 0;
  while (done < used_) {
    size_t n = 0;
    int code = sys::Write(file_, buffer_ + done, used_ - done, &n);
    if (code) {
      in_out_res = code;
      break;
    }
    done += n;
  }
  used_ = 0;
}

void TextFile::Close() {
  Flush();
  if (in_out_res) return;
  in_out_res = sys::Close(file_);
  file_ = kNoFile;
}

TextFile& StdOut() {
  static TextFile out(128, sys::StandardOutput(), sys::IsConsole(sys::StandardOutput()));
  return out;
}

InputFile::InputFile(const std::string& name) {
  if (sys::OpenRead(name, &file_, &size_, &regular_) != 0) RaiseFOpenError(name);
}

InputFile::~InputFile() {
  sys::Close(file_);
}

size_t InputFile::Read(void* buffer, size_t size) {
  size_t got = 0;
  if (sys::Read(file_, buffer, size, &got) != 0) RaiseReadError();
  return got;
}
