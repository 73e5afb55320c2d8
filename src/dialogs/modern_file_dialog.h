// What the modern file dialog (the platform's file dialog object, opt-in) makes of an open or
// save request, without the platform: which option sets which of its flags, which options it
// cannot honour (the classic dialog runs then), the filter as name and pattern pairs, and the
// answer in the classic dialog's buffer format, so that the reply is written back by the same
// code and comes out byte for byte the same.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "dialogs/dialog_types.h"

// The modern dialog's option flags (the platform's FOS_* constants; the Windows build checks them).
namespace fos {
inline constexpr uint32_t kOverwritePrompt = 0x2;
inline constexpr uint32_t kNoChangeDir = 0x8;
inline constexpr uint32_t kForceFileSystem = 0x40;
inline constexpr uint32_t kNoValidate = 0x100;
inline constexpr uint32_t kAllowMultiSelect = 0x200;
inline constexpr uint32_t kPathMustExist = 0x800;
inline constexpr uint32_t kFileMustExist = 0x1000;
inline constexpr uint32_t kCreatePrompt = 0x2000;
inline constexpr uint32_t kShareAware = 0x4000;
inline constexpr uint32_t kNoReadOnlyReturn = 0x8000;
inline constexpr uint32_t kNoTestFileCreate = 0x10000;
inline constexpr uint32_t kNoDereferenceLinks = 0x100000;
}  // namespace fos

// How the modern dialog takes one open option.
enum class ModernCounterpart {
  Flag,         // a flag of the modern dialog (ModernOption::flag)
  ReadOnlyBox,  // the "Open as read-only" check button: its initial state, and what comes back
  HidesBox,     // no "Open as read-only" check button
  Answer,       // set from the answer only, as the classic dialog sets it
  NoEffect,     // changes nothing in an Explorer-style dialog either
  Classic,      // changes behaviour the modern dialog does not have: the classic dialog runs
};

struct ModernOption {
  TOpenOption option;
  ModernCounterpart counterpart;
  uint32_t flag;  // with Flag
};

// One line per open option, in the order of the set.
extern const ModernOption kModernOptions[18];

// The modern flags of `options`, with kForceFileSystem always: every answer is a file path.
uint32_t ModernDialogFlags(TOpenOptions options);
// The first option of `options` that only the classic dialog honours, or -1 when there is none.
// `oldStyle` tells whether the classic dialog would run old-style (which counts as such an option).
int ClassicOnlyOption(TOpenOptions options, bool oldStyle);

// The filter text as (name, pattern) pairs: "Text|*.txt|All|*.*" -> {Text, *.txt}, {All, *.*};
// a name without a pattern gets an empty one.
std::vector<std::pair<std::string, std::string>> FilterPairs(const std::string& filter);

// The folder part of `path` ("C:\" for "C:\a.txt"); empty when it has none.
std::string FolderOf(const std::string& path);
// Where the dialog opens: the folder part of `fileName` when it has one, else `initialDir`.
std::string StartFolder(const std::string& fileName, const std::string& initialDir);

// The chosen full paths as the classic Explorer dialog answers them: one path alone, ending in
// two NULs; several as the first one's folder and then each name (a path in another folder
// whole), NUL-separated, ending in two NULs.
std::string ExplorerAnswer(const std::vector<std::string>& paths);

// True when the classic dialog reports an extension different from the default one: it does
// so only for an extension it appended to a name typed without one (`typedName`, the file name
// box's text), from the filter or `defaultExt` (as the platform sees it, DefaultExtText), that
// is not `defaultExt`, ASCII case ignored. A name typed with an extension of its own leaves the
// option clear.
bool ExtensionDiffers(const std::string& typedName, const std::string& path, const std::string& defaultExt);
