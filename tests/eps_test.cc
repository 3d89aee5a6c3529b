#include "eps.h"

#include <gtest/gtest.h>

#include "test_util.h"

namespace {

std::string Document(const Picture& picture) {
  TempDir dir;
  TextFile out(4096);
  out.Assign(dir / "out.eps");
  out.Rewrite();
  EXPECT_EQ(IOResult(), 0);
  WriteDocument(picture, out);
  return ReadFile(dir / "out.eps");
}

std::vector<std::string> Lines(const std::string& doc) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = doc.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(doc.substr(start, end - start));
  EXPECT_EQ(start, doc.size()) << "the document ends in CR LF";
  return lines;
}

TEST(Document, WorkedExample) {
  std::string doc = Document(MakePicture(3, {"101", "001"}));
  EXPECT_EQ(doc,
            "%!PS-Adobe-2.0 EPSF-2.0\r\n%%Title:BMP->EPS\r\n%%Creator:TORVI\r\n"
            "%%BoundingBox:10 10 13 12\r\n%%EndComments\r\ngsave\r\n10 10 translate\r\n"
            "8 2 scale\r\n/BMPF\r\n<\r\n3F\r\nBF\r\n>def\r\n"
            "8 2 1 [8 0 0 2 0 0] {BMPF} image\r\ngrestore\r\nshowpage\r\n");
  EXPECT_EQ(doc.size(), 215u);
}

TEST(Document, EmptyPictureHasFourteenLines) {
  auto lines = Lines(Document(Picture()));
  ASSERT_EQ(lines.size(), 14u);
  EXPECT_EQ(lines[3], "%%BoundingBox:10 10 10 10");
  EXPECT_EQ(lines[7], "0 0 scale");
  EXPECT_EQ(lines[9], "<");
  EXPECT_EQ(lines[10], ">def");
  EXPECT_EQ(lines[11], "0 0 1 [0 0 0 0 0 0] {BMPF} image");
}

TEST(Document, NumbersFollowTheSize) {
  struct Case {
    int32_t width;
    std::vector<std::string> rows;
    std::vector<std::string> data;  // the data lines, bottom row first
    std::string box, scale, image;
  } cases[] = {
      {10, {"0000000000"}, {"003F"}, "10 10 20 11", "16 1 scale", "16 1 1 [16 0 0 1 0 0]"},
      {16,
       {"1010101011110000", "0000000000000001"},
       {"0001", "AAF0"},
       "10 10 26 12",
       "16 2 scale",
       "16 2 1 [16 0 0 2 0 0]"},
      {8, {"10101011"}, {"AB"}, "10 10 18 11", "8 1 scale", "8 1 1 [8 0 0 1 0 0]"},
      {1, {"1", "0", "1"}, {"FF", "7F", "FF"}, "10 10 11 13", "8 3 scale", "8 3 1 [8 0 0 3 0 0]"},
  };
  for (const Case& c : cases) {
    auto lines = Lines(Document(MakePicture(c.width, c.rows)));
    ASSERT_EQ(lines.size(), 14 + c.rows.size());
    EXPECT_EQ(lines[3], "%%BoundingBox:" + c.box);
    EXPECT_EQ(lines[7], c.scale);
    std::vector<std::string> data(lines.begin() + 10, lines.begin() + 10 + c.rows.size());
    EXPECT_EQ(data, c.data) << "width " << c.width;
    EXPECT_EQ(lines[11 + c.rows.size()], c.image + " {BMPF} image");
  }
}

TEST(Document, ZeroWidthGivesEmptyDataLines) {
  Picture picture(0, 2);
  auto lines = Lines(Document(picture));
  ASSERT_EQ(lines.size(), 16u);
  EXPECT_EQ(lines[7], "0 2 scale");
  EXPECT_EQ(lines[10], "");
  EXPECT_EQ(lines[11], "");
  EXPECT_EQ(lines[13], "0 2 1 [0 0 0 2 0 0] {BMPF} image");
}

TEST(Document, WideRowsCrossTheWritersChunks) {
  // A row longer than the buffer and the encoder's chunk: every byte still in place.
  int32_t width = 8 * 40000 + 3;
  std::string row;
  for (int32_t x = 0; x < width; ++x) row += (x * 7 % 11 < 5) ? '1' : '0';
  auto lines = Lines(Document(MakePicture(width, {row})));
  ASSERT_EQ(lines.size(), 15u);
  const std::string& hex = lines[10];
  ASSERT_EQ(hex.size(), 2u * 40001);
  for (int32_t b = 0; b < 40001; ++b) {
    unsigned v = 0;
    for (int i = 0; i < 8; ++i) {
      int32_t x = b * 8 + i;
      v = v << 1 | (x >= width || row[x] == '1');
    }
    char want[3];
    snprintf(want, sizeof want, "%02X", v);
    ASSERT_EQ(hex.substr(2 * b, 2), want) << "byte " << b;
  }
}

}  // namespace
