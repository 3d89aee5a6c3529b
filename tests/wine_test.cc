// The Windows build, run under Wine with a Japanese (code page 932) system: the same bytes as on
// every other system.
#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "bmp_builder.h"
#include "example.h"
#include "report_util.h"
#include "run_util.h"
#include "test_util.h"

namespace {

const std::string kExe = TORVI_WINE_EXE;

RunResult Wine(const std::vector<std::string>& args, const std::string& dir) {
  RunOptions o(dir, {"LC_ALL=ja_JP.SJIS", "WINEDEBUG=-all"});
  o.binary = "/usr/bin/wine";
  // Files, not pipes: Wine's own helper processes would hold a pipe open after the program ends.
  TempDir capture;
  o.stdout_file = capture / "out";
  o.stderr_file = capture / "err";
  std::vector<std::string> all{kExe};
  all.insert(all.end(), args.begin(), args.end());
  RunResult r = Torvi(all, o);
  r.out = ReadFile(o.stdout_file);
  r.err = ReadFile(o.stderr_file);
  return r;
}

class WineTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    // The first run of Wine makes its prefix and talks about it; get that over with, and keep
    // its server running so that each run starts quickly.
    if (system("wineserver -p30 >/dev/null 2>&1") != 0) {
    }
    TempDir dir;
    Wine({}, dir.path());
  }
};

TEST_F(WineTest, Banner) {
  TempDir dir;
  RunResult r = Wine({}, dir.path());
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, kBanner);
  EXPECT_EQ(r.err, "");
}

TEST_F(WineTest, WorkedExampleAndNames) {
  TempDir dir;
  mkdir((dir / "sub.d").c_str(), 0755);
  mkdir((dir / "x.y").c_str(), 0755);
  // Windows names: backslashes, a drive's colon, full stops in directory names.
  const std::string z = "Z:" + dir.path();
  std::string zwin = z;
  for (char& c : zwin)
    if (c == '/') c = '\\';
  struct Case {
    std::string in, in_unix, out_unix;
  } cases[] = {
      {"pic.bmp", "pic.bmp", "pic.eps"},
      {"pic", "pic", "pic.eps"},
      {"pic.", "pic.", "pic.eps"},
      {".bmp", ".bmp", ".eps"},
      {"pic.tar.bmp", "pic.tar.bmp", "pic.tar.eps"},
      {"sub.d\\pic", "sub.d/pic", "sub.d/pic.eps"},
      {zwin + "\\x.y\\z.bmp", "x.y/z.bmp", "x.y/z.eps"},
      {"sub.d/p", "sub.d/p", "sub.d/p.eps"},
      // x, a full stop and ソ (0x83 0x5C): the 0x5C is no backslash on a code page 932 system.
      {"x.\x83\x5C", "x.\x83\x5C", "x.eps"},
  };
  for (const Case& c : cases) {
    WriteFile(dir / c.in_unix, ExampleBmp());
    RunResult r = Wine({c.in}, dir.path());
    EXPECT_EQ(r.status, 0) << c.in << "\n" << r.out;
    EXPECT_EQ(ReadFile(dir / c.out_unix), kWorkedExample) << c.in;
  }
}

TEST_F(WineTest, Failures) {
  TempDir dir;
  WriteFile(dir / "in.bmp", ExampleBmp());
  WriteFile(dir / "bad.bmp", "BA not a bitmap");
  struct Case {
    std::vector<std::string> args;
    std::string kind, message;
  } cases[] = {
      {{"missing.bmp"}, "EFOpenError", kFOpen + "missing.bmp" + kCannotOpen},
      {{"bad.bmp"}, "EInvalidGraphic", kInvalid},
      {{"in.bmp", "no\\such\\dir\\out.eps"},
       "EInOutError",
       "\x95s\x90\xB3\x82\xC8\x83t\x83@\x83"
       "C\x83\x8B\x96\xBC\x82\xC5\x82\xB7"},
  };
  for (const Case& c : cases) {
    RunResult r = Wine(c.args, dir.path());
    EXPECT_EQ(r.status, 1) << c.args[0];
    EXPECT_EQ(r.err, "") << c.args[0];
    EXPECT_TRUE(Matches(r.out, c.kind, c.message, "torvi.exe")) << c.args[0] << "\n" << r.out;
  }
  Bmp negative;
  negative.width = -3;
  WriteFile(dir / "negative.bmp", negative.Bytes());
  RunResult r = Wine({"negative.bmp"}, dir.path());
  EXPECT_EQ(r.status, 1);
  // Line 2 starts with the code; the system's own text follows on line 3.
  EXPECT_NE(r.out.find("\nWin32 \x83G\x83\x89\x81[\x81\x42\x83R\x81[\x83h : 87.\n"),
            std::string::npos)
      << r.out;
  EXPECT_EQ(r.out.rfind("EWin32Error", 0), 0u);
}

TEST_F(WineTest, BmpSuiteDocuments) {
  const std::string suite = TORVI_BMPSUITE;
  DIR* d = opendir((suite + "/g").c_str());
  if (!d) GTEST_SKIP() << "no corpus at " << suite;
  TempDir dir;
  int checked = 0;
  while (dirent* e = readdir(d)) {
    std::string name = e->d_name;
    if (name.size() < 5 || name.substr(name.size() - 4) != ".bmp") continue;
    WriteFile(dir / "in.bmp", ReadFile(suite + "/g/" + name));
    RunResult r = Wine({"in.bmp", "out.eps"}, dir.path());
    EXPECT_EQ(r.status, 0) << name;
    EXPECT_TRUE(ReadFile(dir / "out.eps") ==
                ReadFile(suite + "/expected/" + name.substr(0, name.size() - 4) + ".eps"))
        << name;
    ++checked;
  }
  closedir(d);
  EXPECT_GT(checked, 0);
}

}  // namespace
