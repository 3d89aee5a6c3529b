#include <windows.h>

#include "messages.h"

namespace msg {

// The system's text for an error number, in the ANSI code page.
std::string SystemMessage(int code) {
  char text[1024];
  DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                           static_cast<DWORD>(code), 0, text, sizeof text, nullptr);
  return std::string(text, n);
}

}  // namespace msg
