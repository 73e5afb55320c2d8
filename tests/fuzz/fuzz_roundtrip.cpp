// Request text -> object of a served class -> reply text, as the server does minus the dialog.
// The first input byte chooses the class ('0' is the first of the list below, '1' the second,
// and so on, modulo the list's length), the rest is the request. A reply must be one object's
// text and stable under text -> binary -> text (fuzz_check.h).
#include <cstddef>
#include <cstdint>
#include <string>

#include "dialogs/roundtrip.h"
#include "fuzz_check.h"

namespace {
const char* const kServedClasses[] = {
    "TOpenDialog",  "TSaveDialog",  "TFSL16OpenDialog",    "TFontDialog",
    "TColorDialog", "TPrintDialog", "TPrinterSetupDialog", "TFindDialog",
};
constexpr size_t kClassCount = sizeof(kServedClasses) / sizeof(kServedClasses[0]);

bool EndsWith(const std::string& s, const std::string& tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const char* className = kServedClasses[static_cast<uint8_t>(data[0] - '0') % kClassCount];
  std::string request(reinterpret_cast<const char*>(data) + 1, size - 1);
  std::string reply;
  if (!fuzz::Clean([&] { reply = RoundTripRequest(className, request); })) return 0;
  if (reply.compare(0, 7, "object ") != 0 || !EndsWith(reply, "end\r\n"))
    fuzz::Finding("reply is not one object's text", reply);
  std::string binary;
  if (fuzz::TextToBinary(reply, binary)) fuzz::CheckTextFormIsStable(binary);
  return 0;
}
