// Hostile input and faults, against the built program: huge claims in tiny files, conversions
// racing for one file, file systems that fill up.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/stat.h>

#include <thread>

#include "bmp_builder.h"
#include "report_util.h"
#include "run_util.h"
#include "test_util.h"

namespace {

int64_t FileSize(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 ? st.st_size : -1;
}

// The document's length for a width and height: its fixed lines and one line per row.
int64_t DocumentSize(int64_t w, int64_t h) {
  int64_t row_bytes = (w + 7) / 8;
  std::string p = std::to_string(8 * row_bytes), hs = std::to_string(h);
  std::string fixed =
      "%!PS-Adobe-2.0 EPSF-2.0\r\n%%Title:BMP->EPS\r\n%%Creator:TORVI\r\n"
      "%%BoundingBox:10 10 " +
      std::to_string(w + 10) + " " + std::to_string(h + 10) +
      "\r\n%%EndComments\r\ngsave\r\n10 10 translate\r\n" + p + " " + hs +
      " scale\r\n/BMPF\r\n<\r\n>def\r\n" + p + " " + hs + " 1 [" + p + " 0 0 " + hs +
      " 0 0] {BMPF} image\r\ngrestore\r\nshowpage\r\n";
  return static_cast<int64_t>(fixed.size()) + h * (2 * row_bytes + 2);
}

// A tiny file that claims a large picture: a whole document of that size, in memory no larger
// than the one-bit picture.
TEST(HostileHeaders, TinyFilesClaimingLargePictures) {
  struct Case {
    const char* name;
    Bmp bmp;
  };
  Bmp pal1;
  pal1.bits = 1;
  pal1.palette = {0, 0xFFFFFF};
  pal1.width = pal1.height = 65535;
  pal1.pixels = {0x55, 0x55, 0x55, 0x55};
  Bmp os2 = pal1;  // the 16-bit limit of an OS/2 header, 24 bits a pixel
  os2.header_size = 12;
  os2.bits = 24;
  os2.palette.clear();
  Bmp wide;  // a row of 2^26 + 1 pixels at 32 bits: more than 2^32 bits
  wide.width = (1 << 26) + 1;
  wide.bits = 32;
  wide.pixels.assign(64, 0xFF);
  Bmp tall;  // a top-down picture 2^24 rows high
  tall.width = 3;
  tall.height = -(1 << 24);
  tall.pixels.assign(16, 0xFF);
  for (const Case& c : {Case{"65535 x 65535, 1 bit", pal1}, Case{"OS/2, 65535 x 65535", os2},
                        Case{"row past 32 bits", wide}, Case{"2^24 rows top-down", tall}}) {
    TempDir dir;
    WriteFile(dir / "in.bmp", c.bmp.Bytes());
    RunResult r = Torvi({"in.bmp", "out.eps"}, {dir.path()});
    EXPECT_EQ(r.status, 0) << c.name << "\n" << r.out;
    int64_t w = c.bmp.width, h = c.bmp.height < 0 ? -int64_t{c.bmp.height} : c.bmp.height;
    EXPECT_EQ(FileSize(dir / "out.eps"), DocumentSize(w, h)) << c.name;
    int64_t picture_kib = (w + 7) / 8 * h / 1024;
    EXPECT_LE(r.peak_kib, picture_kib * 5 / 4 + 64 * 1024) << c.name;
  }
}

TEST(HostileHeaders, RefusedAtOnce) {
  struct Case {
    const char* name;
    int32_t width, height;
    uint16_t bits;
  } cases[] = {
      {"2^31-1 square", INT32_MAX, INT32_MAX, 1},
      {"INT_MIN height", 16, INT32_MIN, 24},
      {"2^31-1 wide, 2^5 high", INT32_MAX, 32, 24},
  };
  for (const Case& c : cases) {
    Bmp b;
    b.width = c.width;
    b.height = c.height;
    b.bits = c.bits;
    b.pixels.assign(8, 0);
    TempDir dir;
    WriteFile(dir / "in.bmp", b.Bytes());
    RunResult r = Torvi({"in.bmp", "out.eps"}, {dir.path()});
    EXPECT_EQ(r.status, 1) << c.name;
    EXPECT_TRUE(Matches(r.out, "EOutOfResources",
                        "\x83V\x83X\x83"
                        "e\x83\x80 \x83\x8A\x83\x5C\x81[\x83X\x82\xAA\x91\xAB\x82"
                        "\xE8\x82\xDC\x82\xB9\x82\xF1"))
        << c.name << "\n"
        << r.out;
    EXPECT_FALSE(Exists(dir / "out.eps")) << c.name;
    EXPECT_LT(r.peak_kib, 64 * 1024) << c.name;
  }
}

std::string Picture24(int32_t w, int32_t h) {
  Bmp b;
  b.width = w;
  b.height = h;
  size_t stride = (static_cast<size_t>(w) * 3 + 3) / 4 * 4;
  b.pixels.resize(stride * h);
  for (size_t i = 0; i < b.pixels.size(); ++i) b.pixels[i] = (i / 3 + i / stride) % 5 ? 0xFF : 0;
  return b.Bytes();
}

// Two conversions started together onto one output: each either writes the whole document or is
// refused with code 32; the file is never a mix.
TEST(Concurrency, TwoConversionsOntoOneOutput) {
  TempDir dir;
  WriteFile(dir / "in.bmp", Picture24(3000, 3000));
  ASSERT_EQ(Torvi({"in.bmp", "want.eps"}, {dir.path()}).status, 0);
  const std::string want = ReadFile(dir / "want.eps");
  int refused = 0;
  for (int round = 0; round < 10; ++round) {
    Started a = Start({"in.bmp", "out.eps"}, {dir.path()});
    Started b = Start({"in.bmp", "out.eps"}, {dir.path()});
    RunResult ra = Finish(a), rb = Finish(b);
    EXPECT_EQ(ra.status == 0 || rb.status == 0, true);
    for (const RunResult* r : {&ra, &rb}) {
      if (r->status == 0) continue;
      ++refused;
      EXPECT_TRUE(Matches(r->out, "EInOutError", kIoError + "32)")) << r->out;
    }
    ASSERT_TRUE(ReadFile(dir / "out.eps") == want) << "round " << round;
  }
  std::cout << "refused " << refused << " of 10 second starters\n";
}

// Waits until `path` holds bytes while `s` is still running.
bool WaitForOutput(const Started& s, const std::string& path) {
  for (int i = 0; i < 20000; ++i) {
    if (FileSize(path) > 0) return kill(s.pid, 0) == 0;
    usleep(100);
  }
  return false;
}

TEST(Concurrency, InputBeingWrittenCannotBeOpened) {
  TempDir dir;
  Bmp big;  // a document of about 1 GiB: long enough to be caught writing
  big.bits = 1;
  big.palette = {0, 0xFFFFFF};
  big.width = big.height = 65535;
  WriteFile(dir / "in.bmp", big.Bytes());
  Started writer = Start({"in.bmp", "doc.eps"}, {dir.path()});
  bool writing = WaitForOutput(writer, dir / "doc.eps");
  RunResult reader = Torvi({"doc.eps", "out.eps"}, {dir.path()});
  kill(writer.pid, SIGKILL);
  Finish(writer);
  ASSERT_TRUE(writing) << "the writer finished before it could be caught";
  EXPECT_EQ(reader.status, 1);
  EXPECT_TRUE(Matches(reader.out, "EFOpenError", kFOpen + "doc.eps" + kCannotOpen)) << reader.out;
}

// A file system that fills up: the report, and a file holding exactly what the system took, a
// prefix of the document.
TEST(Faults, FileSystemFillsUp) {
  TempDir dir;
  mkdir((dir / "small").c_str(), 0755);
  if (mount("tmpfs", (dir / "small").c_str(), "tmpfs", 0, "size=64k") != 0)
    GTEST_SKIP() << "cannot mount a small tmpfs here (needs root)";
  WriteFile(dir / "in.bmp", Picture24(1000, 1000));
  RunResult r = Torvi({"in.bmp", "small/out.eps"}, {dir.path()});
  std::string got = ReadFile(dir / "small/out.eps");
  umount((dir / "small").c_str());
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "");
  EXPECT_TRUE(Matches(r.out, "EInOutError", kIoError + "112)")) << r.out;
  ASSERT_EQ(Torvi({"in.bmp", "whole.eps"}, {dir.path()}).status, 0);
  std::string whole = ReadFile(dir / "whole.eps");
  EXPECT_GT(got.size(), 0u);
  EXPECT_LT(got.size(), whole.size());
  EXPECT_EQ(got, whole.substr(0, got.size()));
}

}  // namespace
