// libFuzzer target: see TableData in entries.h.
#include "entries.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  korva::fuzz::TableData(korva::fuzz::AsText(data, size));
  return 0;
}
