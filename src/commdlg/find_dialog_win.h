// The find dialog on Windows: the modeless FindTextA window, the hidden owner window (the
// redirector) that receives its notices, the hook and the window procedure installed on it.
// The execute returns as soon as the window exists; the window stays open until the user
// closes it or the dialog object is destroyed.
#pragma once

#include <functional>

#include "commdlg/common_dialog_win.h"
#include "dialogs/find_dialog.h"

// The platform function seam: FindTextA (FindTextFunction()) or a test's own. It answers the
// window it created, 0 when it failed.
using FindTextCall = std::function<HWND(FINDREPLACEA*)>;

// Opens the find window through `function` and shows it, or only brings the window to the top
// when it is open already. True when a window is open afterwards. A failure kept by the hook
// while the window was created passes on here.
bool RunFindDialog(TFindDialog& dialog, const FindTextCall& function);

// The registry's execute routine: FindTextA; true when the window opened.
bool ExecuteFindDialog(TComponent& dialog);

// Left and top of the open find window's rectangle, otherwise the dialog's Position.
FindPosition FindDialogTopLeft(const TFindDialog& dialog);

// The hook given to FindTextA: ClassicDialogHook, then at WM_INITDIALOG the window is moved to
// the dialog's Position (unless -1, -1) and FindReplaceWndProc installed in front of its own.
UINT_PTR CALLBACK FindReplaceHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The find window's procedure while open: keeps ModelessDialogWindow() on the active find window
// and passes everything to the procedure it replaced (stored under WndProcPtrAtom()), whose
// property it removes at WM_NCDESTROY.
LRESULT CALLBACK FindReplaceWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The window property that holds the replaced window procedure: "WndProcPtr" with the module
// instance and the thread id, 8 hexadecimal digits each; deleted when the process ends.
ATOM WndProcPtrAtom();

// The modeless dialog window a message loop gives keyboard navigation to; 0 when none.
HWND ModelessDialogWindow();

// Tells which top-level windows of the thread are forms: the redirector's parent is the first
// such window, or none. By default no window is a form.
void SetFormWindowTest(std::function<bool(HWND window)> isForm);

// Posted to the redirector when the find window has closed; the redirector frees itself.
inline constexpr UINT kRedirectorReleaseMessage = 0xB021;
inline constexpr char kRedirectorWindowClass[] = "TRedirectorWindow";
