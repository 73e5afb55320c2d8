// Reads of one INI (profile) file through the platform's profile functions. Nothing is cached:
// every read asks the platform again, so each read sees the file as it is at that moment.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "fsl/fsl_platform.h"
#include "objects/strings.h"

class TIniFile {
 public:
  // A value is read into 1024 bytes (at most 1023 characters); the key names of a section into
  // 8192 bytes (names past that are not seen).
  static constexpr uint32_t kValueBufferSize = 1024;
  static constexpr uint32_t kKeyNamesBufferSize = 8192;

  // `platform` must outlive the object. A device or pipe path (IsDevicePath) is never opened:
  // it reads as a missing file.
  TIniFile(const std::string& fileName, FslPlatform& platform);

  const std::string& fileName() const { return fileName_; }
  // The value of `key` in `section`, cut to 1023 characters; `defaultValue` when the key,
  // section or file is missing, empty for an entry with an empty value.
  std::string ReadIniString(const std::string& section, const std::string& key,
                            const std::string& defaultValue);
  // Replaces the list's lines by the section's key names, in file order.
  void ReadIniKeys(const std::string& section, TStrings& list);
  // Adds "key=value" for each key of the section with a non-empty value, in key order; keys
  // equal without regard to case share one line, at the first one's place, with the first
  // one's value. Keeps the list's existing lines: a key replaces the first line of its name, or
  // deletes it when its value is empty. Names past the key-name limit are not seen; values are
  // cut as ReadIniString cuts them. Reads the key names and the whole section once each.
  void ReadIniPairs(const std::string& section, TStrings& list);

 private:
  std::string fileName_;
  FslPlatform& platform_;
  bool device_;
};

// The index of the first line of `lines` whose name (the text before its first "=") equals
// `name` by the platform's case-blind comparison; -1 when none does. Lines without "=" never
// match.
int IndexOfName(FslPlatform& platform, const std::vector<std::string>& lines,
                const std::string& name);
