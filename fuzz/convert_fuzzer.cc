// libFuzzer: a whole conversion, the document written to memory and checked.
#include "fuzz_body.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Convert(data, size);
  return 0;
}
