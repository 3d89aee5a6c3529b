// The program's texts, as the Shift JIS (code page 932) bytes it prints.
#ifndef TORVI_MESSAGES_H_
#define TORVI_MESSAGES_H_

#include <string>

namespace msg {

// The six lines printed when the program runs without arguments.
extern const char* const kBanner[6];

// The first report line: "<kind>がモジュール <module> の <location> で発生しました。"
extern const char kReportModule[];
extern const char kReportAt[];
extern const char kReportRaised[];

extern const char kFOpenBefore[];  // "ファイル " <name>
extern const char kFOpenAfter[];   // " は開けません"
extern const char kReadError[];
extern const char kInvalidGraphic[];
extern const char kWin32Error[];  // "Win32 エラー。コード : " <code> "."
extern const char kOutOfResources[];
extern const char kOutOfMemory[];
extern const char kInvalidOperation[];

// The text for an I/O result code: a fixed table, "I/O エラー (<code>)" for the rest.
std::string InOutMessage(int code);

// The system's own text for a system error number, as the platform gives it; empty when the
// system has none.
std::string SystemMessage(int code);

}  // namespace msg

#endif  // TORVI_MESSAGES_H_
