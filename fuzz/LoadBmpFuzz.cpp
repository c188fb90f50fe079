// libFuzzer entry: every input is a font.bmp someone might hand the program.
#include "fuzz/BmpOracle.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CheckLoadBmp(data, size);
  return 0;
}
