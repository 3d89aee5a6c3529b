// File names as byte strings. Under a double-byte code page (Shift JIS: lead bytes 0x81-0x9F and
// 0xE0-0xFC) the second byte of a character is never taken for a separator or a full stop.
#ifndef TORVI_FILE_NAME_H_
#define TORVI_FILE_NAME_H_

#include <bitset>
#include <string>

using LeadBytes = std::bitset<256>;

// The lead bytes of the system's character set; none on single-byte systems. Read once, by the
// start-up; empty before.
const LeadBytes& SystemLeadBytes();
void SetSystemLeadBytes(const LeadBytes& lead);
void ReadSystemLeadBytes();  // one variant per platform

// The lead bytes of the code page of a character set name ("SHIFT_JIS", "CP932", ...); none for a
// single-byte or unknown one.
LeadBytes LeadBytesOf(const std::string& charset);

// Position of the last byte of `name` that is one of `delimiters` and not the second byte of a
// double-byte character; npos when there is none.
size_t LastDelimiter(const std::string& name, const char* delimiters, const LeadBytes& lead);

// `name` with its extension replaced by `ext`: a full stop after the last separator (backslash,
// colon or slash) starts the extension; without one `ext` is appended.
std::string ChangeFileExt(const std::string& name, const std::string& ext,
                          const LeadBytes& lead = SystemLeadBytes());

// The part of a path after its last backslash or slash.
std::string ExtractFileName(const std::string& path, const LeadBytes& lead = SystemLeadBytes());

#endif  // TORVI_FILE_NAME_H_
