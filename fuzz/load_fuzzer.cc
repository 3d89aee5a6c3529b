// libFuzzer: the load and reduction of a picture from bytes.
#include "fuzz_body.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Load(data, size);
  return 0;
}
