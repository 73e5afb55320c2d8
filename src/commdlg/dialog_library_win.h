// The platform's common dialog library (comdlg32, with shell32, comctl32 and the rest it brings)
// is not imported: loading it before WinMain costs the server's start-up tens of milliseconds,
// and nothing before the ready notice needs it. The server loads it right after the notice,
// before its host form appears, so that a request sent the moment the form appears finds it
// loaded.
#pragma once

#include "commdlg/file_dialog_win.h"

// Loads the library now, on this thread, unless that was done before. A library that cannot be
// loaded is reported by the dialog functions.
void LoadDialogLibrary();

// The dialog functions, resolved once (loading the library first if need be). Throw
// EDialogLibrary when the library or the function is missing.
FileDialogFunction OpenFileNameFunction();
FileDialogFunction SaveFileNameFunction();
DialogFunction<CHOOSECOLORA> ChooseColorFunction();
DialogFunction<CHOOSEFONTA> ChooseFontFunction();
DialogFunction<PRINTDLGA> PrintDialogFunction();
// FindTextA answers the find window it created (0 when it failed), not a boolean.
std::function<HWND(FINDREPLACEA*)> FindTextFunction();
