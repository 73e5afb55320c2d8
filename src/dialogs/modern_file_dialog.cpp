#include "dialogs/modern_file_dialog.h"

#include <algorithm>
#include <cctype>


using C = ModernCounterpart;

const ModernOption kModernOptions[18] = {
    {ofReadOnly, C::ReadOnlyBox, 0},
    {ofOverwritePrompt, C::Flag, fos::kOverwritePrompt},
    {ofHideReadOnly, C::HidesBox, 0},
    {ofNoChangeDir, C::Flag, fos::kNoChangeDir},
    {ofShowHelp, C::Classic, 0},  // the Help button and its notification
    {ofNoValidate, C::Flag, fos::kNoValidate},
    {ofAllowMultiSelect, C::Flag, fos::kAllowMultiSelect},
    {ofExtensionDifferent, C::Answer, 0},
    {ofPathMustExist, C::Flag, fos::kPathMustExist},
    {ofFileMustExist, C::Flag, fos::kFileMustExist},
    {ofCreatePrompt, C::Flag, fos::kCreatePrompt},
    {ofShareAware, C::Flag, fos::kShareAware},
    {ofNoReadOnlyReturn, C::Flag, fos::kNoReadOnlyReturn},
    {ofNoTestFileCreate, C::Flag, fos::kNoTestFileCreate},
    {ofNoNetworkButton, C::NoEffect, 0},  // old-style dialogs only
    {ofNoLongNames, C::NoEffect, 0},      // old-style dialogs only
    {ofOldStyleDialog, C::Classic, 0},    // decided with the new-style flag: ClassicOnlyOption
    {ofNoDereferenceLinks, C::Flag, fos::kNoDereferenceLinks},
};

uint32_t ModernDialogFlags(TOpenOptions options) {
  uint32_t flags = fos::kForceFileSystem;
  for (const ModernOption& entry : kModernOptions)
    if (entry.counterpart == C::Flag && (options & SetOf(entry.option))) flags |= entry.flag;
  return flags;
}

int ClassicOnlyOption(TOpenOptions options, bool oldStyle) {
  if (oldStyle) return ofOldStyleDialog;
  for (const ModernOption& entry : kModernOptions)
    if (entry.counterpart == C::Classic && entry.option != ofOldStyleDialog && (options & SetOf(entry.option)))
      return entry.option;
  return -1;
}

std::vector<std::pair<std::string, std::string>> FilterPairs(const std::string& filter) {
  std::vector<std::pair<std::string, std::string>> pairs;
  if (filter.empty()) return pairs;
  std::vector<std::string> parts;
  for (size_t start = 0;;) {
    const size_t bar = filter.find('|', start);
    parts.push_back(filter.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
    if (bar == std::string::npos) break;
    start = bar + 1;
  }
  for (size_t i = 0; i < parts.size(); i += 2)
    pairs.emplace_back(parts[i], i + 1 < parts.size() ? parts[i + 1] : std::string());
  return pairs;
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.find_last_of('\\');
  if (slash == std::string::npos) return std::string();
  // "C:\a.txt" is in "C:\", "\\server\share\a.txt" in its share.
  return path.substr(0, slash == 2 && path[1] == ':' ? slash + 1 : slash);
}

std::string StartFolder(const std::string& fileName, const std::string& initialDir) {
  const std::string folder = FolderOf(fileName);
  return folder.empty() ? initialDir : folder;
}

std::string ExplorerAnswer(const std::vector<std::string>& paths) {
  if (paths.empty()) return std::string(2, '\0');
  if (paths.size() == 1) return paths[0] + std::string(2, '\0');
  const std::string folder = FolderOf(paths[0]);
  const std::string prefix = !folder.empty() && folder.back() == '\\' ? folder : folder + '\\';
  std::string answer = folder + '\0';
  for (const std::string& path : paths) {
    const bool inFolder = path.compare(0, prefix.size(), prefix) == 0 &&
                          path.find('\\', prefix.size()) == std::string::npos;
    answer += (inFolder ? path.substr(prefix.size()) : path) + '\0';
  }
  return answer + '\0';
}

namespace {
// The extension of the last component of `path`, without its dot; empty when it has none.
std::string ExtensionOf(const std::string& path) {
  const size_t name = path.find_last_of('\\') + 1, dot = path.find_last_of('.');
  return dot != std::string::npos && dot >= name ? path.substr(dot + 1) : std::string();
}
}  // namespace

bool ExtensionDiffers(const std::string& typedName, const std::string& path, const std::string& defaultExt) {
  const std::string ext = ExtensionOf(path);
  if (defaultExt.empty() || ext.empty() || !ExtensionOf(typedName).empty()) return false;
  return ext.size() != defaultExt.size() ||
         !std::equal(ext.begin(), ext.end(), defaultExt.begin(), [](char a, char b) {
           return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
         });
}
