// The worked example every end-to-end test starts from, and the banner, as exact bytes.
#ifndef TORVI_TESTS_EXAMPLE_H_
#define TORVI_TESTS_EXAMPLE_H_

#include <string>
#include <vector>

#include "bmp_builder.h"

inline const std::string kBanner =
    "TORVI(Version1.1)\r\n\x83k\x83\x8C\x83g\r\n\r\ntorvi.exe BMP EPS\r\n"
    "BMP\x83t\x83@\x83"
    "C\x83\x8B\x82\xF0"
    "EPS\x83t\x83@\x83"
    "C\x83\x8B\x82\xC9\x95\xCF\x8A\xB7"
    "\x82\xB5\x82\xDC\x82\xB7\x81"
    "B\r\n"
    "\x82\xBD\x82\xBE\x82\xB5\x81"
    "A\x94\x92\x8D\x95\x89\xE6\x91\x9C\x82\xC9\x82\xC8\x82\xE8"
    "\x82\xDC\x82\xB7\x81"
    "B\r\n";

inline const std::string kWorkedExample =
    "%!PS-Adobe-2.0 EPSF-2.0\r\n%%Title:BMP->EPS\r\n%%Creator:TORVI\r\n"
    "%%BoundingBox:10 10 13 12\r\n%%EndComments\r\ngsave\r\n10 10 translate\r\n"
    "8 2 scale\r\n/BMPF\r\n<\r\n3F\r\nBF\r\n>def\r\n"
    "8 2 1 [8 0 0 2 0 0] {BMPF} image\r\ngrestore\r\nshowpage\r\n";

// The worked example's picture: top row white, black, white; bottom row black, black, white.
inline std::string ExampleBmp(bool top_down = false) {
  Bmp b;
  b.width = 3;
  b.height = top_down ? -2 : 2;
  std::vector<uint8_t> top = {255, 255, 255, 0, 0, 0, 255, 255, 255, 0, 0, 0};
  std::vector<uint8_t> bottom = {0, 0, 0, 0, 0, 0, 255, 255, 255, 0, 0, 0};
  const auto& first = top_down ? top : bottom;
  const auto& second = top_down ? bottom : top;
  b.pixels = first;
  b.pixels.insert(b.pixels.end(), second.begin(), second.end());
  return b.Bytes();
}

#endif  // TORVI_TESTS_EXAMPLE_H_
