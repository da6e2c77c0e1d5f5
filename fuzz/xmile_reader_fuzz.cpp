// libFuzzer target: see XmileReader in entries.h.
#include "entries.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  korva::fuzz::XmileReader(korva::fuzz::AsText(data, size));
  return 0;
}
