// Binary form -> component text, on arbitrary bytes. When the text written converts back to
// binary, that binary form must give stable text (fuzz_check.h).
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text;
  if (!fuzz::BinaryToText(std::string(reinterpret_cast<const char*>(data), size), text)) return 0;
  std::string binary;
  if (fuzz::TextToBinary(text, binary)) fuzz::CheckTextFormIsStable(binary);
  return 0;
}
