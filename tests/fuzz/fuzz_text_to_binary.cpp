// Component text -> binary form, on arbitrary text. A successful conversion must also convert
// back to text, and that text must be stable (fuzz_check.h).
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string binary;
  if (fuzz::TextToBinary(std::string(reinterpret_cast<const char*>(data), size), binary))
    fuzz::CheckTextFormIsStable(binary);
  return 0;
}
