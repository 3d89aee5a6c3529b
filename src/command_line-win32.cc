#include <windows.h>

#include "command_line.h"

// The command line as the system holds it, split by the Windows rule; argv is not used.
std::vector<std::string> Arguments(int, char**) {
  std::vector<std::string> words = SplitCommandLine(GetCommandLineA());
  if (!words.empty()) words.erase(words.begin());
  return words;
}
