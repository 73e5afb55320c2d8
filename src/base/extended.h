// The 80-bit extended-precision type of the binary component form, and floating-point text.
// Values are held as `long double`, which is this same 80-bit format on x86 (Linux and Windows).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

constexpr size_t kExtendedSize = 10;

// Decodes the 10 little-endian bytes of an extended value (any bit pattern is accepted).
long double ExtendedToLongDouble(const uint8_t bytes[kExtendedSize]);
// Encodes a value as the 10 bytes of an extended value.
void LongDoubleToExtended(long double value, uint8_t bytes[kExtendedSize]);

// General number format with 15 significant digits ("1.5", "1E-5", "INF", "NAN"), using the
// process-wide decimal separator.
std::string FloatToText(long double value);
// Optional sign, digits with an optional fractional part (process-wide decimal separator),
// optional exponent; nothing else. Empty when malformed or beyond the 80-bit range.
std::optional<long double> TryTextToFloat(const std::string& text);
// As TryTextToFloat; throws EConvertError "'%s' is not a valid floating point value".
long double TextToFloat(const std::string& text);
