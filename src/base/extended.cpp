#include "base/extended.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "base/decimal_separator.h"
#include "base/errors.h"
#include "base/format.h"
#include "base/messages.h"

// Layout of the 10 bytes: bytes 0-7 the 64-bit significand with its explicit leading bit,
// bytes 8-9 the 15-bit biased exponent and, in the top bit, the sign. Both directions go
// through frexpl/ldexpl rather than copying memory, so that any bit pattern decodes to a
// well-formed value (unnormals and pseudo-denormals included) and the code does not depend
// on how the compiler lays out long double.

namespace {

constexpr int kExponentBias = 16383;
constexpr int kExponentMax = 0x7FFF;
constexpr int kSignificandBits = 64;
constexpr size_t kPrecision = 15;  // significant digits of FloatToText

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

long double ExtendedToLongDouble(const uint8_t bytes[kExtendedSize]) {
  uint64_t significand = 0;
  for (int i = 7; i >= 0; --i) significand = (significand << 8) | bytes[i];
  unsigned top = static_cast<unsigned>(bytes[8]) | (static_cast<unsigned>(bytes[9]) << 8);
  bool negative = (top & 0x8000) != 0;
  int exponent = static_cast<int>(top & 0x7FFF);

  long double value;
  if (exponent == kExponentMax) {
    bool fractionZero = (significand & 0x7FFFFFFFFFFFFFFFull) == 0;
    value = fractionZero ? HUGE_VALL : NAN;
  } else {
    // A zero exponent stands for the same scale as 1 (denormals); the leading bit is explicit.
    int scale = (exponent == 0 ? 1 : exponent) - kExponentBias - (kSignificandBits - 1);
    value = std::ldexp(static_cast<long double>(significand), scale);
  }
  return negative ? -value : value;
}

void LongDoubleToExtended(long double value, uint8_t bytes[kExtendedSize]) {
  uint64_t significand = 0;
  unsigned exponent = 0;
  bool negative = std::signbit(value);
  if (std::isnan(value)) {
    significand = 0xC000000000000000ull;  // the default quiet NaN
    exponent = kExponentMax;
  } else if (std::isinf(value)) {
    significand = 0x8000000000000000ull;
    exponent = kExponentMax;
  } else if (value != 0) {
    long double magnitude = std::fabs(value);
    int e = 0;
    long double mantissa = std::frexp(magnitude, &e);  // magnitude = mantissa * 2^e, mantissa in [0.5, 1)
    int biased = e - 1 + kExponentBias;
    if (biased >= kExponentMax) {  // only where long double is wider than 80 bits
      significand = 0x8000000000000000ull;
      exponent = kExponentMax;
    } else if (biased > 0) {
      significand = static_cast<uint64_t>(std::ldexp(mantissa, kSignificandBits));
      exponent = static_cast<unsigned>(biased);
    } else {
      significand = static_cast<uint64_t>(
          std::ldexp(magnitude, kExponentBias - 1 + (kSignificandBits - 1)));
      exponent = 0;
    }
  }
  for (int i = 0; i < 8; ++i) bytes[i] = static_cast<uint8_t>(significand >> (8 * i));
  unsigned top = exponent | (negative ? 0x8000u : 0u);
  bytes[8] = static_cast<uint8_t>(top);
  bytes[9] = static_cast<uint8_t>(top >> 8);
}

std::string FloatToText(long double value) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  if (value == 0) return "0";

  // Rounded to fifteen significant digits, halves away from zero. The 40 digits printed first
  // decide the rounding; a long double has about 20 significant digits, so a value that only
  // looks like a half in those 40 digits cannot occur in practice.
  char printed[80];
  std::snprintf(printed, sizeof printed, "%.39Le", std::fabs(value));  // "d.ddd...de+X"
  std::string digits;
  const char* p = printed;
  for (; *p && *p != 'e'; ++p)
    if (IsDigit(*p)) digits += *p;
  int exponent = std::atoi(p + 1) + 1;  // value = 0.d1d2...dn * 10^exponent
  bool roundUp = digits.size() > kPrecision && digits[kPrecision] >= '5';
  digits.resize(kPrecision);
  if (roundUp) {
    size_t i = kPrecision;
    while (i > 0 && digits[i - 1] == '9') digits[--i] = '0';
    if (i == 0) {
      digits.insert(digits.begin(), '1');  // 999... became 1000...
      digits.pop_back();
      ++exponent;
    } else {
      ++digits[i - 1];
    }
  }
  bool negative = value < 0;
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  int n = static_cast<int>(digits.size());
  char separator = DecimalSeparator();

  std::string text = negative ? "-" : "";
  if (exponent >= -3 && exponent <= 15) {
    if (exponent <= 0) {
      text += '0';
      text += separator;
      text.append(static_cast<size_t>(-exponent), '0');
      text += digits;
    } else if (n <= exponent) {
      text += digits;
      text.append(static_cast<size_t>(exponent - n), '0');
    } else {
      text.append(digits, 0, static_cast<size_t>(exponent));
      text += separator;
      text.append(digits, static_cast<size_t>(exponent), std::string::npos);
    }
  } else {
    text += digits[0];
    if (n > 1) {
      text += separator;
      text.append(digits, 1, std::string::npos);
    }
    text += 'E';
    text += std::to_string(exponent - 1);
  }
  return text;
}

std::optional<long double> TryTextToFloat(const std::string& text) {
  // Checks the syntax and rebuilds the number in the form strtold reads in the "C" locale,
  // so that the result does not depend on the C library's idea of the decimal point.
  const char separator = DecimalSeparator();
  std::string normalized;
  size_t i = 0;
  const size_t size = text.size();
  if (i < size && (text[i] == '-' || text[i] == '+')) normalized += text[i++];
  size_t mantissaDigits = 0;
  while (i < size && IsDigit(text[i])) {
    normalized += text[i++];
    ++mantissaDigits;
  }
  if (i < size && text[i] == separator) {
    ++i;
    normalized += '.';
    while (i < size && IsDigit(text[i])) {
      normalized += text[i++];
      ++mantissaDigits;
    }
  }
  if (mantissaDigits == 0) return std::nullopt;
  if (i < size && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    normalized += 'e';
    if (i < size && (text[i] == '-' || text[i] == '+')) normalized += text[i++];
    size_t exponentDigits = 0;
    while (i < size && IsDigit(text[i])) {
      normalized += text[i++];
      ++exponentDigits;
    }
    if (exponentDigits == 0) return std::nullopt;
  }
  if (i != size) return std::nullopt;

  errno = 0;
  char* end = nullptr;
  long double value = std::strtold(normalized.c_str(), &end);
  if (end != normalized.c_str() + normalized.size()) return std::nullopt;
  // Overflow fails; a value too small to represent becomes 0 or a denormal, as on the FPU.
  if (std::isinf(value) || std::isnan(value)) return std::nullopt;
  return value;
}

long double TextToFloat(const std::string& text) {
  if (auto value = TryTextToFloat(text)) return *value;
  throw EConvertError(Format(msg::kInvalidFloat, {text}));
}
