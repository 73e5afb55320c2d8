#include "dialogs/file_names.h"

#include <algorithm>

#include "dialogs/file_dialog_state.h"

const std::array<uint32_t, 18> OpenOptionFlags = {
    0x1,       // ofReadOnly            OFN_READONLY
    0x2,       // ofOverwritePrompt     OFN_OVERWRITEPROMPT
    0x4,       // ofHideReadOnly        OFN_HIDEREADONLY
    0x8,       // ofNoChangeDir         OFN_NOCHANGEDIR
    0x10,      // ofShowHelp            OFN_SHOWHELP
    0x100,     // ofNoValidate          OFN_NOVALIDATE
    0x200,     // ofAllowMultiSelect    OFN_ALLOWMULTISELECT
    0x400,     // ofExtensionDifferent  OFN_EXTENSIONDIFFERENT
    0x800,     // ofPathMustExist       OFN_PATHMUSTEXIST
    0x1000,    // ofFileMustExist       OFN_FILEMUSTEXIST
    0x2000,    // ofCreatePrompt        OFN_CREATEPROMPT
    0x4000,    // ofShareAware          OFN_SHAREAWARE
    0x8000,    // ofNoReadOnlyReturn    OFN_NOREADONLYRETURN
    0x10000,   // ofNoTestFileCreate    OFN_NOTESTFILECREATE
    0x20000,   // ofNoNetworkButton     OFN_NONETWORKBUTTON
    0x40000,   // ofNoLongNames         OFN_NOLONGNAMES
    0x80000,   // ofOldStyleDialog      OFN_EXPLORER
    0x100000,  // ofNoDereferenceLinks  OFN_NODEREFERENCELINKS
};

uint32_t OptionFlags(TOpenOptions options) {
  return FlagsOfSet(options, OpenOptionFlags);
}

uint32_t StandardFileDialogFlags(TOpenOptions options, bool newStyleControls) {
  uint32_t flags = ofn::kEnableHook | OptionFlags(options);
  if (newStyleControls)
    flags ^= ofn::kExplorer;
  else
    flags &= ~ofn::kExplorer;
  return flags;
}

uint32_t CustomOpenDialogFlags(TOpenOptions options, bool hasTemplate) {
  return ofn::kEnableHook | OptionFlags(options) | ofn::kExplorer | (hasTemplate ? ofn::kEnableTemplate : 0);
}

bool IsOldStyleFileDialog(TOpenOptions options, bool newStyleControls) {
  return InSet(options, ofOldStyleDialog) || !newStyleControls;
}

char AnswerSeparator(TOpenOptions options, bool oldStyle) {
  return InSet(options, ofAllowMultiSelect) && oldStyle ? ' ' : '\0';
}

uint32_t MaxFileFor(TOpenOptions options) {
  return InSet(options, ofAllowMultiSelect) ? kMaxFileMulti : kMaxFileSingle;
}

std::vector<char> MakeFilterBuffer(const std::string& filter) {
  if (filter.empty()) return {};
  std::vector<char> buffer(filter.begin(), filter.end());
  std::replace(buffer.begin(), buffer.end(), '|', '\0');
  buffer.push_back('\0');
  buffer.push_back('\0');
  return buffer;
}

std::vector<char> MakeFileBuffer(const std::string& fileName, uint32_t maxFile) {
  std::vector<char> buffer(static_cast<size_t>(maxFile) + 2, '\0');
  size_t n = std::min<size_t>(fileName.size(), maxFile);
  std::copy_n(fileName.begin(), n, buffer.begin());
  return buffer;
}

std::string DefaultExtText(const std::string& defaultExt) { return defaultExt.substr(0, 3); }

ExtractedName ExtractName(const char* buffer, size_t size, size_t position, char separator) {
  if (position >= size) return {std::string(), position};
  size_t end = position;
  while (end < size && buffer[end] != '\0' && buffer[end] != separator) ++end;
  ExtractedName result{std::string(buffer + position, buffer + end), end};
  if (end < size && buffer[end] == separator) result.next = end + 1;
  return result;
}

namespace {
bool IsAbsoluteName(const std::string& name) {
  if (!name.empty() && name[0] == '\\') return true;
  return name.size() > 3 && name[1] == ':' && name[2] == '\\';
}
}  // namespace

std::vector<std::string> CollectFileNames(const char* buffer, size_t size, char separator) {
  std::vector<std::string> names;
  ExtractedName directory = ExtractName(buffer, size, 0, separator);
  ExtractedName name = ExtractName(buffer, size, directory.next, separator);
  if (name.name.empty()) {
    names.push_back(directory.name);
    return names;
  }
  std::string prefix = directory.name;
  if (prefix.empty() || prefix.back() != '\\') prefix += '\\';
  while (!name.name.empty()) {
    names.push_back(IsAbsoluteName(name.name) ? name.name : prefix + name.name);
    name = ExtractName(buffer, size, name.next, separator);
  }
  return names;
}

std::optional<std::string> ReplaceAnswerNames(
    const char* buffer, size_t capacity,
    const std::function<std::optional<std::string>(const std::string& path)>& replace) {
  const std::vector<std::string> paths = CollectFileNames(buffer, capacity, '\0');
  std::string answer;
  if (paths.size() == 1) {
    std::optional<std::string> path = replace(paths[0]);
    if (!path) return std::nullopt;
    answer = *path + '\0';
  } else {
    const std::string directory = ExtractName(buffer, capacity, 0, '\0').name;
    const std::string prefix = directory.empty() || directory.back() == '\\' ? directory : directory + '\\';
    answer = directory + '\0';
    for (const std::string& path : paths) {
      std::optional<std::string> replaced = replace(path);
      if (!replaced) return std::nullopt;
      // A name in another directory (when the directory itself was replaced) goes whole.
      const bool inDirectory = replaced->compare(0, prefix.size(), prefix) == 0;
      answer += (inDirectory ? replaced->substr(prefix.size()) : *replaced) + '\0';
    }
  }
  answer += '\0';
  if (answer.size() > capacity) return std::nullopt;
  return answer;
}

void ApplyFileDialogAnswer(TFileDialogState& dialog, const char* buffer, size_t size,
                           char separator, uint32_t returnedFlags, int32_t filterIndex) {
  dialog.FFiles.clear();
  if (InSet(dialog.FOptions, ofAllowMultiSelect)) {
    dialog.FFiles.setLines(CollectFileNames(buffer, size, separator));
    dialog.FFileName = dialog.FFiles.count() > 0 ? dialog.FFiles[0] : std::string();
  } else {
    dialog.FFileName = ExtractName(buffer, size, 0, '\0').name;
    dialog.FFiles.add(dialog.FFileName);
  }
  auto put = [&](int member, uint32_t flag) {
    if (returnedFlags & flag)
      dialog.FOptions |= SetOf(member);
    else
      dialog.FOptions &= ~SetOf(member);
  };
  put(ofExtensionDifferent, ofn::kExtensionDifferent);
  put(ofReadOnly, ofn::kReadOnly);
  dialog.FFilterIndex = filterIndex;
}
