#include "fsl/ini_file.h"

#include <cstring>
#include <unordered_map>
#include <vector>

#include "fsl/path_functions.h"

namespace {

// One line of a whole-section read. The read gives "key=value" lines, a line without "=" as it
// stands, and values as the file holds them:
//   "C:\DATA\RUN1.DAT=C:\FSL\RUN1.FSL\0C:\DATA\BLANK.DAT=\0NOVALUE\0\0"
struct SectionLine {
  std::string key;
  std::string value;
  bool hasEquals;
};

// The largest whole-section read tried; a section beyond it is read key by key past the cut.
constexpr uint32_t kMaxSectionBufferSize = 16u << 20;

bool IsQuote(char c) { return c == '"' || c == '\''; }

}  // namespace

TIniFile::TIniFile(const std::string& fileName, FslPlatform& platform)
    : fileName_(fileName), platform_(platform), device_(IsDevicePath(fileName)) {}

std::string TIniFile::ReadIniString(const std::string& section, const std::string& key,
                                    const std::string& defaultValue) {
  if (device_) return defaultValue;
  char buffer[kValueBufferSize];
  uint32_t count =
      platform_.profileString(fileName_, section, key, defaultValue, buffer, sizeof buffer);
  if (count >= sizeof buffer) count = sizeof buffer - 1;  // never trust a count past the buffer
  return std::string(buffer, count);
}

void TIniFile::ReadIniKeys(const std::string& section, TStrings& list) {
  std::vector<char> buffer(kKeyNamesBufferSize, '\0');
  std::vector<std::string> names;
  uint32_t count = device_ ? 0 : platform_.profileKeyNames(fileName_, section, buffer.data(),
                                             static_cast<uint32_t>(buffer.size()));
  if (count != 0) {
    // Names follow each other, each ended by a NUL, up to the first empty one; the last byte
    // of the buffer stays a NUL whatever the platform wrote.
    buffer.back() = '\0';
    for (const char* p = buffer.data(); *p != '\0'; p += std::strlen(p) + 1) names.emplace_back(p);
  }
  list.setLines(std::move(names));
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

void TIniFile::ReadIniPairs(const std::string& section, TStrings& list) {
  TStringList keys;
  ReadIniKeys(section, keys);
  if (keys.lines().empty()) return;

  // The whole section, grown until it is not cut (a cut list is size - 2 bytes long).
  std::vector<char> buffer;
  uint32_t count = 0;
  for (uint32_t size = 64u << 10;; size *= 4) {
    buffer.assign(size, '\0');
    count = platform_.profileSection(fileName_, section, buffer.data(), size);
    if (count + 2 < size || size >= kMaxSectionBufferSize) break;
  }
  buffer.back() = '\0';
  std::vector<SectionLine> lines;
  for (const char* p = buffer.data(); *p != '\0'; p += std::strlen(p) + 1) {
    const char* equals = std::strchr(p, '=');
    if (equals) lines.push_back({std::string(p, equals), std::string(equals + 1), true});
    else lines.push_back({std::string(p), std::string(), false});
  }

  // A profile read gives the value of the first line whose key it takes for the same; it may
  // tell apart keys that the case-blind comparison does not ("\xC9T\xC9" and "\xE9t\xE9" under
  // Wine), never the other way round. So the first line of a key's group (its sort key) holds
  // its value when that line spells the key exactly; for any other spelling the profile read
  // decides.
  std::unordered_map<std::string, std::string> sortKeys;  // text -> its sort key
  auto sortKey = [&](const std::string& text) -> const std::string& {
    auto found = sortKeys.find(text);
    if (found == sortKeys.end())
      found = sortKeys.emplace(text, platform_.sortKeyIgnoringCase(text)).first;
    return found->second;
  };
  std::unordered_map<std::string, const SectionLine*> firstLine;
  for (const SectionLine& line : lines) firstLine.emplace(sortKey(line.key), &line);

  // The pairs, with deleted lines left as holes until the end, and for each sort key the
  // places of the lines of that name in ascending order (only lines the list had before can
  // share a name).
  std::vector<std::string> pairs = list.lines();
  std::vector<bool> live(pairs.size(), true);
  std::unordered_map<std::string, std::vector<size_t>> places;
  for (size_t i = 0; i < pairs.size(); ++i) {
    size_t equals = pairs[i].find('=');
    if (equals != std::string::npos) places[sortKey(pairs[i].substr(0, equals))].push_back(i);
  }

  for (const std::string& key : keys.lines()) {
    const std::string& sk = sortKey(key);
    auto first = firstLine.find(sk);
    std::string value;
    const SectionLine* line = first == firstLine.end() ? nullptr : first->second;
    if (line && line->key == key && line->hasEquals && line->value.size() < kValueBufferSize &&
        (line->value.empty() || !IsQuote(line->value.front()))) {
      value = line->value;
    } else {
      // Not in the read, spelled otherwise, a line without "=", a long or a quoted value: the
      // profile read's own rules (matching, default, cut, quotes) decide.
      value = ReadIniString(section, key, std::string());
    }
    auto place = places.find(sk);
    bool hasLine = place != places.end() && !place->second.empty();
    if (!value.empty()) {
      std::string pair = key + "=" + value;
      if (hasLine) {
        pairs[place->second.front()] = std::move(pair);
      } else {
        places[sk].push_back(pairs.size());
        pairs.push_back(std::move(pair));
        live.push_back(true);
      }
    } else if (hasLine) {
      live[place->second.front()] = false;
      place->second.erase(place->second.begin());
    }
  }

  std::vector<std::string> result;
  for (size_t i = 0; i < pairs.size(); ++i)
    if (live[i]) result.push_back(std::move(pairs[i]));
  list.setLines(std::move(result));
}
