// Fills a message format: each "%s" takes the next argument as text, each "%d" the next as a
// decimal integer, "%%" is a percent sign. Arguments are given as FormatArg (text or integer).
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

struct FormatArg {
  FormatArg(const std::string& s) : text(s) {}
  FormatArg(const char* s) : text(s) {}
  FormatArg(int64_t v) : text(std::to_string(v)) {}
  FormatArg(int32_t v) : text(std::to_string(v)) {}
  std::string text;
};

std::string Format(const char* format, std::initializer_list<FormatArg> args);
