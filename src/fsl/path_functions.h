// Path helpers on 8-bit names (no character set conversion). A separator is "\"; a drive
// ends with ":".
#pragma once

#include <string>

// The name with its extension replaced by `extension` (which brings its own "."): the last of
// ".", ":" or "\" decides; only a "." there starts an extension, else `extension` is appended.
std::string ReplaceExtension(const std::string& name, const std::string& extension);
// The name up to and including its last ":" or "\"; empty when it has neither.
std::string DirectoryPart(const std::string& name);
// The text after the last ":" or "\" (all of it when there is neither), cut to 255 characters.
std::string NamePart(const std::string& name);
// True for a device or pipe path: "\\.\" or "\\?\" (also written with "/", and the
// "\??\" form), which names a device, a pipe or a mailslot rather than a file, and which no
// profile read may open. Drive, relative and UNC paths answer false.
bool IsDevicePath(const std::string& name);
