#include "fsl/ini_file.h"

#include <cstring>
#include <vector>

TIniFile::TIniFile(const std::string& fileName, FslPlatform& platform)
    : fileName_(fileName), platform_(platform) {}

std::string TIniFile::ReadIniString(const std::string& section, const std::string& key,
                                    const std::string& defaultValue) {
  char buffer[kValueBufferSize];
  uint32_t count =
      platform_.profileString(fileName_, section, key, defaultValue, buffer, sizeof buffer);
  if (count >= sizeof buffer) count = sizeof buffer - 1;  // never trust a count past the buffer
  return std::string(buffer, count);
}

void TIniFile::ReadIniKeys(const std::string& section, TStrings& list) {
  std::vector<char> buffer(kKeyNamesBufferSize, '\0');
  std::vector<std::string> names;
  uint32_t count = platform_.profileKeyNames(fileName_, section, buffer.data(),
                                             static_cast<uint32_t>(buffer.size()));
  if (count != 0) {
    // Names follow each other, each ended by a NUL, up to the first empty one; the last byte
    // of the buffer stays a NUL whatever the platform wrote.
    buffer.back() = '\0';
    for (const char* p = buffer.data(); *p != '\0'; p += std::strlen(p) + 1) names.emplace_back(p);
  }
  list.setLines(std::move(names));
}

void TIniFile::ReadIniPairs(const std::string& section, TStrings& list) {
  TStringList keys;
  ReadIniKeys(section, keys);
  std::vector<std::string> lines = list.lines();
  for (const std::string& key : keys.lines()) {
    std::string value = ReadIniString(section, key, std::string());
    int index = IndexOfName(platform_, lines, key);
    if (!value.empty()) {
      std::string line = key + "=" + value;
      if (index < 0) lines.push_back(std::move(line));
      else lines[index] = std::move(line);
    } else if (index >= 0) {
      lines.erase(lines.begin() + index);
    }
  }
  list.setLines(std::move(lines));
}

int IndexOfName(FslPlatform& platform, const std::vector<std::string>& lines,
                const std::string& name) {
  for (size_t i = 0; i < lines.size(); ++i) {
    size_t equals = lines[i].find('=');
    if (equals == std::string::npos) continue;
    if (platform.sameTextIgnoringCase(lines[i].substr(0, equals), name)) return static_cast<int>(i);
  }
  return -1;
}
