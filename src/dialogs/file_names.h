// What the file dialogs compute without the platform: the option-to-flag table, the flags and
// hook choice of the standard dialogs, the filter and file buffers handed to the platform, and
// the reading of the platform's answer back into the dialog's properties.
//
// The platform's answer in the file buffer, by example:
//   one name:                 C:\Data\a.txt<NUL>
//   Explorer, several names:  C:\Data<NUL>a.txt<NUL>b.txt<NUL><NUL>
//   old style, several names: C:\DATA A.TXT B.TXT<NUL>   (blank separated)
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "dialogs/dialog_types.h"

class TFileDialogState;

// Open-file-name flag values (the platform's OFN_* constants; the Windows build checks them).
namespace ofn {
inline constexpr uint32_t kReadOnly = 0x1;               // OFN_READONLY
inline constexpr uint32_t kOverwritePrompt = 0x2;        // OFN_OVERWRITEPROMPT
inline constexpr uint32_t kEnableHook = 0x20;            // OFN_ENABLEHOOK
inline constexpr uint32_t kEnableTemplate = 0x40;        // OFN_ENABLETEMPLATE
inline constexpr uint32_t kAllowMultiSelect = 0x200;     // OFN_ALLOWMULTISELECT
inline constexpr uint32_t kExtensionDifferent = 0x400;   // OFN_EXTENSIONDIFFERENT
inline constexpr uint32_t kExplorer = 0x80000;           // OFN_EXPLORER
}  // namespace ofn

// The platform flag of each TOpenOption member, indexed by member (ofReadOnly .. ofNoDereferenceLinks).
// ofOldStyleDialog maps to the Explorer flag itself; the standard dialogs invert that bit.
extern const std::array<uint32_t, 18> OpenOptionFlags;

// Capacity the platform is told for the file buffer (the buffer has 2 more zero bytes).
inline constexpr uint32_t kMaxFileSingle = 260;
inline constexpr uint32_t kMaxFileMulti = 8192;

// The OR of the table values of every member in `options`.
uint32_t OptionFlags(TOpenOptions options);
// Flags of a standard open or save dialog: the hook flag and the option flags, with the
// Explorer bit inverted when the new-style controls flag is on and cleared when it is off.
uint32_t StandardFileDialogFlags(TOpenOptions options, bool newStyleControls);
// Flags of the hooked Explorer open dialog: the hook flag, the option flags and the Explorer
// flag always (so ofOldStyleDialog changes nothing), and the template flag when it has one.
uint32_t CustomOpenDialogFlags(TOpenOptions options, bool hasTemplate);
// True when a standard file dialog runs the old-style dialog (and the classic hook).
bool IsOldStyleFileDialog(TOpenOptions options, bool newStyleControls);
// The character between names in the answer: a blank for an old-style multi-select, else NUL.
char AnswerSeparator(TOpenOptions options, bool oldStyle);
// kMaxFileMulti with ofAllowMultiSelect, else kMaxFileSingle.
uint32_t MaxFileFor(TOpenOptions options);

// The filter text with every "|" made a NUL, ending in two NULs: "A|*.a" -> "A\0*.a\0\0".
// Empty text gives an empty buffer, which stands for no filter (null).
std::vector<char> MakeFilterBuffer(const std::string& filter);
// `maxFile` + 2 zero bytes holding at most `maxFile` characters of `fileName`.
std::vector<char> MakeFileBuffer(const std::string& fileName, uint32_t maxFile);
// The default extension the platform sees: at most the first 3 characters.
std::string DefaultExtText(const std::string& defaultExt);

// One name of the answer, scanned from `position` to the first NUL or `separator` (or the end
// of the buffer). `next` is one past a separator, or the stopping NUL itself.
struct ExtractedName {
  std::string name;
  size_t next;
};
ExtractedName ExtractName(const char* buffer, size_t size, size_t position, char separator);

// Every chosen name as a full path: one name alone is taken whole; otherwise the first name is
// the directory and each later one is joined to it with one backslash unless it is absolute.
std::vector<std::string> CollectFileNames(const char* buffer, size_t size, char separator);

// The Explorer-style answer (one full path, or the directory and then the names, NUL-separated,
// ending in two NULs) with each name's full path passed through `replace`, which gives the path
// to answer instead (the same path to keep it) or nullopt to refuse it. One name is replaced
// whole; of several, a replacement in the directory goes as a name, any other as a full path.
// The new answer with its two closing NULs, or nullopt when a name is refused or it needs more
// than `capacity` bytes.
std::optional<std::string> ReplaceAnswerNames(
    const char* buffer, size_t capacity,
    const std::function<std::optional<std::string>(const std::string& path)>& replace);

// Writes an accepted answer back: Files and FileName (every name when `multiSelect`, else the
// text up to the first NUL), ofExtensionDifferent and ofReadOnly from the returned flags, and
// FilterIndex. Files is cleared first.
void ApplyFileDialogAnswer(TFileDialogState& dialog, const char* buffer, size_t size,
                           char separator, uint32_t returnedFlags, int32_t filterIndex);
