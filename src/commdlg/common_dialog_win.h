// The common dialog base on Windows: running a platform dialog function task-modally, the help
// message, centring, the hook of old-style dialogs and the optional 3D-controls library.
#pragma once

#include <exception>
#include <functional>

#include "dialogs/common_dialog.h"
#include "platform/win32.h"

// True when `message` is the help message and the dialog has a help context; then the
// application is asked to show that context first.
bool HandleHelpMessage(TCommonDialog& dialog, UINT message);

// Calls `call` with the thread's other visible, enabled top-level windows disabled and the
// dialog's help handler among the application window's hooks; undoes both and makes the
// formerly active window active again on every path. Answers what `call` answers; a failure
// of `call` (or one a hook carried out of the platform call) passes on after the undoing.
BOOL RunTaskModalCall(TCommonDialog& dialog, const std::function<BOOL()>& call);

// The platform dialog function seam: the real GetOpenFileNameA or a test's own function.
template <class Record>
using DialogFunction = std::function<BOOL(Record*)>;

template <class Record>
BOOL RunTaskModal(TCommonDialog& dialog, const DialogFunction<Record>& function, Record& record) {
  return RunTaskModalCall(dialog, [&] { return function(&record); });
}

// Moves the window (only) to the horizontal centre and the upper third of the screen.
void CenterOnScreen(HWND window);

// The hook of old-style dialogs: 3D look and centring at WM_INITDIALOG.
UINT_PTR CALLBACK ClassicDialogHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Failures inside hooks and window procedures: they are caught there, kept here, and thrown
// again by RunTaskModalCall once the platform call has returned.
void KeepPendingFailure(std::exception_ptr failure);
void RethrowPendingFailure();

// The optional CTL3D32.DLL: loaded at start-up only on platforms older than version 4 (major
// below 4 and minor below 89); every call does nothing when it is not in use.
void LoadCtl3DLibrary(HINSTANCE instance);
void UnloadCtl3DLibrary();
bool Ctl3DLibraryInUse();
