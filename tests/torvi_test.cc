// The built program, run as a user runs it.
#include <dirent.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <locale.h>
#include <sys/file.h>
#include <sys/stat.h>

#include <climits>
#include <cstring>
#include <functional>
#include <random>

#include "bmp_builder.h"
#include "example.h"
#include "report_util.h"
#include "run_util.h"
#include "test_util.h"

namespace {

std::vector<std::string> Files(const TempDir& dir) {
  std::vector<std::string> names;
  DIR* d = opendir(dir.path().c_str());
  while (dirent* e = readdir(d))
    if (strcmp(e->d_name, ".") != 0 && strcmp(e->d_name, "..") != 0) names.push_back(e->d_name);
  closedir(d);
  return names;
}

TEST(Run, BannerWithoutArguments) {
  TempDir dir;
  RunResult r = Torvi({}, {dir.path()});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, kBanner);
  EXPECT_EQ(r.err, "");
  EXPECT_TRUE(Files(dir).empty());
}

TEST(Run, OneTwoAndThreeArguments) {
  TempDir dir;
  WriteFile(dir / "pic.bmp", ExampleBmp());
  RunResult r = Torvi({"pic.bmp"}, {dir.path()});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out + r.err, "");
  EXPECT_EQ(ReadFile(dir / "pic.eps"), kWorkedExample);

  EXPECT_EQ(Torvi({"pic.bmp", "out.txt"}, {dir.path()}).status, 0);
  EXPECT_EQ(ReadFile(dir / "out.txt"), kWorkedExample);

  EXPECT_EQ(Torvi({"pic.bmp", "three.eps", "ignored.eps"}, {dir.path()}).status, 0);
  EXPECT_EQ(ReadFile(dir / "three.eps"), kWorkedExample);
  EXPECT_FALSE(Exists(dir / "ignored.eps"));

  // A name with blanks is one argument.
  WriteFile(dir / "my pic.bmp", ExampleBmp());
  EXPECT_EQ(Torvi({"my pic.bmp"}, {dir.path()}).status, 0);
  EXPECT_EQ(ReadFile(dir / "my pic.eps"), kWorkedExample);
}

TEST(Run, DerivedNamesKeepTheirDirectory) {
  TempDir dir;
  mkdir((dir / "dir.d").c_str(), 0755);
  WriteFile(dir / "dir.d/pic", ExampleBmp());
  EXPECT_EQ(Torvi({"dir.d/pic"}, {dir.path()}).status, 0);
  EXPECT_EQ(ReadFile(dir / "dir.d/pic.eps"), kWorkedExample);
  EXPECT_FALSE(Exists(dir / "dir.eps"));
}

TEST(Run, EmptyFileGivesTheEmptyDocument) {
  TempDir dir;
  WriteFile(dir / "empty.bmp", "");
  EXPECT_EQ(Torvi({"empty.bmp"}, {dir.path()}).status, 0);
  EXPECT_EQ(ReadFile(dir / "empty.eps"),
            "%!PS-Adobe-2.0 EPSF-2.0\r\n%%Title:BMP->EPS\r\n%%Creator:TORVI\r\n"
            "%%BoundingBox:10 10 10 10\r\n%%EndComments\r\ngsave\r\n10 10 translate\r\n"
            "0 0 scale\r\n/BMPF\r\n<\r\n>def\r\n0 0 1 [0 0 0 0 0 0] {BMPF} image\r\n"
            "grestore\r\nshowpage\r\n");
}

TEST(Run, TopDownEqualsBottomUp) {
  TempDir dir;
  WriteFile(dir / "up.bmp", ExampleBmp(false));
  WriteFile(dir / "down.bmp", ExampleBmp(true));
  EXPECT_EQ(Torvi({"up.bmp"}, {dir.path()}).status, 0);
  EXPECT_EQ(Torvi({"down.bmp"}, {dir.path()}).status, 0);
  EXPECT_EQ(ReadFile(dir / "down.eps"), ReadFile(dir / "up.eps"));
}

TEST(Run, BitmapNamedEpsIsReplacedByItsDocument) {
  TempDir dir;
  WriteFile(dir / "x.eps", ExampleBmp());
  RunResult r = Torvi({"x.eps"}, {dir.path()});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(ReadFile(dir / "x.eps"), kWorkedExample);
}

TEST(Run, OutputIntoAPipe) {
  TempDir dir;
  WriteFile(dir / "pic.bmp", ExampleBmp());
  RunResult r = Torvi({"pic.bmp", "/dev/stdout"}, {dir.path()});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, kWorkedExample);
}

bool HasLocale(const char* name) {
  locale_t l = newlocale(LC_CTYPE_MASK, name, nullptr);
  if (!l) return false;
  freelocale(l);
  return true;
}

TEST(Run, DoubleByteNamesFollowTheLocale) {
  TempDir dir;
  // 写.bmp in UTF-8: no lead bytes, the extension changes as usual.
  WriteFile(dir / "\xE5\x86\x99.bmp", ExampleBmp());
  EXPECT_EQ(Torvi({"\xE5\x86\x99.bmp"}, {dir.path(), {"LC_ALL=C.UTF-8"}}).status, 0);
  EXPECT_EQ(ReadFile(dir / "\xE5\x86\x99.eps"), kWorkedExample);
  // x.ソ, whose second byte 0x5C is a backslash to a single-byte system.
  const std::string so = "x.\x83\x5C";
  WriteFile(dir / so, ExampleBmp());
  EXPECT_EQ(Torvi({so}, {dir.path(), {"LC_ALL=C"}}).status, 0);
  EXPECT_TRUE(Exists(dir / (so + ".eps")));
  if (!HasLocale("ja_JP.SJIS"))
    GTEST_SKIP() << "no ja_JP.SJIS locale (localedef -f SHIFT_JIS -i ja_JP ja_JP.SJIS)";
  EXPECT_EQ(Torvi({so}, {dir.path(), {"LC_ALL=ja_JP.SJIS"}}).status, 0);
  EXPECT_EQ(ReadFile(dir / "x.eps"), kWorkedExample);
}

// Ghostscript reads the document back; every pixel must be the picture's.
TEST(Run, GhostscriptDrawsThePicture) {
  if (system("command -v gs >/dev/null 2>&1") != 0) GTEST_SKIP() << "no Ghostscript (gs)";
  const int32_t w = 37, h = 23;
  std::mt19937 rng(3);
  std::vector<std::vector<uint32_t>> top_first(h, std::vector<uint32_t>(w));
  Bmp b;
  b.width = w;
  b.height = h;
  for (int32_t y = h - 1; y >= 0; --y) {
    for (int32_t x = 0; x < w; ++x) {
      uint32_t c = rng() % 2 ? 0xFFFFFF : (rng() % 2 ? 0xFEFFFF : 0);
      top_first[y][x] = c;
      for (int k = 0; k < 3; ++k) b.pixels.push_back(static_cast<uint8_t>(c >> (8 * k)));
    }
    while (b.pixels.size() % 4) b.pixels.push_back(0);
  }
  TempDir dir;
  WriteFile(dir / "pic.bmp", b.Bytes());
  ASSERT_EQ(Torvi({"pic.bmp"}, {dir.path()}).status, 0);
  std::string cmd =
      "gs -q -dSAFER -dBATCH -dNOPAUSE -dEPSCrop -r72 -sDEVICE=pbmraw -sOutputFile='" +
      (dir / "pic.pbm") + "' '" + (dir / "pic.eps") + "' >/dev/null 2>&1";
  ASSERT_EQ(system(cmd.c_str()), 0);
  // P4, comment lines, width, height, one whitespace byte, then rows of bits (1 black).
  std::istringstream pbm(ReadFile(dir / "pic.pbm"));
  std::string magic, line;
  pbm >> magic >> std::ws;
  while (pbm.peek() == '#') std::getline(pbm, line);
  int32_t pw = 0, ph = 0;
  pbm >> pw >> ph;
  pbm.get();
  ASSERT_EQ(magic, "P4");
  ASSERT_EQ(pw, w);
  ASSERT_EQ(ph, h);
  std::string bits((std::istreambuf_iterator<char>(pbm)), std::istreambuf_iterator<char>());
  const size_t row_bytes = (w + 7) / 8;
  ASSERT_EQ(bits.size(), row_bytes * h);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) {
      bool black = bits[y * row_bytes + x / 8] >> (7 - x % 8) & 1;
      EXPECT_EQ(black, top_first[y][x] != 0xFFFFFF) << x << "," << y;
    }
}

std::string BigExample() {
  // 64 x 64, so that its document (over 8 KiB) passes any small limit.
  Bmp b;
  b.width = 64;
  b.height = 64;
  b.pixels.assign(64 * 64 * 3, 0x80);
  return b.Bytes();
}

RunOptions FileSizeLimit(long bytes) {
  RunOptions o;
  o.file_size_limit = bytes;
  return o;
}

TEST(Failures, ReportTable) {
  struct Case {
    const char* name;
    std::function<void(const TempDir&)> setup;
    std::vector<std::string> args;
    std::string kind, message;
    std::string output;  // what out.eps holds afterwards; "-" when it must not exist
    RunOptions options = {};
  };
  const std::string keep = "kept as it was";
  auto keep_output = [&](const TempDir& d) { WriteFile(d / "out.eps", keep); };
  auto input = [&](std::string bytes) {
    return [=](const TempDir& d) {
      WriteFile(d / "in.bmp", bytes);
      WriteFile(d / "out.eps", keep);
    };
  };
  Bmp ok;
  ok.width = 2;
  ok.pixels = {255, 255, 255, 0, 0, 0, 0, 0};
  const std::string good = ok.Bytes();
  Bmp planes = ok, negative = ok, huge = ok, table = ok;
  planes.planes = 2;
  negative.width = -2;
  huge.width = huge.height = 1 << 30;
  huge.pixels.resize(4);
  table.bits = 8;
  table.palette = {0, 0, 0};
  table.pixels.clear();
  std::vector<Case> cases = {
      {"missing input",
       keep_output,
       {"missing.bmp", "out.eps"},
       "EFOpenError",
       kFOpen + "missing.bmp" + kCannotOpen,
       keep},
      {"input a directory",
       [&](const TempDir& d) {
         mkdir((d / "in.bmp").c_str(), 0755);
         keep_output(d);
       },
       {"in.bmp", "out.eps"},
       "EFOpenError",
       kFOpen + "in.bmp" + kCannotOpen,
       keep},
      {"1 byte", input("B"), {"in.bmp", "out.eps"}, "EReadError", kReadError, keep},
      {"13 bytes",
       input(good.substr(0, 13)),
       {"in.bmp", "out.eps"},
       "EReadError",
       kReadError,
       keep},
      {"15 bytes",
       input(good.substr(0, 15)),
       {"in.bmp", "out.eps"},
       "EReadError",
       kReadError,
       keep},
      {"not BM",
       input("PK" + good.substr(2)),
       {"in.bmp", "out.eps"},
       "EInvalidGraphic",
       kInvalid,
       keep},
      {"planes 2", input(planes.Bytes()), {"in.bmp", "out.eps"}, "EInvalidGraphic", kInvalid, keep},
      {"colour table cut short",
       input(table.Bytes()),
       {"in.bmp", "out.eps"},
       "EReadError",
       kReadError,
       keep},
      {"negative width",
       input(negative.Bytes()),
       {"in.bmp", "out.eps"},
       "EWin32Error",
       "Win32 \x83G\x83\x89\x81[\x81\x42\x83R\x81[\x83h : 87.\n\x83p\x83\x89\x83\x81\x81[\x83^\x81["
       "\x82\xAA\x8A\xD4\x88\xE1\x82\xC1\x82\xC4\x82\xA2\x82\xDC\x82\xB7\x81\x42",
       keep},
      {"2^30 by 2^30 in a tiny file",
       input(huge.Bytes()),
       {"in.bmp", "out.eps"},
       "EOutOfResources",
       "\x83V\x83X\x83"
       "e\x83\x80 \x83\x8A\x83\x5C\x81[\x83X\x82\xAA\x91\xAB\x82\xE8\x82\xDC\x82\xB9"
       "\x82\xF1",
       keep},
      {"output directory missing",
       input(good),
       {"in.bmp", "no/such/out.eps"},
       "EInOutError",
       "\x95s\x90\xB3\x82\xC8\x83t\x83@\x83"
       "C\x83\x8B\x96\xBC\x82\xC5\x82\xB7",
       keep},
      {"output a directory",
       [&](const TempDir& d) {
         input(good)(d);
         mkdir((d / "dir.eps").c_str(), 0755);
       },
       {"in.bmp", "dir.eps"},
       "EInOutError",
       "\x83t\x83@\x83"
       "C\x83\x8B\x82\xD6\x82\xCC\x83"
       "A\x83N\x83Z\x83X\x82\xAA\x8B\x91\x94\xDB\x82"
       "\xB3\x82\xEA\x82\xDC\x82\xB5\x82\xBD",
       keep},
      {"disk full", input(good), {"in.bmp", "/dev/full"}, "EInOutError", kIoError + "112)", keep},
      {"file-size limit",
       input(BigExample()),
       {"in.bmp", "out.eps"},
       "EInOutError",
       kIoError + "223)",
       "prefix",
       FileSizeLimit(1000)},
  };
  for (Case& c : cases) {
    TempDir dir;
    c.setup(dir);
    c.options.dir = dir.path();
    RunResult r = Torvi(c.args, c.options);
    EXPECT_EQ(r.status, 1) << c.name;
    EXPECT_EQ(r.err, "") << c.name;
    EXPECT_TRUE(Matches(r.out, c.kind, c.message)) << c.name << ":\n" << r.out;
    if (c.output == "prefix") {
      // Exactly the bytes the system took: the start of the document, 1000 bytes long.
      std::string doc = ReadFile(dir / "out.eps");
      EXPECT_EQ(doc.size(), 1000u) << c.name;
      WriteFile(dir / "whole.bmp", ReadFile(dir / "in.bmp"));
      ASSERT_EQ(Torvi({"whole.bmp"}, {dir.path()}).status, 0);
      EXPECT_EQ(doc, ReadFile(dir / "whole.eps").substr(0, 1000)) << c.name;
    } else {
      EXPECT_EQ(ReadFile(dir / "out.eps"), c.output) << c.name;
    }
  }
}

// Memory that cannot be had: the system's text for its error number 8, which ends in CR LF, so the
// end mark stands alone on a third line.
TEST(Failures, MemoryThatCannotBeHad) {
#ifdef __SANITIZE_ADDRESS__
  GTEST_SKIP() << "AddressSanitizer cannot run under an address-space limit";
#endif
  TempDir dir;
  Bmp b;  // a 200 MiB one-bit picture
  b.bits = 1;
  b.palette = {0, 0xFFFFFF};
  b.width = 40000;
  b.height = 40000;
  WriteFile(dir / "in.bmp", b.Bytes());
  RunOptions limited(dir.path());
  limited.memory_limit = 128L << 20;
  RunResult r = Torvi({"in.bmp", "out.eps"}, limited);
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(
      Matches(r.out, "EOutOfResources",
              "\x82\xB1\x82\xCC\x83R\x83}\x83\x93\x83h\x82\xF0\x8E\xC0\x8Ds\x82\xB7\x82\xE9"
              "\x82\xCC\x82\xC9\x8F\x5C\x95\xAA\x82\xC8\x8BL\x89\xAF\x88\xE6\x82\xAA\x82\xA0"
              "\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81\x42\r\n"))
      << r.out;
  EXPECT_FALSE(Exists(dir / "out.eps"));
}

TEST(Failures, LocksBetweenConversions) {
  TempDir dir;
  WriteFile(dir / "in.bmp", ExampleBmp());
  WriteFile(dir / "out.eps", "held by another");
  {
    // An output that another process holds: refused with code 32, nothing destroyed.
    int fd = open((dir / "out.eps").c_str(), O_RDWR);
    ASSERT_EQ(flock(fd, LOCK_EX | LOCK_NB), 0);
    RunResult r = Torvi({"in.bmp", "out.eps"}, {dir.path()});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Matches(r.out, "EInOutError", kIoError + "32)")) << r.out;
    EXPECT_EQ(ReadFile(dir / "out.eps"), "held by another");
    close(fd);
  }
  {
    // An input that another process is writing: cannot be opened.
    int fd = open((dir / "in.bmp").c_str(), O_RDWR);
    ASSERT_EQ(flock(fd, LOCK_EX | LOCK_NB), 0);
    RunResult r = Torvi({"in.bmp", "out.eps"}, {dir.path()});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Matches(r.out, "EFOpenError", kFOpen + "in.bmp" + kCannotOpen)) << r.out;
    close(fd);
  }
  EXPECT_EQ(Torvi({"in.bmp", "out.eps"}, {dir.path()}).status, 0);
  EXPECT_EQ(ReadFile(dir / "out.eps"), kWorkedExample);
}

TEST(Failures, StandardOutputClosedOrFailing) {
  TempDir dir;
  RunOptions closed{dir.path()};
  closed.close_stdout = true;
  RunResult r = Torvi({}, closed);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "");
  // A failure whose report cannot be written still ends with status 1, and its output file does
  // not catch the report.
  WriteFile(dir / "in.bmp", "not a bitmap at all");
  r = Torvi({"in.bmp", "out.eps"}, closed);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "");
  EXPECT_FALSE(Exists(dir / "out.eps"));
  RunOptions full{dir.path()};
  full.stdout_file = "/dev/full";
  EXPECT_EQ(Torvi({}, full).status, 1);
  // A pipe that nobody reads: the document written into it fails, and so does the report, with
  // status 1 and no death by signal.
  WriteFile(dir / "pic.bmp", ExampleBmp());
  RunOptions broken{dir.path()};
  broken.broken_pipe = true;
  r = Torvi({"pic.bmp", "/dev/stdout"}, broken);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "");
}

TEST(Failures, LocationIsStableAcrossRuns) {
  TempDir dir;
  RunResult a = Torvi({"missing.bmp"}, {dir.path()});
  RunResult b = Torvi({"missing.bmp"}, {dir.path()});
  EXPECT_EQ(a.status, 1);
  EXPECT_EQ(a.out, b.out);
  WriteFile(dir / "bad.bmp", "not a bitmap");
  RunResult c = Torvi({"bad.bmp"}, {dir.path()});
  EXPECT_NE(a.out.substr(0, 60), c.out.substr(0, 60));
}

}  // namespace
