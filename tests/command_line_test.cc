#include "command_line.h"

#include <gtest/gtest.h>

namespace {

using Words = std::vector<std::string>;

TEST(SplitCommandLine, WindowsRule) {
  struct Case {
    std::string line;
    Words words;
  } cases[] = {
      {"torvi.exe", {"torvi.exe"}},
      {"torvi.exe a.bmp b.eps", {"torvi.exe", "a.bmp", "b.eps"}},
      {"  torvi.exe\t a.bmp  \r\n", {"torvi.exe", "a.bmp"}},
      {"t a\x01"
       "b\x1F"
       "c",
       {"t", "a", "b", "c"}},  // bytes 1 to 32 separate
      {"t a\"b c\"d", {"t", "ab cd"}},
      {"t \"my pic.bmp\" \"out dir\\x.eps\"", {"t", "my pic.bmp", "out dir\\x.eps"}},
      {"t \"open to the end", {"t", "open to the end"}},
      {"t \"\"a", {"t", "a"}},      // an empty pair in front is skipped
      {"t \"\"\"\"a", {"t", "a"}},  // so are several
      {"t \"\" b", {"t", "b"}},     // and yields no word by itself
      {"t a\"\"b", {"t", "ab"}},    // quotes are dropped while the word goes on
      {"\"C:\\Program Files\\torvi.exe\" x", {"C:\\Program Files\\torvi.exe", "x"}},
      {"t \x83\x5C.bmp", {"t", "\x83\x5C.bmp"}},  // bytes above 127 are word bytes
      {"", {}},
      {"   ", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(SplitCommandLine(c.line), c.words) << c.line;
}

TEST(Arguments, DropTheProgramName) {
  char prog[] = "torvi", a[] = "a b.bmp", b[] = "";
  char* argv[] = {prog, a, b, nullptr};
  EXPECT_EQ(Arguments(3, argv), (Words{"a b.bmp", ""}));
  EXPECT_EQ(Arguments(1, argv), Words{});
}

}  // namespace
