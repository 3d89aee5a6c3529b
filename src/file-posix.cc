// Files on POSIX. Sharing is enforced with advisory locks: a reader holds a shared lock, the
// writer an exclusive one, both without waiting.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "file.h"
#include "system_error.h"

namespace sys {

namespace {
int Fd(FileHandle file) {
  return static_cast<int>(file);
}
}  // namespace

int OpenRead(const std::string& name, FileHandle* file, uint64_t* size, bool* regular) {
  int fd;
  do fd = open(name.c_str(), O_RDONLY | O_CLOEXEC);
  while (fd < 0 && errno == EINTR);
  if (fd < 0) return WindowsError(errno);
  struct stat st;
  int code = 0;
  if (fstat(fd, &st) != 0)
    code = WindowsError(errno);
  else if (S_ISDIR(st.st_mode))
    code = 5;
  else if (S_ISREG(st.st_mode) && flock(fd, LOCK_SH | LOCK_NB) != 0)
    code = WindowsError(errno);
  if (code) {
    close(fd);
    return code;
  }
  *file = fd;
  *regular = S_ISREG(st.st_mode);
  if (*regular) posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);  // one pass, front to back
  *size = *regular ? static_cast<uint64_t>(st.st_size) : 0;
  return 0;
}

int Read(FileHandle file, void* buffer, size_t size, size_t* got) {
  ssize_t n;
  do n = read(Fd(file), buffer, size);
  while (n < 0 && errno == EINTR);
  if (n < 0) return WindowsError(errno);
  *got = static_cast<size_t>(n);
  return 0;
}

int Create(const std::string& name, FileHandle* file) {
  int fd;
  do fd = open(name.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
  while (fd < 0 && errno == EINTR);
  if (fd < 0) return WindowsError(errno);
  // Only a regular file is held and cut; a device or a pipe is written as it is.
  struct stat st;
  int code = 0;
  if (fstat(fd, &st) != 0)
    code = WindowsError(errno);
  else if (S_ISREG(st.st_mode) && (flock(fd, LOCK_EX | LOCK_NB) != 0 || ftruncate(fd, 0) != 0))
    code = WindowsError(errno);
  if (code) {
    close(fd);
    return code;
  }
  *file = fd;
  return 0;
}

int Write(FileHandle file, const void* data, size_t size, size_t* written) {
  ssize_t n;
  do n = write(Fd(file), data, size);
  while (n < 0 && errno == EINTR);
  if (n < 0) return WindowsError(errno);
  if (n == 0 && size > 0) return WindowsError(ENOSPC);
  *written = static_cast<size_t>(n);
  return 0;
}

int Close(FileHandle file) {
  if (file == kNoFile) return 0;
  return close(Fd(file)) == 0 || errno == EINTR ? 0 : WindowsError(errno);
}

// Standard output as the process found it: none when descriptor 1 was closed. The start-up asks
// before it fills closed standard descriptors, so the answer is the original one.
FileHandle StandardOutput() {
  static const FileHandle out = fcntl(1, F_GETFD) == -1 ? kNoFile : 1;
  return out;
}

bool IsConsole(FileHandle file) {
  return file != kNoFile && isatty(Fd(file));
}

}  // namespace sys
