// An in-memory platform for the association lookup: one INI section (whatever file or section is
// asked for) and a file system of long and short paths. Reads fill the caller's buffer as the
// profile functions do: a value cut at size - 1 characters, a list cut after size - 2 bytes.
#pragma once

#include <cctype>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "fsl/fsl_platform.h"
#include "fsl/path_functions.h"

class FakeFslPlatform : public FslPlatform {
 public:
  std::vector<std::pair<std::string, std::string>> entries;  // key, value in file order
  struct File {
    std::string longPath, shortPath;
    bool isDirectory = false, hasDosTime = true;
  };
  std::vector<File> files;

  uint32_t profileString(const std::string&, const std::string&, const std::string& key,
                         const std::string& defaultValue, char* buffer, uint32_t size) override {
    std::string value = defaultValue;
    for (auto e = entries.rbegin(); e != entries.rend(); ++e)  // the first equal key wins
      if (Upper(e->first) == Upper(key)) value = e->second;
    return Copy(value.substr(0, size - 1), buffer, size);
  }
  uint32_t profileKeyNames(const std::string&, const std::string&, char* b, uint32_t n) override {
    return Copy(List(false), b, n);
  }
  uint32_t profileSection(const std::string&, const std::string&, char* b, uint32_t n) override {
    return Copy(List(true), b, n);
  }
  std::string shortPathName(const std::string& path) override {
    for (const File& f : files)
      if (Upper(f.longPath) == Upper(path) || Upper(f.shortPath) == Upper(path)) return f.shortPath;
    return std::string();
  }
  bool findFirst(const std::string& name, FoundEntry& entry) override {
    for (const File& f : files)
      if (Matches(Upper(name).c_str(), Upper(f.longPath).c_str()) ||
          Matches(Upper(name).c_str(), Upper(f.shortPath).c_str())) {
        entry = {f.isDirectory, f.longPath.substr(f.longPath.rfind('\\') + 1), f.hasDosTime};
        return true;
      }
    return false;
  }
  // Its files are named by their long names: the partner is the name with the extension swapped.
  std::string partnerPath(const std::string& path, const std::string& extension) override {
    return ReplaceExtension(path, extension);
  }
  bool sameTextIgnoringCase(const std::string& a, const std::string& b) override {
    return Upper(a) == Upper(b);
  }
  std::string sortKeyIgnoringCase(const std::string& text) override { return Upper(text); }

 private:
  std::string List(bool withValues) const {  // "key[=value]\0" for each entry
    std::string list;
    for (const auto& e : entries) list += e.first + (withValues ? "=" + e.second : "") + '\0';
    return list;
  }
  // `text` and NULs to the end of the buffer; cut to size - 2 bytes when it does not fit.
  static uint32_t Copy(const std::string& text, char* buffer, uint32_t size) {
    uint32_t n = text.size() < size ? static_cast<uint32_t>(text.size()) : size - 2;
    std::memcpy(buffer, text.data(), n);
    std::memset(buffer + n, 0, size - n);
    return n;
  }
  static std::string Upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
  }
  static bool Matches(const char* pattern, const char* text) {  // "*" and "?" over the whole
    if (*pattern == '*') return Matches(pattern + 1, text) || (*text && Matches(pattern, text + 1));
    if (*pattern == '\0' || *text == '\0') return *pattern == *text;
    return (*pattern == '?' || *pattern == *text) && Matches(pattern + 1, text + 1);
  }
};
