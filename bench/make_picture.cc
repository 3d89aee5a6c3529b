// Writes a scan-like test picture for the benchmarks.
//
//   make_picture KIND WIDTH HEIGHT OUT.bmp     KIND: rgb24, rgb32, pal1, pal4, pal8 or rle8
#include <cstdio>
#include <cstdlib>

#include "scan.h"

int main(int argc, char** argv) {
  if (argc != 5 || scan::BitsOf(argv[1]) == 0) {
    fprintf(stderr, "usage: make_picture rgb24|rgb32|pal1|pal4|pal8|rle8 WIDTH HEIGHT OUT.bmp\n");
    return 2;
  }
  FILE* out = fopen(argv[4], "wb");
  if (!out) return 1;
  scan::Write(argv[1], atoll(argv[2]), atoll(argv[3]),
              [out](const uint8_t* p, size_t n) { fwrite(p, 1, n, out); });
  return fclose(out) == 0 ? 0 : 1;
}
