// The platform's common dialog library (comdlg32, with shell32, comctl32 and the rest it brings)
// is not imported: loading it before WinMain costs the server's start-up tens of milliseconds,
// and nothing before the ready notice needs it. The server starts loading it on a background
// thread right after the notice; the first dialog waits only for what is left of that load,
// never for what the thread does after it.
#pragma once

#include "commdlg/file_dialog_win.h"

// Starts loading the library on a background thread, which then runs `afterwards` if given
// (the warm-up); later calls do nothing.
void StartLoadingDialogLibrary(void (*afterwards)() = nullptr);
// Waits up to `timeoutMs` for that thread to end, taking the messages it sends to this thread
// meanwhile: the server calls it before the process ends, so the process does not end in the
// middle of the warm-up.
void FinishLoadingDialogLibrary(DWORD timeoutMs);

// The dialog functions, resolved once, after waiting for the background load but not for what
// follows it (or loading the library now when no load was started). Throw EDialogLibrary when
// the library or the function is missing.
FileDialogFunction OpenFileNameFunction();
FileDialogFunction SaveFileNameFunction();
DialogFunction<CHOOSECOLORA> ChooseColorFunction();
DialogFunction<CHOOSEFONTA> ChooseFontFunction();
DialogFunction<PRINTDLGA> PrintDialogFunction();
// FindTextA answers the find window it created (0 when it failed), not a boolean.
std::function<HWND(FINDREPLACEA*)> FindTextFunction();
