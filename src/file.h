// Files: the input file the picture is read from, and the buffered text files (the document and
// standard output) with their I/O result code.
#ifndef TORVI_FILE_H_
#define TORVI_FILE_H_

#include <cstddef>
#include <cstdint>
#include <string>

// A file descriptor on POSIX, a HANDLE on Windows.
using FileHandle = intptr_t;
constexpr FileHandle kNoFile = -1;

// The system calls, one variant per platform. Each returns 0 or the system's error number in the
// Windows numbering, which the message table is keyed by (POSIX errno values are translated).
namespace sys {
// Opens for reading; others may read but not write while it is open. Directories are refused.
int OpenRead(const std::string& name, FileHandle* file, uint64_t* size, bool* regular);
int Read(FileHandle file, void* buffer, size_t size, size_t* got);
// Opens for writing, made if missing; others may read but not write while it is open. An existing
// regular file is cut to 0 bytes only once the file is held, so a refused open destroys nothing.
int Create(const std::string& name, FileHandle* file);
// One write; `written` may come back short of `size`.
int Write(FileHandle file, const void* data, size_t size, size_t* written);
int Close(FileHandle file);
FileHandle StandardOutput();
bool IsConsole(FileHandle file);
}  // namespace sys

// The I/O result code of the text files: 0 after success, else the first failure's error number
// (102 not assigned, 103 not open). Reading it resets it to 0.
int IOResult();

// A buffered text file. Bytes go out exactly as given. The buffer is written out when full, by
// Flush and by Close, and after each line on a console. Once the I/O result code is set, every
// operation does nothing until it is read. After a failed write the file holds exactly the bytes
// the system accepted, in order.
class TextFile {
 public:
  TextFile(size_t buffer_size, FileHandle file = kNoFile, bool line_by_line = false);
  ~TextFile();  // Closes the file without writing out the buffer.
  TextFile(const TextFile&) = delete;
  TextFile& operator=(const TextFile&) = delete;

  void Assign(const std::string& name) { name_ = name; }
  void Rewrite();
  void Write(const char* data, size_t size);
  void Write(const std::string& text) { Write(text.data(), text.size()); }
  void WriteLn();  // carriage return, line feed
  // Room for `size` bytes (at most the buffer's size) to be filled and then committed; null once
  // the I/O result code is set.
  char* Reserve(size_t size);
  void Commit(size_t size) { used_ += size; }
  size_t BufferSize() const { return size_; }
  void Flush();
  void Close();

 private:
  bool Ready();

  std::string name_;
  FileHandle file_;
  bool line_by_line_;
  char* buffer_;
  size_t size_;
  size_t used_ = 0;
};

// Standard output: a 128-byte buffer, written out after each line on a console.
TextFile& StdOut();

// The input file, open from construction to destruction; failures raise EFOpenError (on open) and
// EReadError (on read).
class InputFile {
 public:
  explicit InputFile(const std::string& name);
  ~InputFile();
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  uint64_t Size() const { return size_; }
  bool Regular() const { return regular_; }
  // Up to `size` bytes; 0 at the end of the file.
  size_t Read(void* buffer, size_t size);

 private:
  FileHandle file_ = kNoFile;
  uint64_t size_ = 0;
  bool regular_ = false;
};

#endif  // TORVI_FILE_H_
