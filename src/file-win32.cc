// Files on Windows: sharing is the system's own (share modes), error numbers are GetLastError's.
#include <windows.h>

#include "file.h"

namespace sys {

namespace {
HANDLE H(FileHandle file) {
  return reinterpret_cast<HANDLE>(file);
}
FileHandle F(HANDLE handle) {
  return reinterpret_cast<FileHandle>(handle);
}
}  // namespace

int OpenRead(const std::string& name, FileHandle* file, uint64_t* size, bool* regular) {
  HANDLE h = CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return static_cast<int>(GetLastError());
  *regular = GetFileType(h) == FILE_TYPE_DISK;
  LARGE_INTEGER n{};
  if (*regular && !GetFileSizeEx(h, &n)) {
    int code = static_cast<int>(GetLastError());
    CloseHandle(h);
    return code;
  }
  *size = static_cast<uint64_t>(n.QuadPart);
  *file = F(h);
  return 0;
}

int Read(FileHandle file, void* buffer, size_t size, size_t* got) {
  DWORD n = 0;
  DWORD want = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
  if (!ReadFile(H(file), buffer, want, &n, nullptr)) {
    DWORD code = GetLastError();
    if (code != ERROR_BROKEN_PIPE) return static_cast<int>(code);  // a pipe's end is its end
  }
  *got = n;
  return 0;
}

int Create(const std::string& name, FileHandle* file) {
  HANDLE h = CreateFileA(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return static_cast<int>(GetLastError());
  *file = F(h);
  return 0;
}

int Write(FileHandle file, const void* data, size_t size, size_t* written) {
  DWORD n = 0;
  DWORD want = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
  if (!WriteFile(H(file), data, want, &n, nullptr)) return static_cast<int>(GetLastError());
  if (n == 0 && want > 0) return ERROR_DISK_FULL;
  *written = n;
  return 0;
}

int Close(FileHandle file) {
  if (file == kNoFile) return 0;
  return CloseHandle(H(file)) ? 0 : static_cast<int>(GetLastError());
}

FileHandle StandardOutput() {
  HANDLE h = GetStdHandle(STD_OUTPUT_HANDLE);
  return h == nullptr || h == INVALID_HANDLE_VALUE ? kNoFile : F(h);
}

bool IsConsole(FileHandle file) {
  return file != kNoFile && GetFileType(H(file)) == FILE_TYPE_CHAR;
}

}  // namespace sys
