#include "fsl/fsl_platform_win.h"

#include <cstring>
#include <vector>

#include "fsl/path_functions.h"
#include "platform/ansi_text.h"
#include "platform/win32.h"

namespace {

bool FindFirst(const std::wstring& name, WIN32_FIND_DATAW& data) {
  HANDLE find = FindFirstFileW(name.c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return false;
  FindClose(find);
  return true;
}

// The entry's long name when the code page expresses it, else its short name; empty when
// neither can be written in the code page.
std::string UsableEntryName(const WIN32_FIND_DATAW& data) {
  if (SurvivesAnsi(data.cFileName)) return ToAnsi(data.cFileName);
  if (data.cAlternateFileName[0] && SurvivesAnsi(data.cAlternateFileName)) return ToAnsi(data.cAlternateFileName);
  return std::string();
}

class WindowsPlatform : public FslPlatform {
 public:
  uint32_t profileString(const std::string& file, const std::string& section,
                         const std::string& key, const std::string& defaultValue, char* buffer,
                         uint32_t size) override {
    return GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(), buffer,
                                    size, file.c_str());
  }

  uint32_t profileKeyNames(const std::string& file, const std::string& section, char* buffer,
                           uint32_t size) override {
    return GetPrivateProfileStringA(section.c_str(), nullptr, nullptr, buffer, size, file.c_str());
  }

  uint32_t profileSection(const std::string& file, const std::string& section, char* buffer,
                          uint32_t size) override {
    return GetPrivateProfileSectionA(section.c_str(), buffer, size, file.c_str());
  }

  std::string shortPathName(const std::string& path) override {
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
      DWORD n = GetShortPathNameA(path.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
      if (n == 0) return std::string();
      // Too small: n is the size needed, with the NUL.
      if (n >= buffer.size()) {
        buffer.resize(n + 1);
        continue;
      }
      return std::string(buffer.data(), n);
    }
  }

  bool findFirst(const std::string& name, FoundEntry& entry) override {
    WIN32_FIND_DATAW data;
    if (!FindFirst(FromAnsi(name), data)) return false;
    entry.isDirectory = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    // With no name the code page expresses, the name queried, which found this entry.
    entry.fileName = UsableEntryName(data);
    if (entry.fileName.empty()) entry.fileName = NamePart(name);
    FILETIME local;
    WORD date, time;
    entry.hasDosTime = FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) &&
                       FileTimeToDosDateTime(&local, &date, &time);
    return true;
  }

  std::string partnerPath(const std::string& path, const std::string& extension) override {
    const std::string asWritten = ReplaceExtension(path, extension);
    WIN32_FIND_DATAW data;
    if (path.find_first_of("*?") != std::string::npos || !FindFirst(FromAnsi(path), data)) return asWritten;
    if (lstrcmpiW(FromAnsi(NamePart(path)).c_str(), data.cFileName) == 0) return asWritten;
    // Named by its short name: the partner's short name is not the data file's with another
    // extension (it may even be another file's), so it is found by its long name.
    const std::wstring longName = data.cFileName;
    const std::string folder = DirectoryPart(path);
    WIN32_FIND_DATAW partner;
    if (!FindFirst(FromAnsi(folder) + longName.substr(0, longName.rfind(L'.')) + FromAnsi(extension), partner) ||
        (partner.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
      return std::string();
    const std::string name = UsableEntryName(partner);
    return name.empty() ? std::string() : folder + name;
  }

  bool sameTextIgnoringCase(const std::string& a, const std::string& b) override {
    return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(),
                          static_cast<int>(a.size()), b.data(),
                          static_cast<int>(b.size())) == CSTR_EQUAL;
  }

  // CompareStringA compares exactly these sort keys. Most fit a buffer of a few bytes per
  // character: one call, else a second with the size asked for.
  std::string sortKeyIgnoringCase(const std::string& text) override {
    const DWORD flags = LCMAP_SORTKEY | NORM_IGNORECASE;
    const int length = static_cast<int>(text.size());
    std::string key(text.size() * 4 + 16, '\0');
    int size = LCMapStringA(LOCALE_USER_DEFAULT, flags, text.data(), length, &key[0],
                            static_cast<int>(key.size()));
    if (size <= 0) {
      size = LCMapStringA(LOCALE_USER_DEFAULT, flags, text.data(), length, nullptr, 0);
      if (size <= 0) return std::string();
      key.assign(static_cast<size_t>(size), '\0');
      size = LCMapStringA(LOCALE_USER_DEFAULT, flags, text.data(), length, &key[0], size);
    }
    key.resize(size > 0 ? static_cast<size_t>(size) : 0);
    return key;
  }
};

}  // namespace

FslPlatform& WindowsFslPlatform() {
  static WindowsPlatform platform;
  return platform;
}
