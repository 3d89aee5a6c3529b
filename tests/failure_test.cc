#include "failure.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "file.h"
#include "messages.h"
#include "system_error.h"

namespace {

const std::string kLine1Tail = "\x82\xAA\x83\x82\x83W\x83\x85\x81[\x83\x8B ";  // がモジュール

TEST(ComposeReport, TwoLinesWithTheEndMark) {
  std::string r = ComposeReport("EFOpenError", "torvi", 0x1A2B, "abc");
  EXPECT_EQ(r, "EFOpenError" + kLine1Tail +
                   "torvi \x82\xCC 00001A2B \x82\xC5\x94\xAD\x90\xB6\x82\xB5" +
                   "\x82\xDC\x82\xB5\x82\xBD\x81\x42\nabc.");
  struct Case {
    std::string message, ending;
  } cases[] = {
      {"abc.", "\nabc."},           // no second full stop
      {"", "\n"},                   // an empty message gets no mark
      {"a\nb", "\na\nb."},          // a line feed of its own adds a line
      {"text\r\n", "\ntext\r\n."},  // the mark stands alone on a third line
      {"\x81\x42", "\n\x81\x42."},  // a Japanese full stop is not byte 46
  };
  for (const Case& c : cases) {
    std::string report = ComposeReport("E", "m", 0, c.message);
    EXPECT_EQ(report.substr(report.size() - c.ending.size()), c.ending) << c.message;
  }
  EXPECT_EQ(ComposeReport("E", "m", 0xDEADBEEF, "").find("DEADBEEF") != std::string::npos, true);
}

TEST(ComposeReport, CutAt1023Bytes) {
  std::string long_message(2000, 'x');
  std::string r = ComposeReport("EInOutError", "torvi", 0, long_message);
  EXPECT_EQ(r.size(), 1023u);
  EXPECT_EQ(r.back(), 'x');  // the cut takes the end mark too
  std::string exact(1023 - ComposeReport("E", "m", 0, "").size() - 1, 'y');
  EXPECT_EQ(ComposeReport("E", "m", 0, exact).back(), '.');
  EXPECT_EQ(ComposeReport("E", "m", 0, exact).size(), 1023u);
}

TEST(InOutMessage, TableAndFallback) {
  EXPECT_EQ(msg::InOutMessage(3),
            "\x95s\x90\xB3\x82\xC8\x83t\x83@\x83"
            "C\x83\x8B\x96\xBC\x82\xC5\x82\xB7");
  EXPECT_EQ(msg::InOutMessage(112), "I/O \x83G\x83\x89\x81[ (112)");
  EXPECT_EQ(msg::InOutMessage(32), "I/O \x83G\x83\x89\x81[ (32)");
  EXPECT_NE(msg::InOutMessage(101), msg::InOutMessage(112));
}

TEST(InOutCheck, RaisesWithTheCodeAndResets) {
  EXPECT_NO_THROW(InOutCheck());
  TextFile f(16);
  f.Write("x", 1);  // not open: 103
  try {
    InOutCheck();
    FAIL() << "no failure";
  } catch (const Exception& e) {
    EXPECT_STREQ(e.ClassName(), "EInOutError");
    EXPECT_EQ(e.Code(), 103);
  }
  EXPECT_EQ(IOResult(), 0);
}

TEST(RaisedFailures, KindsAndMessages) {
  struct Case {
    void (*raise)();
    const char* kind;
    std::string message;
  } cases[] = {
      {[] { RaiseFOpenError("a.bmp"); }, "EFOpenError",
       "\x83t\x83@\x83"
       "C\x83\x8B a.bmp \x82\xCD\x8A"
       "J\x82\xAF\x82\xDC\x82\xB9\x82\xF1"},
      {[] { RaiseReadError(); }, "EReadError", msg::kReadError},
      {[] { RaiseInvalidGraphic(); }, "EInvalidGraphic", msg::kInvalidGraphic},
      {[] { RaiseWin32Error(87); }, "EWin32Error",
       std::string(msg::kWin32Error) + "87.\n\x83p\x83\x89\x83\x81\x81[\x83^\x81[\x82\xAA\x8A\xD4" +
           "\x88\xE1\x82\xC1\x82\xC4\x82\xA2\x82\xDC\x82\xB7\x81\x42"},
      {[] { RaiseOutOfResources(0); }, "EOutOfResources", msg::kOutOfResources},
      {[] { RaiseOutOfResources(8); }, "EOutOfResources", msg::SystemMessage(8)},
      {[] { RaiseOutOfMemory(); }, "EOutOfMemory", msg::kOutOfMemory},
      {[] { RaiseInvalidOperation(); }, "EInvalidOperation", msg::kInvalidOperation},
  };
  for (const Case& c : cases) {
    try {
      c.raise();
    } catch (const Exception& e) {
      EXPECT_STREQ(e.ClassName(), c.kind);
      EXPECT_EQ(e.Message(), c.message) << c.kind;
      EXPECT_NE(e.Address(), nullptr);
    }
  }
  EXPECT_EQ(msg::SystemMessage(8).substr(msg::SystemMessage(8).size() - 2), "\r\n");
}

TEST(WindowsError, Table) {
  struct Case {
    int posix, windows;
  } cases[] = {
      {ENOENT, 3},  {ENOTDIR, 3},      {EACCES, 5},         {EPERM, 5},    {EISDIR, 5},
      {EROFS, 19},  {EMFILE, 4},       {ENFILE, 4},         {ENOSPC, 112}, {EDQUOT, 112},
      {EFBIG, 223}, {EWOULDBLOCK, 32}, {ENAMETOOLONG, 206}, {EIO, 1117},   {EPIPE, 109},
      {ENOMEM, 8},  {EINVAL, 87},      {EBADF, 6},
  };
  for (const Case& c : cases) EXPECT_EQ(WindowsError(c.posix), c.windows) << c.posix;
  // Anything else gets a Windows number, never one of the table's codes 2 to 5.
  for (int e : {EXDEV, ESPIPE, ENOTEMPTY, ECHILD, ESRCH, 9999}) {
    int w = WindowsError(e);
    EXPECT_TRUE(w < 2 || w > 5) << e;
  }
}

}  // namespace
