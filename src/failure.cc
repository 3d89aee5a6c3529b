#include "failure.h"

#include "file.h"
#include "file_name.h"
#include "messages.h"
#include "process.h"

#define NOINLINE __attribute__((noinline))
#define CALLER __builtin_return_address(0)

namespace {

// Trailing bytes below 33 and trailing full stops go, as in the system's text for EWin32Error.
std::string TrimSystemText(std::string text) {
  while (!text.empty() && (static_cast<unsigned char>(text.back()) < 33 || text.back() == '.'))
    text.pop_back();
  return text;
}

}  // namespace

NOINLINE void RaiseFOpenError(const std::string& file_name) {
  throw Exception("EFOpenError", msg::kFOpenBefore + file_name + msg::kFOpenAfter, CALLER);
}

NOINLINE void RaiseReadError() {
  throw Exception("EReadError", msg::kReadError, CALLER);
}

NOINLINE void RaiseInvalidGraphic() {
  throw Exception("EInvalidGraphic", msg::kInvalidGraphic, CALLER);
}

NOINLINE void RaiseWin32Error(int system_code) {
  throw Exception("EWin32Error",
                  msg::kWin32Error + std::to_string(system_code) + ".\n" +
                      TrimSystemText(msg::SystemMessage(system_code)),
                  CALLER);
}

NOINLINE void RaiseOutOfResources(int system_code) {
  std::string text = system_code ? msg::SystemMessage(system_code) : std::string();
  throw Exception("EOutOfResources", text.empty() ? msg::kOutOfResources : text, CALLER);
}

NOINLINE void RaiseOutOfMemory() {
  throw Exception("EOutOfMemory", msg::kOutOfMemory, CALLER);
}

NOINLINE void RaiseInvalidOperation() {
  throw Exception("EInvalidOperation", msg::kInvalidOperation, CALLER);
}

NOINLINE void InOutCheck() {
  int code = IOResult();
  if (code != 0) throw Exception("EInOutError", msg::InOutMessage(code), CALLER, code);
}

std::string ComposeReport(const char* class_name, const std::string& module, uint32_t location,
                          const std::string& message) {
  static const char kHex[] = "0123456789ABCDEF";
  char digits[8];
  for (int i = 0; i < 8; ++i) digits[i] = kHex[(location >> (28 - 4 * i)) & 15];
  std::string text = class_name;
  text += msg::kReportModule;
  text += module;
  text += msg::kReportAt;
  text.append(digits, 8);
  text += msg::kReportRaised;
  text += '\n';
  text += message;
  if (!message.empty() && message.back() != '.') text += '.';
  if (text.size() > 1023) text.resize(1023);
  return text;
}

void ReportFailure(const Exception& failure) {
  std::string module = ExtractFileName(ModuleFileName());
  auto location = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(failure.Address()) -
                                        reinterpret_cast<uintptr_t>(ImageBase()));
  std::string report = ComposeReport(failure.ClassName(), module, location, failure.Message());
  IOResult();
  TextFile& out = StdOut();
  out.Write(report.data(), report.size());
  out.WriteLn();
  out.Flush();
}
