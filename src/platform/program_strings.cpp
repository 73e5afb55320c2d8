#include "platform/program_strings.h"

std::optional<std::string> ProgramString(UINT id) {
  char text[256];
  int length = LoadStringA(GetModuleHandleA(nullptr), id, text, sizeof text);
  if (length <= 0) return std::nullopt;
  return std::string(text, static_cast<size_t>(length));
}
