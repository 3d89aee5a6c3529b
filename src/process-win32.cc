#include <windows.h>

#include "file_name.h"
#include "process.h"

void StartUp() {
  // No message boxes for missing drives or crashes: a console tool reports on standard output.
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
  ReadSystemLeadBytes();
}

std::string ModuleFileName() {
  char path[MAX_PATH + 1];
  DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
  return std::string(path, n);
}

const void* ImageBase() {
  return GetModuleHandleA(nullptr);
}
