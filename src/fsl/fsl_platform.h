// What the association lookup needs of the platform: profile (INI) reads, short names, a
// find-first query and the user locale's case-blind comparison. The Windows build implements
// it over kernel32 (fsl_platform_win.h); tests use a fake.
#pragma once

#include <cstdint>
#include <string>

// What a find-first query reports of the first matching entry.
struct FoundEntry {
  bool isDirectory = false;
  // The entry's long name as the file system stores it; where the code page cannot express it
  // (its ANSI form would hold "?" or a look-alike that may name another entry), its short name.
  std::string fileName;
  // The last-write time converts to local time and then to a DOS date and time (1980..2107).
  bool hasDosTime = false;
};

class FslPlatform {
 public:
  virtual ~FslPlatform() = default;

  // The value of `key` in `section` of the profile `file`, or `defaultValue` when the file,
  // section or key is missing, copied into `buffer` of `size` bytes: at most size - 1
  // characters and a NUL. Returns the number of characters copied.
  virtual uint32_t profileString(const std::string& file, const std::string& section,
                                 const std::string& key, const std::string& defaultValue,
                                 char* buffer, uint32_t size) = 0;
  // The key names of `section` copied into `buffer` of `size` bytes, each ended by a NUL, the
  // list ended by one more NUL. A list that does not fit is cut after size - 2 bytes and ended
  // by two NULs. Returns the number of bytes before the final NUL (0 when there are none).
  virtual uint32_t profileKeyNames(const std::string& file, const std::string& section,
                                   char* buffer, uint32_t size) = 0;
  // The section's lines in one read, "key=value" (a key without "=" as it stands), each ended
  // by a NUL, the list ended by one more NUL, cut as profileKeyNames cuts. Values come as the
  // file has them: quotes are not removed and nothing is cut.
  virtual uint32_t profileSection(const std::string& file, const std::string& section,
                                  char* buffer, uint32_t size) = 0;
  // The short (8.3) form of `path`; empty when the platform gives none.
  virtual std::string shortPathName(const std::string& path) = 0;
  // A find-first query (wildcards allowed): true and the first entry when one matches.
  virtual bool findFirst(const std::string& name, FoundEntry& entry) = 0;
  // `path` with `extension` (which brings its own ".") in place of its extension, by the long
  // name of its file: where `path` names its file by another name (the short name that stands
  // for a long name the code page cannot express), the entry beside it whose long name is that
  // long name with `extension`, its name written as findFirst writes it; empty when there is
  // none. A path that names nothing, or holds a wildcard, is taken as written.
  virtual std::string partnerPath(const std::string& path, const std::string& extension) = 0;
  // The user's default locale comparison with case ignored, over both full strings.
  virtual bool sameTextIgnoringCase(const std::string& a, const std::string& b) = 0;
  // A key for `text` in the same comparison: two texts are the same for sameTextIgnoringCase
  // exactly when their keys are equal. Lets a long list be grouped without comparing each
  // pair.
  virtual std::string sortKeyIgnoringCase(const std::string& text) = 0;
};
