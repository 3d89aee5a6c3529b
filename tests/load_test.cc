#include "picture/load.h"

#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <random>

#include "bmp_builder.h"
#include "test_util.h"

namespace {

using Rows_ = std::vector<std::string>;
using Bytes = std::vector<uint8_t>;

constexpr uint32_t kWhite = 0xFFFFFF, kBlack = 0, kNearWhite = 0xFEFFFF, kRed = 0xFF0000;

Rows_ Load(const Bmp& bmp) {
  return Rows(DecodeBytes(bmp.Bytes()));
}

// 24-bit rows of the pixels given, top row first, stored bottom-up with padding.
Bytes Rgb24(const std::vector<std::vector<uint32_t>>& top_first) {
  Bytes data;
  for (auto row = top_first.rbegin(); row != top_first.rend(); ++row) {
    for (uint32_t c : *row) {
      data.push_back(c & 0xFF);
      data.push_back(c >> 8 & 0xFF);
      data.push_back(c >> 16 & 0xFF);
    }
    while (data.size() % 4) data.push_back(0);
  }
  return data;
}

TEST(Load, EmptyFileIsTheEmptyPicture) {
  Picture p = DecodeBytes("");
  EXPECT_EQ(p.Width(), 0);
  EXPECT_EQ(p.Height(), 0);
}

TEST(Load, Layouts) {
  // The same 3 x 2 picture (top: white, black, white; bottom: black, black, white) in every
  // layout, with colours that must not count as white along the way.
  const Rows_ want = {"101", "001"};
  Bmp b;
  b.width = 3;
  b.height = 2;
  struct Case {
    const char* name;
    Bmp bmp;
  };
  std::vector<Case> cases;
  auto add = [&](const char* name, auto change) {
    Bmp x = b;
    change(x);
    cases.push_back({name, x});
  };
  add("24 bits", [](Bmp& x) {
    x.pixels = Rgb24({{kWhite, kNearWhite, kWhite}, {kRed, 0, kWhite}});
  });
  add("24 bits, top-down", [](Bmp& x) {
    x.height = -2;
    x.pixels = Rgb24({{kRed, 0, kWhite}, {kWhite, kNearWhite, kWhite}});
  });
  add("1 bit", [](Bmp& x) {
    x.bits = 1;
    x.palette = {kBlack, kWhite};
    x.pixels = {0x20, 0, 0, 0, 0xA0, 0, 0, 0};
  });
  add("1 bit, white first", [](Bmp& x) {
    x.bits = 1;
    x.palette = {kWhite, kBlack};
    x.pixels = {0xC0, 0, 0, 0, 0x40, 0, 0, 0};
  });
  add("4 bits, two whites", [](Bmp& x) {
    x.bits = 4;
    x.palette = std::vector<uint32_t>(16, kNearWhite);
    x.palette[5] = x.palette[9] = kWhite;
    x.pixels = {0x12, 0x90, 0, 0, 0x51, 0x50, 0, 0};
  });
  add("4 bits, 6 colours used", [](Bmp& x) {
    x.bits = 4;
    x.colours_used = 6;
    x.palette = {kBlack, kRed, kBlack, kBlack, kBlack, kWhite};
    x.pixels = {0xF1, 0x50, 0, 0, 0x5F, 0x50, 0, 0};  // 15: past the table, black
  });
  add("8 bits", [](Bmp& x) {
    x.bits = 8;
    x.palette = std::vector<uint32_t>(256, kBlack);
    x.palette[200] = kWhite;
    x.pixels = {1, 2, 200, 0, 200, 7, 200, 0};
  });
  add("OS/2 header, 8 bits", [](Bmp& x) {
    x.header_size = 12;
    x.bits = 8;
    x.palette = std::vector<uint32_t>(256, kRed);
    x.palette[3] = kWhite;
    x.pixels = {0, 0, 3, 0, 3, 0, 3, 0};
  });
  add("16 bits, 5-5-5", [](Bmp& x) {
    x.bits = 16;
    // bottom: 7FFE black, 0000 black, FFFF white (top bit unused); top: 7FFF, 7BFF, 7FFF
    x.pixels = {0xFE, 0x7F, 0, 0, 0xFF, 0xFF, 0, 0, 0xFF, 0x7F, 0xFF, 0x7B, 0xFF, 0x7F, 0, 0};
  });
  add("16 bits, 5-6-5 masks", [](Bmp& x) {
    x.bits = 16;
    x.compression = 3;
    x.masks = {0xF800, 0x07E0, 0x001F};
    x.pixels = {0xFF, 0x7F, 0, 0, 0xFF, 0xFF, 0, 0, 0xFF, 0xFF, 0xDF, 0xFF, 0xFF, 0xFF, 0, 0};
  });
  add("32 bits", [](Bmp& x) {
    x.bits = 32;
    x.pixels = {0xFF, 0xFF, 0xFE, 0xFF, 0,    0,    0,    0,    0xFF, 0xFF, 0xFF, 0,
                0xFF, 0xFF, 0xFF, 0x00, 0xFF, 0xFF, 0x7F, 0xFF, 0xFF, 0xFF, 0xFF, 0x12};
  });
  for (uint32_t header : {40u, 52u, 56u, 108u, 124u}) {
    add("32 bits, masks", [header](Bmp& x) {
      x.header_size = header;
      x.bits = 32;
      x.compression = 3;
      x.masks = {0xFF000000, 0x00FF0000, 0x0000FF00};  // red in the top byte
      x.pixels = {0,    0xFF, 0xFF, 0xFE, 0, 0, 0,    0,    0, 0xFF, 0xFF, 0xFF,
                  0x12, 0xFF, 0xFF, 0xFF, 0, 0, 0xFF, 0xFF, 0, 0xFF, 0xFF, 0xFF};
    });
  }
  add("8 bits, header 64", [](Bmp& x) {
    x.header_size = 64;
    x.bits = 8;
    x.colours_used = 2;
    x.palette = {kBlack, kWhite};
    x.pixels = {0, 0, 1, 0, 1, 0, 1, 0};
  });
  for (const Case& c : cases) EXPECT_EQ(Load(c.bmp), want) << c.name;
}

TEST(Load, PaletteWithoutWhiteIsAllBlack) {
  Bmp b;
  b.width = 9;
  b.bits = 1;
  b.palette = {kNearWhite, 0xFFFFFE};
  b.pixels = {0x55, 0x80, 0, 0};
  EXPECT_EQ(Load(b), Rows_{"000000000"});
  b.colours_used = 1;  // index 1 lies past the table
  b.palette = {kWhite};
  EXPECT_EQ(Load(b), Rows_{"101010100"});
}

TEST(Load, ColourTableOfTrueColourIsPassedOver) {
  Bmp b;
  b.width = 2;
  b.colours_used = 3;
  b.palette = {kWhite, kBlack, kRed};
  b.pixels = Rgb24({{kBlack, kWhite}});
  EXPECT_EQ(Load(b), Rows_{"01"});
}

// Stored pixels against a plain reading of them, for every bit count and widths across the
// whole-byte fast paths and the tails.
TEST(Load, MatchesAPlainReadingAcrossWidths) {
  std::mt19937 rng(7);
  for (int bits : {1, 4, 8, 16, 24, 32}) {
    for (int32_t width = 1; width <= 70; ++width) {
      Bmp b;
      b.width = width;
      b.height = 3;
      b.bits = static_cast<uint16_t>(bits);
      if (bits <= 8) {
        for (int i = 0; i < (1 << bits); ++i) b.palette.push_back(rng() % 3 ? kWhite : kRed);
      }
      size_t stride = (static_cast<size_t>(width) * bits + 31) / 32 * 4;
      b.pixels.resize(stride * 3);
      for (auto& v : b.pixels) v = rng() % 4 ? 0xFF : static_cast<uint8_t>(rng());
      Rows_ want(3);
      for (int r = 0; r < 3; ++r) {
        const uint8_t* row = b.pixels.data() + stride * (2 - r);
        for (int32_t x = 0; x < width; ++x) {
          bool white = false;
          if (bits <= 8) {
            unsigned index = row[x * bits / 8] >> (8 - bits - x * bits % 8) & ((1 << bits) - 1);
            white = b.palette[index] == kWhite;
          } else if (bits == 16) {
            white = ((row[2 * x] | row[2 * x + 1] << 8) & 0x7FFF) == 0x7FFF;
          } else {
            const uint8_t* p = row + x * bits / 8;
            white = p[0] == 255 && p[1] == 255 && p[2] == 255;
          }
          want[r] += white ? '1' : '0';
        }
      }
      ASSERT_EQ(Load(b), want) << bits << " bits, width " << width;
    }
  }
}

TEST(Load, FillBitsAreWhite) {
  Bmp b;
  b.width = 3;
  b.bits = 8;
  b.colours_used = 1;
  b.palette = {kBlack};
  b.pixels = {0, 0, 0, 0};
  Picture p = DecodeBytes(b.Bytes());
  EXPECT_EQ(p.Row(0)[0], 0x1F);
}

TEST(Load, ShortDataReadsAsZero) {
  Bmp b;
  b.width = 2;
  b.height = 3;
  b.pixels = Rgb24({{kWhite, kWhite}, {kWhite, kWhite}, {kWhite, kWhite}});
  b.pixels.resize(8 + 2);  // the bottom row and two thirds of a pixel of the next
  EXPECT_EQ(Load(b), (Rows_{"00", "00", "11"}));
  // A paletted picture's missing pixels take entry 0.
  Bmp p = b;
  p.bits = 8;
  p.colours_used = 2;
  p.palette = {kWhite, kBlack};
  p.pixels = {1, 1, 0, 0};
  EXPECT_EQ(Load(p), (Rows_{"11", "11", "00"}));
  // The image size takes less than the file holds.
  b.pixels = Rgb24({{kWhite, kWhite}, {kWhite, kWhite}, {kWhite, kWhite}});
  b.image_size = 8;
  EXPECT_EQ(Load(b), (Rows_{"00", "00", "11"}));
}

TEST(Load, PixelOffset) {
  Bmp b;
  b.width = 1;
  b.bits = 8;
  b.colours_used = 2;
  b.palette = {kBlack, kWhite};
  b.pixels = {1, 0, 0, 0};
  b.gap = 6;  // a gap of 0xEE bytes (entry 238: past the table, black)
  EXPECT_EQ(Load(b), Rows_{"1"}) << "an offset past the table is honoured";
  b.offset = 14 + 40 + 2;  // inside the table
  EXPECT_EQ(Load(b), Rows_{"0"}) << "an offset inside the headers reads right after the table";
  b.offset = 10000;  // past the file's end
  EXPECT_EQ(Load(b), Rows_{"0"});
  b.gap = 0;
  b.offset = 0;
  EXPECT_EQ(Load(b), Rows_{"1"});
}

// Run-length data, with a palette of entry 0 red, 1 white, 2 black.
Bmp RunLength(int bits, int32_t width, int32_t height, Bytes data) {
  Bmp b;
  b.width = width;
  b.height = height;
  b.bits = static_cast<uint16_t>(bits);
  b.compression = bits == 8 ? 1 : 2;
  b.colours_used = 3;
  b.palette = {kRed, kWhite, kBlack};
  b.image_size = static_cast<uint32_t>(data.size());  // else the stream is cut at the plain size
  b.pixels = std::move(data);
  return b;
}

TEST(Load, RunLength8) {
  struct Case {
    const char* name;
    int32_t width, height;
    Bytes data;
    Rows_ want;
  } cases[] = {
      {"runs and end of line", 4, 2, {2, 1, 2, 2, 0, 0, 1, 1, 0, 1}, {"1000", "1100"}},
      {"absolute run with its padding", 5, 1, {0, 3, 1, 2, 1, 0, 1, 1, 0, 1}, {"10110"}},
      {"absolute run, even", 4, 1, {0, 4, 1, 1, 2, 1, 0, 1}, {"1101"}},
      {"delta leaves entry 0", 4, 2, {1, 1, 0, 2, 2, 1, 1, 1, 0, 1}, {"0001", "1000"}},
      {"a run past the row is clipped", 3, 2, {5, 1, 0, 0, 1, 2, 0, 1}, {"000", "111"}},
      {"an absolute run past the row", 2, 2, {0, 3, 1, 2, 1, 0, 0, 0, 1, 1}, {"10", "10"}},
      {"end of line past the picture", 1, 1, {1, 1, 0, 0, 1, 1, 0, 0, 7, 1}, {"1"}},
      {"delta past the picture", 2, 1, {0, 2, 0, 5, 1, 1}, {"00"}},
      {"stream ends mid-escape", 2, 1, {1, 1, 0}, {"10"}},
      {"stream ends in an absolute run", 4, 1, {0, 4, 1, 1}, {"1100"}},
      {"no end of bitmap", 2, 1, {2, 1}, {"11"}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Load(RunLength(8, c.width, c.height, c.data)), c.want) << c.name;
}

TEST(Load, RunLength4) {
  struct Case {
    const char* name;
    int32_t width;
    Bytes data;
    Rows_ want;
  } cases[] = {
      {"alternating run", 5, {5, 0x12, 0, 1}, {"10101"}},
      {"run after an odd start", 6, {1, 0x22, 4, 0x21, 0, 1}, {"001010"}},
      {"same colours", 11, {11, 0x11, 0, 1}, {"11111111111"}},
      {"absolute, odd count, padded", 5, {0, 3, 0x12, 0x10, 2, 0x11, 0, 1}, {"10111"}},
      {"absolute, padding to a word", 7, {0, 5, 0x21, 0x21, 0x20, 0, 2, 0x11, 0, 1}, {"0101011"}},
      {"a run past the row", 3, {9, 0x12, 0, 1}, {"101"}},
      {"delta then run", 6, {0, 2, 3, 0, 2, 0x11, 0, 1}, {"000110"}},
  };
  for (const Case& c : cases) EXPECT_EQ(Load(RunLength(4, c.width, 1, c.data)), c.want) << c.name;
}

TEST(Load, RunLengthUnpaintedTakesEntryZero) {
  Bmp b = RunLength(8, 3, 2, {1, 2, 0, 1});
  b.palette = {kWhite, kWhite, kBlack};
  EXPECT_EQ(Load(b), (Rows_{"111", "011"}));
}

std::string Failure(const Bmp& b) {
  return FailureOf(b.Bytes());
}

TEST(Load, Failures) {
  Bmp ok;
  ok.width = 2;
  ok.pixels = Rgb24({{kWhite, kBlack}});
  ASSERT_EQ(Failure(ok), "");
  const std::string bytes = ok.Bytes();
  for (size_t n : {1, 2, 13, 14, 15, 17, 18, 30, 53})
    EXPECT_EQ(FailureOf(bytes.substr(0, n)), "EReadError") << n;
  EXPECT_EQ(FailureOf("BA" + bytes.substr(2)), "EInvalidGraphic");
  EXPECT_EQ(FailureOf("XXXXXXXXXXXXXXXXXXXXXXXXXXXXX"), "EInvalidGraphic");
  EXPECT_EQ(FailureOf(bytes.substr(0, 14) + "\xFF\xFF\xFF\xFF" + bytes.substr(18)), "EReadError")
      << "a header that claims more than the file holds";

  struct Case {
    const char* name;
    void (*change)(Bmp&);
    const char* kind;
  } cases[] = {
      {"planes 2", [](Bmp& b) { b.planes = 2; }, "EInvalidGraphic"},
      {"planes 0", [](Bmp& b) { b.planes = 0; }, "EInvalidGraphic"},
      {"header size 39", [](Bmp& b) { b.header_size = 39; }, "EInvalidGraphic"},
      {"header size 13", [](Bmp& b) { b.header_size = 13; }, "EInvalidGraphic"},
      {"bits 2", [](Bmp& b) { b.bits = 2; }, "EInvalidGraphic"},
      {"bits 0", [](Bmp& b) { b.bits = 0; }, "EInvalidGraphic"},
      {"bits 64", [](Bmp& b) { b.bits = 64; }, "EInvalidGraphic"},
      {"compression 4", [](Bmp& b) { b.compression = 4; }, "EInvalidGraphic"},
      {"compression 6", [](Bmp& b) { b.compression = 6; }, "EInvalidGraphic"},
      {"RLE8 at 24 bits", [](Bmp& b) { b.compression = 1; }, "EInvalidGraphic"},
      {"RLE4 at 8 bits",
       [](Bmp& b) {
         b.bits = 8;
         b.compression = 2;
       },
       "EInvalidGraphic"},
      {"bit fields at 24 bits",
       [](Bmp& b) {
         b.compression = 3;
         b.masks = {1, 2, 4};
       },
       "EInvalidGraphic"},
      {"run length top-down",
       [](Bmp& b) {
         b.bits = 8;
         b.compression = 1;
         b.height = -1;
       },
       "EInvalidGraphic"},
      {"257 colours", [](Bmp& b) { b.colours_used = 257; }, "EInvalidGraphic"},
      {"colours used huge", [](Bmp& b) { b.colours_used = 0xFFFFFFFF; }, "EInvalidGraphic"},
      {"zero mask",
       [](Bmp& b) {
         b.bits = 32;
         b.compression = 3;
         b.masks = {0xFF0000, 0, 0xFF};
       },
       "EInvalidGraphic"},
      {"broken mask",
       [](Bmp& b) {
         b.bits = 32;
         b.compression = 3;
         b.masks = {0xFF0000, 0xF0F0, 0xFF};
       },
       "EInvalidGraphic"},
      {"masks cut short",
       [](Bmp& b) {
         b.bits = 32;
         b.compression = 3;
         b.pixels.clear();
         b.masks = {0xFF0000};
       },
       "EReadError"},
      {"colour table cut short",
       [](Bmp& b) {
         b.bits = 8;
         b.palette = {0, 0};
         b.pixels.clear();
       },
       "EReadError"},
      {"width 0", [](Bmp& b) { b.width = 0; }, "EInvalidGraphic"},
      {"height 0", [](Bmp& b) { b.height = 0; }, "EInvalidGraphic"},
      {"image size too big", [](Bmp& b) { b.image_size = 9; }, "EInvalidGraphic"},
      {"negative width", [](Bmp& b) { b.width = -2; }, "EWin32Error"},
      {"INT_MIN width", [](Bmp& b) { b.width = INT_MIN; }, "EWin32Error"},
      {"INT_MIN height", [](Bmp& b) { b.height = INT_MIN; }, "EOutOfResources"},
      {"2^30 by 2^30", [](Bmp& b) { b.width = b.height = 1 << 30; }, "EOutOfResources"},
      {"2^31-1 by 2^31-1", [](Bmp& b) { b.width = b.height = INT_MAX; }, "EOutOfResources"},
  };
  for (const Case& c : cases) {
    Bmp b = ok;
    c.change(b);
    EXPECT_EQ(Failure(b), c.kind) << c.name;
  }
  // Run-length image sizes are compressed lengths, never compared with the picture.
  Bmp rle = RunLength(8, 2, 1, {2, 1, 0, 1});
  rle.image_size = 1000;
  EXPECT_EQ(Failure(rle), "");
  // All-ones masks are one unbroken run.
  Bmp all = ok;
  all.bits = 32;
  all.compression = 3;
  all.masks = {0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF};
  all.pixels = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0};
  EXPECT_EQ(Load(all), Rows_{"10"});
}

TEST(Load, HugeClaimsAreRefusedAtOnce) {
  Bmp b;
  b.width = 1 << 30;
  b.height = 1 << 30;
  b.bits = 1;
  b.palette = {kBlack, kWhite};
  auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(Failure(b), "EOutOfResources");
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

}  // namespace
