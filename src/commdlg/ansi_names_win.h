// File names the program's ANSI code page cannot express. The server runs the platform's ANSI
// file dialogs, which turn every character outside the code page into "?" (which no file name
// holds) or a look-alike: such an answer names no file, or another one. When the user accepts,
// the chosen names are learnt in Unicode from the dialog's own view and each one that does not
// survive the round trip through the code page is answered by its short (8.3) path, which opens
// the same file. A name with no usable short form (none made on that volume, or a typed name of
// a file that does not exist yet) is refused: the user is told and the dialog stays open.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/ansi_text.h"
#include "platform/win32.h"

// The full paths, in Unicode, of what the Explorer dialog `frame` shows selected in its view.
std::vector<std::wstring> SelectedPathsW(HWND frame);

// The short form of a path, or empty when it has none: GetShortPathNameW, or a test's own.
using ShortPathFunction = std::function<std::wstring(const std::wstring& path)>;
void SetShortPathFunction(ShortPathFunction function);  // null: the platform's

// How `path` (Unicode) is answered in the ANSI code page: itself when it survives the round
// trip, else its short path when that does (keeping the long folder when the folder survives);
// empty when neither does.
std::string UsableAnsiPath(const std::wstring& path);

// The form of `ansiPath`, a path the dialog `frame` gave for one of its selected items, that
// names that item: `ansiPath` itself unless the item's name did not survive the code page.
std::string UsableSelectedPath(HWND frame, const std::string& ansiPath);

// True for a path with a drive ("C:...") or from a root ("\\...").
bool IsAbsolute(const std::wstring& name);

// Tells the user in a message box owned by `frame` that the name of `path` cannot be used.
void TellNameUnusable(HWND frame, const std::wstring& path);
// The window's own text, in Unicode.
std::wstring WindowTextW(HWND window);

// A path `typed` into a box of the dialog `frame` made usable the same way: `replace` is given
// its short path to put in its place, or it is refused (false) after telling the user.
bool MendTypedText(const std::wstring& typed, HWND frame, const std::function<void(const std::string&)>& replace);
// The same for the text of `edit` (a box of the dialog `frame`, such as the FSL field).
bool MendTypedPath(HWND edit, HWND frame);

// At CDN_FILEOK of the Explorer dialog `frame`: rewrites the answer in `record` so that every
// name opens the file the user chose. False when a name has no usable form, after telling the
// user in a message box owned by `frame`: the OK is then to be refused.
bool MendAnswerNames(HWND frame, OPENFILENAMEA& record);
