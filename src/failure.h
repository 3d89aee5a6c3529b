// Failures: every failure of a run is raised as an Exception of one of the kinds below, caught by
// nothing on the way, and turned into one report on standard output by the handler in main.
#ifndef TORVI_FAILURE_H_
#define TORVI_FAILURE_H_

#include <cstdint>
#include <string>

class Exception {
 public:
  Exception(const char* class_name, std::string message, const void* address, int code = 0)
      : class_name_(class_name), message_(std::move(message)), address_(address), code_(code) {}

  const char* ClassName() const { return class_name_; }  // "EFOpenError", ...
  const std::string& Message() const { return message_; }
  const void* Address() const { return address_; }  // the code that raised it
  int Code() const { return code_; }                // EInOutError's I/O result code

 private:
  const char* class_name_;
  std::string message_;
  const void* address_;
  int code_;
};

// Each Raise records its caller's address as the failure's location.
[[noreturn]] void RaiseFOpenError(const std::string& file_name);
[[noreturn]] void RaiseReadError();
[[noreturn]] void RaiseInvalidGraphic();
[[noreturn]] void RaiseWin32Error(int system_code);
// system_code 0: no system error number, the generic text.
[[noreturn]] void RaiseOutOfResources(int system_code);
[[noreturn]] void RaiseOutOfMemory();
[[noreturn]] void RaiseInvalidOperation();

// Tests the I/O result code of the text files (and resets it): a non-zero code raises
// EInOutError, located at the caller.
void InOutCheck();

// The report's text without its final line end: line 1, a line feed, then the message and its end
// mark, cut to 1023 bytes.
std::string ComposeReport(const char* class_name, const std::string& module, uint32_t location,
                          const std::string& message);

// Writes the report of `failure` to standard output. Failures while doing so are ignored.
void ReportFailure(const Exception& failure);

#endif  // TORVI_FAILURE_H_
