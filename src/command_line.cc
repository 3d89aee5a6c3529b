#include "command_line.h"

std::vector<std::string> SplitCommandLine(const std::string& line) {
  std::vector<std::string> words;
  size_t i = 0, n = line.size();
  auto at = [&](size_t k) { return k < n ? static_cast<unsigned char>(line[k]) : 0; };
  for (;;) {
    while (at(i) != 0 && at(i) <= ' ') ++i;
    while (at(i) == '"' && at(i + 1) == '"') i += 2;
    if (at(i) == 0) break;
    std::string word;
    while (at(i) > ' ') {
      if (at(i) == '"') {
        for (++i; at(i) != 0 && at(i) != '"'; ++i) word += line[i];
        if (at(i) == '"') ++i;
      } else {
        word += line[i++];
      }
    }
    if (!word.empty()) words.push_back(std::move(word));
  }
  return words;
}
