#include <cerrno>

#include "system_error.h"

int WindowsError(int e) {
  static const struct {
    int posix;
    int windows;
  } kTable[] = {
      {ENOENT, 3},                 // on create, a missing directory: ERROR_PATH_NOT_FOUND
      {ENOTDIR, 3},  {EMFILE, 4},  // ERROR_TOO_MANY_OPEN_FILES
      {ENFILE, 4},   {EACCES, 5},  // ERROR_ACCESS_DENIED
      {EPERM, 5},    {EISDIR, 5},         {EBADF, 6},  // ERROR_INVALID_HANDLE
      {ENOMEM, 8},                                     // ERROR_NOT_ENOUGH_MEMORY
      {EROFS, 19},                                     // ERROR_WRITE_PROTECT
      {ENXIO, 21},                                     // ERROR_NOT_READY
      {ENODEV, 21},  {EWOULDBLOCK, 32},    // ERROR_SHARING_VIOLATION: held by another process
      {ETXTBSY, 32}, {EBUSY, 170},         // ERROR_BUSY
      {EEXIST, 80},                        // ERROR_FILE_EXISTS
      {EINVAL, 87},                        // ERROR_INVALID_PARAMETER
      {EPIPE, 109},                        // ERROR_BROKEN_PIPE
      {ENOSPC, 112},                       // ERROR_DISK_FULL
      {EDQUOT, 112}, {ENAMETOOLONG, 206},  // ERROR_FILENAME_EXCED_RANGE
      {EFBIG, 223},                        // ERROR_FILE_TOO_LARGE
      {ELOOP, 1921},                       // ERROR_CANT_RESOLVE_FILENAME
      {EIO, 1117},                         // ERROR_IO_DEVICE
  };
  for (const auto& row : kTable)
    if (row.posix == e) return row.windows;
  return 31;  // ERROR_GEN_FAILURE
}
