#include "fsl/fsl_lookup.h"

#include "fsl/ini_file.h"
#include "fsl/path_functions.h"

namespace {

// The default of the lookup's value read: no path has this form, so getting it back means the
// section has no such key.
const char kMissingKey[] = ":/:/";

// A find-first query sees at most 255 characters of a name (a 256-byte buffer).
constexpr size_t kMaxQueryLength = 255;

bool IsDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// The length of the part of `path` that is copied unchanged and never looked up: "C:" for a
// drive path, "\\server\share" for a network path, nothing for a path from the root of the
// current drive ("\DATA\X.FSL"). npos for a relative path, which is not expanded at all, and
// for a drive-relative one ("C:X.FSL", "C:DIR\X.FSL": relative to that drive's current folder).
size_t RootLength(const std::string& path) {
  if (path.size() >= 2 && IsDriveLetter(path[0]) && path[1] == ':')
    return path.size() == 2 || path[2] == '\\' ? 2 : std::string::npos;
  if (path.compare(0, 2, "\\\\") == 0) {
    size_t server = path.find('\\', 2);
    if (server == std::string::npos) return path.size();
    size_t share = path.find('\\', server + 1);
    return share == std::string::npos ? path.size() : share;
  }
  if (!path.empty() && path[0] == '\\') return 0;
  return std::string::npos;
}

}  // namespace

bool IsExistingFile(FslPlatform& platform, const std::string& name) {
  FoundEntry entry;
  return platform.findFirst(name, entry) && !entry.isDirectory && entry.hasDosTime;
}

std::string LongComponentName(FslPlatform& platform, const std::string& path) {
  FoundEntry entry;
  if (platform.findFirst(path.substr(0, kMaxQueryLength), entry)) return entry.fileName;
  size_t last = path.rfind('\\');
  return last == std::string::npos ? path : path.substr(last + 1);
}

std::string ExpandLongPath(FslPlatform& platform, const std::string& path) {
  size_t root = RootLength(path);
  if (root == std::string::npos) return path;
  std::string result = path.substr(0, root);
  // The separator right after the root counts as seen but is not looked up; every later one
  // ends a directory whose long name is appended.
  const size_t firstLookedUp = root + 1;
  bool separatorSeen = root < path.size() && path[root] == '\\';
  size_t lastSeparator = separatorSeen ? root : 0;
  for (size_t i = firstLookedUp; i < path.size(); ++i) {
    if (path[i] != '\\') continue;
    separatorSeen = true;
    lastSeparator = i;
    result += '\\';
    result += LongComponentName(platform, path.substr(0, i));
  }
  if (separatorSeen && lastSeparator + 1 < path.size()) {
    result += '\\';
    result += LongComponentName(platform, path);
  }
  // Only "\" itself comes out empty; keep it as written rather than lose it.
  if (result.empty()) return path;
  return result;
}

FslChoice LookupFSLFile(FslPlatform& platform, const std::string& iniFile,
                        const std::string& section, const std::string& dataFile) {
  TStringList pairs;
  TIniFile ini(iniFile, platform);
  // The key is the data file's complete short path; without one there is no key, and an empty
  // key matches no entry.
  const std::string key = platform.shortPathName(dataFile);
  int index = -1;
  std::string value = kMissingKey;
  if (!key.empty()) {
    ini.ReadIniPairs(section, pairs);
    index = IndexOfName(platform, pairs.lines(), key);
    value = ini.ReadIniString(section, key, kMissingKey);
  }
  // No line and a value: the key is missing (the marker) or lies past the key-name limit.
  if (index < 0 && !value.empty()) {
    std::string fslFile = platform.partnerPath(dataFile, ".fsl");
    if (fslFile.find('*') != std::string::npos || !IsExistingFile(platform, fslFile))
      fslFile.clear();
    return {fslFile, true};
  }
  std::string fslFile = ExpandLongPath(platform, value);
  return {fslFile, !fslFile.empty()};
}
