#include <langinfo.h>

#include "file_name.h"

// The locale's character set decides; the start-up has set LC_CTYPE from the environment.
void ReadSystemLeadBytes() {
  SetSystemLeadBytes(LeadBytesOf(nl_langinfo(CODESET)));
}
