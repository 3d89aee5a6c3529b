#include "file_name.h"

#include <gtest/gtest.h>

namespace {

TEST(ChangeFileExt, NameTable) {
  const LeadBytes none;
  const char* cases[][2] = {
      {"pic.bmp", "pic.eps"},
      {"pic", "pic.eps"},
      {"pic.", "pic.eps"},
      {".bmp", ".eps"},
      {"pic.tar.bmp", "pic.tar.eps"},
      {"dir.d\\pic", "dir.d\\pic.eps"},
      {"c:\\x.y\\z.bmp", "c:\\x.y\\z.eps"},
      {"a:b", "a:b.eps"},
      {"dir\\", "dir\\.eps"},
      // A slash separates directories too.
      {"dir.d/pic", "dir.d/pic.eps"},
      {"dir.d/", "dir.d/.eps"},
      {"./pic", "./pic.eps"},
      {"../x.y/z.bmp", "../x.y/z.eps"},
      {"/tmp/a.b.c", "/tmp/a.b.eps"},
      {"", ".eps"},
  };
  for (auto& c : cases) EXPECT_EQ(ChangeFileExt(c[0], ".eps", none), c[1]) << c[0];
}

TEST(ChangeFileExt, DoubleByteNames) {
  const LeadBytes sjis = LeadBytesOf("SHIFT_JIS"), none;
  // x, a full stop, and a character whose second byte is 0x5C (a backslash on its own).
  const std::string so = "x.\x83\x5C";
  EXPECT_EQ(ChangeFileExt(so, ".eps", sjis), "x.eps");
  EXPECT_EQ(ChangeFileExt(so, ".eps", none), so + ".eps");
  struct Case {
    std::string name, sjis, single;
  } cases[] = {
      // 写.bmp: no lead byte in front of the full stop either way.
      {"\x8E\xCA.bmp", "\x8E\xCA.eps", "\x8E\xCA.eps"},
      // A run of three lead bytes before 0x5C: the third pairs with it.
      {"a.\x81\x81\x81\x5C", "a.eps", "a.\x81\x81\x81\x5C.eps"},
      // A run of two: 0x5C stands alone and is a separator.
      {"a.\x81\x81\x5C", "a.\x81\x81\x5C.eps", "a.\x81\x81\x5C.eps"},
      // 0x2E as a second byte is no full stop.
      {"ab\x83.c", "ab\x83.c.eps", "ab\x83.eps"},
      // A lead byte at the very end stands alone.
      {"a.b\x83", "a.eps", "a.eps"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ChangeFileExt(c.name, ".eps", sjis), c.sjis) << c.name;
    EXPECT_EQ(ChangeFileExt(c.name, ".eps", none), c.single) << c.name;
  }
}

TEST(LeadBytesOf, CharacterSets) {
  for (const char* name : {"SHIFT_JIS", "SJIS", "CP932", "shift-jis", "WINDOWS-31J"}) {
    LeadBytes lead = LeadBytesOf(name);
    EXPECT_EQ(lead.count(), 31u + 29u) << name;
    EXPECT_TRUE(lead[0x81] && lead[0x9F] && lead[0xE0] && lead[0xFC]) << name;
    EXPECT_FALSE(lead[0x80] || lead[0xA0] || lead[0xDF] || lead[0xFD] || lead['\\']) << name;
  }
  for (const char* name : {"UTF-8", "ANSI_X3.4-1968", "ISO-8859-1", "EUC-JP", ""})
    EXPECT_TRUE(LeadBytesOf(name).none()) << name;
}

TEST(ExtractFileName, AfterTheLastSeparator) {
  const LeadBytes sjis = LeadBytesOf("CP932"), none;
  EXPECT_EQ(ExtractFileName("/usr/bin/torvi", none), "torvi");
  EXPECT_EQ(ExtractFileName("C:\\tools\\torvi.exe", none), "torvi.exe");
  EXPECT_EQ(ExtractFileName("torvi", none), "torvi");
  EXPECT_EQ(ExtractFileName("C:\\\x83\x5C\\torvi.exe", sjis), "torvi.exe");
  EXPECT_EQ(ExtractFileName("C:\\a\x83\x5Ct.exe", sjis), "a\x83\x5Ct.exe");
}

}  // namespace
