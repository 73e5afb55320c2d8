#include "fsl/path_functions.h"

namespace {

// A short string holds at most 255 characters.
constexpr size_t kMaxNameLength = 255;

}  // namespace

std::string ReplaceExtension(const std::string& name, const std::string& extension) {
  size_t last = name.find_last_of(".:\\");
  if (last != std::string::npos && name[last] == '.') return name.substr(0, last) + extension;
  return name + extension;
}

std::string DirectoryPart(const std::string& name) {
  size_t last = name.find_last_of(":\\");
  return last == std::string::npos ? std::string() : name.substr(0, last + 1);
}

std::string NamePart(const std::string& name) {
  size_t last = name.find_last_of(":\\");
  size_t start = last == std::string::npos ? 0 : last + 1;
  return name.substr(start, kMaxNameLength);
}

bool IsDevicePath(const std::string& name) {
  if (name.size() < 4) return false;
  auto separator = [](char c) { return c == '\\' || c == '/'; };
  const bool local = separator(name[0]) && separator(name[1]) && (name[2] == '.' || name[2] == '?');
  const bool native = separator(name[0]) && name[1] == '?' && name[2] == '?';
  return (local || native) && separator(name[3]);
}
