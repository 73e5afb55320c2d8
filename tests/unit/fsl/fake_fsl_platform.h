// A platform for the association lookup that holds its INI files and its file system in memory
// and copies profile reads into the caller's buffer as GetPrivateProfileStringA does: a value
// cut at size - 1 characters, a key-name list cut after size - 2 bytes and ended by two NULs.
#pragma once

#include <algorithm>
#include <cctype>
#include <cstring>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "fsl/fsl_platform.h"

class FakeFslPlatform : public FslPlatform {
 public:
  using Entries = std::vector<std::pair<std::string, std::string>>;  // key, value in file order

  // INI files: file name -> section name -> entries.
  std::map<std::string, std::map<std::string, Entries>> ini;

  // A file or folder known by its long and its short full path.
  struct File {
    std::string longPath, shortPath;
    bool isDirectory = false;
    bool hasDosTime = true;
  };
  std::vector<File> files;
  std::vector<std::string> queries;  // every find-first query, in order
  int profileReads = 0;              // profile calls of any kind

  void addFile(std::string longPath, std::string shortPath, bool hasDosTime = true) {
    files.push_back({std::move(longPath), std::move(shortPath), false, hasDosTime});
  }
  void addFolder(std::string longPath, std::string shortPath) {
    files.push_back({std::move(longPath), std::move(shortPath), true, true});
  }

  uint32_t profileString(const std::string& file, const std::string& section,
                         const std::string& key, const std::string& defaultValue, char* buffer,
                         uint32_t size) override {
    ++profileReads;
    const std::string* value = &defaultValue;
    if (const Entries* entries = find(file, section)) {
      for (const auto& entry : *entries) {
        if (!key.empty() && Same(entry.first, key)) {
          value = &entry.second;
          break;
        }
      }
    }
    uint32_t n = std::min<uint32_t>(static_cast<uint32_t>(value->size()), size - 1);
    std::memcpy(buffer, value->data(), n);
    buffer[n] = '\0';
    return n;
  }

  uint32_t profileKeyNames(const std::string& file, const std::string& section, char* buffer,
                           uint32_t size) override {
    ++profileReads;
    std::string names;
    if (const Entries* entries = find(file, section))
      for (const auto& entry : *entries) names += entry.first + '\0';
    return CopyList(names, buffer, size);
  }

  uint32_t profileSection(const std::string& file, const std::string& section, char* buffer,
                          uint32_t size) override {
    ++profileReads;
    std::string lines;
    if (const Entries* entries = find(file, section))
      for (const auto& entry : *entries) lines += entry.first + '=' + entry.second + '\0';
    return CopyList(lines, buffer, size);
  }

  // A NUL-separated list into `buffer`: whole with a final NUL, or cut with two.
  static uint32_t CopyList(const std::string& names, char* buffer, uint32_t size) {
    if (names.size() + 1 <= size) {
      std::memcpy(buffer, names.data(), names.size());
      buffer[names.size()] = '\0';
      return static_cast<uint32_t>(names.size());
    }
    std::memcpy(buffer, names.data(), size - 2);
    buffer[size - 2] = buffer[size - 1] = '\0';
    return size - 2;
  }

  std::string shortPathName(const std::string& path) override {
    for (const File& f : files)
      if (Same(f.longPath, path) || Same(f.shortPath, path)) return f.shortPath;
    return std::string();
  }

  bool findFirst(const std::string& name, FoundEntry& entry) override {
    queries.push_back(name);
    for (const File& f : files) {
      if (Matches(name.c_str(), f.longPath.c_str()) || Matches(name.c_str(), f.shortPath.c_str())) {
        entry.isDirectory = f.isDirectory;
        entry.fileName = f.longPath.substr(f.longPath.rfind('\\') + 1);
        entry.hasDosTime = f.hasDosTime;
        return true;
      }
    }
    return false;
  }

  bool sameTextIgnoringCase(const std::string& a, const std::string& b) override { return Same(a, b); }
  std::string sortKeyIgnoringCase(const std::string& text) override {
    std::string key = text;
    for (char& c : key) c = Up(c);
    return key;
  }

 private:
  const Entries* find(const std::string& file, const std::string& section) const {
    auto f = ini.find(file);
    if (f == ini.end()) return nullptr;
    for (const auto& s : f->second)
      if (Same(s.first, section)) return &s.second;
    return nullptr;
  }
  static char Up(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }
  static bool Same(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return Up(x) == Up(y); });
  }
  // Wildcards "*" and "?" over the whole path, case ignored.
  static bool Matches(const char* pattern, const char* text) {
    if (*pattern == '\0') return *text == '\0';
    if (*pattern == '*')
      return Matches(pattern + 1, text) || (*text != '\0' && Matches(pattern, text + 1));
    if (*text == '\0') return false;
    return (*pattern == '?' || Up(*pattern) == Up(*text)) && Matches(pattern + 1, text + 1);
  }
};
