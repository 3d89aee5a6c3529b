// What a failure report looks like, byte for byte.
#ifndef TORVI_TESTS_REPORT_UTIL_H_
#define TORVI_TESTS_REPORT_UTIL_H_

#include <cctype>
#include <string>

// The report: line 1 names the kind, the module and the place (eight upper-case hexadecimal
// digits), line 2 the message with its end mark.
inline bool Matches(const std::string& report, const std::string& kind, const std::string& message,
                    const std::string& module = "torvi") {
  std::string m = message;
  if (!m.empty() && m.back() != '.') m += '.';
  const std::string head =
      kind + "\x82\xAA\x83\x82\x83W\x83\x85\x81[\x83\x8B " + module + " \x82\xCC ";
  const std::string tail =
      " \x82\xC5\x94\xAD\x90\xB6\x82\xB5\x82\xDC\x82\xB5\x82\xBD\x81\x42\n" + m + "\r\n";
  if (report.size() != head.size() + 8 + tail.size()) return false;
  for (size_t i = head.size(); i < head.size() + 8; ++i)
    if (!isdigit(report[i]) && !(report[i] >= 'A' && report[i] <= 'F')) return false;
  return report.compare(0, head.size(), head) == 0 &&
         report.compare(head.size() + 8, std::string::npos, tail) == 0;
}

inline const std::string kFOpen =
    "\x83t\x83@\x83"
    "C\x83\x8B ";
inline const std::string kCannotOpen =
    " \x82\xCD\x8A"
    "J\x82\xAF\x82\xDC\x82\xB9\x82\xF1";
inline const std::string kReadError =
    "\x83X\x83g\x83\x8A\x81[\x83\x80\x82\xA9\x82\xE7\x82\xCC\x93\xC7\x82\xDD\x8D\x9E\x82\xDD\x83G"
    "\x83\x89\x81[";
inline const std::string kInvalid =
    "\x83r\x83\x62\x83g\x83}\x83\x62\x83v\x83"
    "C\x83\x81\x81[\x83W\x82\xAA\x95s\x90\xB3\x82\xC5"
    "\x82\xB7";
inline const std::string kIoError = "I/O \x83G\x83\x89\x81[ (";

#endif  // TORVI_TESTS_REPORT_UTIL_H_
