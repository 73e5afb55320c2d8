// What the fuzz targets count as a finding, besides crashes and sanitizer reports:
// - a failure that is not one of the system's own (`Exception` and its subclasses): it leaves
//   LLVMFuzzerTestOneInput and ends the process through std::terminate;
// - the decimal separator not put back after a conversion, also after a failed one (the targets
//   set it to ',' first, as a user's locale might);
// - component text written by ConvertBinaryToText that, once converted to binary and back to
//   text, does not come back as the same text. Such text is always the converter's own layout
//   of a binary form the text converter produced, so the second pass must reproduce it.
//   Text that no longer converts (a string written back longer than the tokenizer's window)
//   is a clean failure.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/decimal_separator.h"
#include "base/errors.h"
#include "base/stream.h"
#include "streaming/convert.h"

namespace fuzz {

constexpr char kLocaleSeparator = ',';

[[noreturn]] inline void Finding(const char* what, const std::string& detail = {}) {
  std::fprintf(stderr, "\n*** fuzz finding: %s\n%s\n", what, detail.c_str());
  std::fflush(stderr);
  std::abort();
}

// Runs `call` with the locale's separator in place; true when it returned, false when it threw
// one of the system's failures. Any other exception propagates (a finding).
template <class Call>
bool Clean(Call&& call) {
  SetDecimalSeparator(kLocaleSeparator);
  bool ok = true;
  try {
    call();
  } catch (const Exception&) {
    ok = false;
  }
  if (DecimalSeparator() != kLocaleSeparator)
    Finding(ok ? "decimal separator not restored" : "decimal separator not restored on failure");
  return ok;
}

// Binary form -> text, and text -> binary form: false on a clean failure.
inline bool BinaryToText(const std::string& binary, std::string& text) {
  TMemoryStream in(binary), out;
  if (!Clean([&] { ConvertBinaryToText(in, out); })) return false;
  text = out.str();
  return true;
}

inline bool TextToBinary(const std::string& text, std::string& binary) {
  TMemoryStream in(text), out;
  if (!Clean([&] { ConvertTextToBinary(in, out); })) return false;
  binary = out.str();
  return true;
}

// `binary` was written by ConvertTextToBinary: it must convert to text, and that text must
// survive a second text -> binary -> text pass unchanged.
inline void CheckTextFormIsStable(const std::string& binary) {
  std::string text;
  if (!BinaryToText(binary, text))
    Finding("binary form written by ConvertTextToBinary does not convert back to text");
  std::string binary2;
  if (!TextToBinary(text, binary2)) return;  // e.g. a line grown past the tokenizer's window
  std::string text2;
  if (!BinaryToText(binary2, text2))
    Finding("binary form written by ConvertTextToBinary does not convert back to text", text);
  if (text2 != text) Finding("text changed in a second round", "first:\n" + text + "\nsecond:\n" + text2);
}

}  // namespace fuzz
