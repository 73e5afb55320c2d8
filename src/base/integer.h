// Text to 32-bit integer as component text and the command line write it: optional leading
// blanks, an optional "-" or "+", then decimal digits, or "$" and hexadecimal digits taken as a
// 32-bit pattern ($FFFFFFFF is -1). Nothing may follow.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

std::optional<int32_t> TryStrToInt(const std::string& text);
// As TryStrToInt; throws EConvertError "'%s' is not a valid integer value".
int32_t StrToInt(const std::string& text);
