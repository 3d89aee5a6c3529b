#include "file_name.h"

#include <cctype>
#include <cstring>

namespace {
LeadBytes system_lead_bytes;

LeadBytes Range(LeadBytes set, int from, int to) {
  for (int c = from; c <= to; ++c) set.set(c);
  return set;
}
}  // namespace

const LeadBytes& SystemLeadBytes() {
  return system_lead_bytes;
}

void SetSystemLeadBytes(const LeadBytes& lead) {
  system_lead_bytes = lead;
}

LeadBytes LeadBytesOf(const std::string& charset) {
  std::string name;
  for (char c : charset)
    if (c != '-' && c != '_') name += static_cast<char>(toupper(static_cast<unsigned char>(c)));
  if (name == "SHIFTJIS" || name == "SJIS" || name == "CP932" || name == "WINDOWS31J" ||
      name == "MSKANJI")
    return Range(Range({}, 0x81, 0x9F), 0xE0, 0xFC);
  if (name == "GBK" || name == "CP936" || name == "BIG5" || name == "CP950" ||
      name == "BIG5HKSCS" || name == "CP949" || name == "UHC")
    return Range({}, 0x81, 0xFE);
  return {};
}

size_t LastDelimiter(const std::string& name, const char* delimiters, const LeadBytes& lead) {
  // Walking forward pairs each lead byte with the byte after it, so a byte is a second byte
  // exactly when the run of lead bytes before it is odd.
  size_t found = std::string::npos;
  for (size_t i = 0; i < name.size(); ++i) {
    auto c = static_cast<unsigned char>(name[i]);
    if (lead[c] && i + 1 < name.size())
      ++i;
    else if (c != 0 && strchr(delimiters, c))
      found = i;
  }
  return found;
}

std::string ChangeFileExt(const std::string& name, const std::string& ext, const LeadBytes& lead) {
  size_t i = LastDelimiter(name, ".\\:/", lead);
  if (i == std::string::npos || name[i] != '.') return name + ext;
  return name.substr(0, i) + ext;
}

std::string ExtractFileName(const std::string& path, const LeadBytes& lead) {
  size_t i = LastDelimiter(path, "\\/", lead);
  return i == std::string::npos ? path : path.substr(i + 1);
}
