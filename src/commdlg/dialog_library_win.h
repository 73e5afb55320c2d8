// The platform's common dialog library (comdlg32, with shell32, comctl32 and the rest it brings)
// is not imported: loading it before WinMain costs the server's start-up tens of milliseconds,
// and nothing before the ready notice needs it. The server starts loading it on a background
// thread right after the notice; the first dialog waits only for what is left of that load.
#pragma once

#include "commdlg/file_dialog_win.h"

// Starts loading the library on a background thread; later calls do nothing.
void StartLoadingDialogLibrary();

// The dialog functions, resolved once, after waiting for the background load (or loading the
// library now when no load was started). Throw EDialogLibrary when the library or the function
// is missing.
FileDialogFunction OpenFileNameFunction();
FileDialogFunction SaveFileNameFunction();
DialogFunction<CHOOSECOLORA> ChooseColorFunction();
DialogFunction<CHOOSEFONTA> ChooseFontFunction();
DialogFunction<PRINTDLGA> PrintDialogFunction();
// FindTextA answers the find window it created (0 when it failed), not a boolean.
std::function<HWND(FINDREPLACEA*)> FindTextFunction();
