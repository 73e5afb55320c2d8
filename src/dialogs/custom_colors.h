// The colour dialog's 16 custom colours as entries of its CustomColors list, and back.
//
// Entry names are a prefix and one tag letter per colour: with the texts "Color" and
// "ABCDEFGHIJKLMNOP" (the program's string resources on Windows) they run ColorA .. ColorP.
// Values are hexadecimal without prefix, at least six upper-case digits:
//
//   ColorA=FF8000      -> 0x00FF8000
//   colorb=12          -> 0x00000012 (names match whatever their case)
//   ColorC=            -> -1 (empty or missing: unset)
//   ColorD=FFFFFFFF    -> -1, and -1 is written back as FFFFFFFF
//   ColorE=xyz         -> EConvertError "'$xyz' is not a valid integer value"
//
// The first failure ends the conversion. Strings that are not custom colour entries are kept.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "objects/strings.h"

using CustomColorArray = std::array<int32_t, 16>;

// Name of custom colour `index` (0..15): `prefix` and the index-th letter of `tags`.
std::string CustomColorName(const std::string& prefix, const std::string& tags, int index);

// The 16 colours from the list's entries; unset ones are -1. Throws EConvertError for a value
// that is not hexadecimal (the message quotes it with "$" in front).
CustomColorArray ReadCustomColors(const TStrings& list, const std::string& prefix, const std::string& tags);

// Writes the 16 colours into the list: an existing entry is rewritten at its place (under the
// name built from the texts), a missing one is appended in order; other strings stay.
void WriteCustomColors(TStrings& list, const CustomColorArray& colors, const std::string& prefix,
                       const std::string& tags);

// A custom colour value as written: "FF8000", "000012", "FFFFFFFF" for -1.
std::string CustomColorText(int32_t color);
