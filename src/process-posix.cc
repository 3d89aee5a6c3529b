#include <fcntl.h>
#include <unistd.h>

#include <clocale>
#include <csignal>

#include "file.h"
#include "file_name.h"
#include "process.h"

extern "C" char __executable_start;

void StartUp() {
  setlocale(LC_CTYPE, "");
  ReadSystemLeadBytes();
  // A closed pipe or a file-size limit comes back as an error code, to be reported.
  signal(SIGPIPE, SIG_IGN);
  signal(SIGXFSZ, SIG_IGN);
  // Standard output is taken as found (closed stays closed); then closed standard descriptors get
  // /dev/null, so that no file the run opens lands in their place.
  sys::StandardOutput();
  for (int fd = 0; fd <= 2; ++fd) {
    if (fcntl(fd, F_GETFD) != -1) continue;
    int null = open("/dev/null", O_RDWR);
    if (null >= 0 && null != fd) {
      dup2(null, fd);
      close(null);
    }
  }
}

std::string ModuleFileName() {
  char path[4096];
  ssize_t n = readlink("/proc/self/exe", path, sizeof path);
  return n > 0 ? std::string(path, static_cast<size_t>(n)) : std::string("torvi");
}

const void* ImageBase() {
  return &__executable_start;
}
