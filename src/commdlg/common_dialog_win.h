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

// Failures inside hooks and window procedures: they are caught there, kept here for the
// RunTaskModalCall in progress of `dialog` (null: the innermost call, or, outside any, for
// RethrowPendingFailure), and thrown again once that call's platform function has returned.
// Only the first failure of a call is kept.
void KeepPendingFailure(std::exception_ptr failure, const TCommonDialog* dialog = nullptr);
// True when the call of `dialog` (null: the innermost) has a failure kept: that dialog is
// ending, and no event handler of it may run any more. While any call has one, no other dialog
// opens: RunTaskModalCall answers FALSE at once.
bool FailurePending(const TCommonDialog* dialog = nullptr);
void RethrowPendingFailure();
// Called in a hook's catch block: keeps the failure being handled for `dialog`'s call and ends
// `dialogWindow` as Cancel would (posted: the platform's code is still on the stack).
void FailDialog(HWND dialogWindow, const TCommonDialog* dialog = nullptr);

// The optional CTL3D32.DLL: loaded at start-up only on platforms older than version 4 (major
// below 4 and minor below 89); every call does nothing when it is not in use.
void LoadCtl3DLibrary(HINSTANCE instance);
void UnloadCtl3DLibrary();
bool Ctl3DLibraryInUse();
