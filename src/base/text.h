// ASCII text helpers: names are compared folding a-z to A-Z only, never by locale.
#pragma once

#include <cstdint>
#include <string>

bool SameText(const std::string& a, const std::string& b);
std::string UpperCaseAscii(std::string s);
std::string LowerCaseAscii(std::string s);
// A letter or "_", then letters, digits and "_" (ASCII only).
bool IsValidIdent(const std::string& s);
std::string IntToStr(int64_t value);
// a * b / c rounded half away from zero, as the platform's MulDiv; -1 when c is 0.
int32_t MulDiv(int32_t a, int32_t b, int32_t c);
