#include <windows.h>

#include "file_name.h"

// The ANSI code page's lead bytes, as the system knows them.
void ReadSystemLeadBytes() {
  LeadBytes lead;
  for (int c = 0x80; c < 256; ++c)
    if (IsDBCSLeadByte(static_cast<BYTE>(c))) lead.set(c);
  SetSystemLeadBytes(lead);
}
