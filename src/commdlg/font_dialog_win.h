// The font dialog on Windows: the logical font it is seeded with, the choice record, the hook
// with its Apply button, and the registry's execute routine.
#pragma once

#include <exception>
#include <functional>

#include "commdlg/common_dialog_win.h"
#include "dialogs/font_dialog.h"

using FontDialogFunction = DialogFunction<CHOOSEFONTA>;

// The logical font of `font` as the platform makes it: created with CreateFontIndirectA and
// read back with GetObjectA (the record as built when the platform cannot create the font).
LOGFONTA LogicalFontOf(const TFont& font);

// A logical font into the dialog's Font: name (unless empty; at most 31 characters), height and
// style (bold above weight 400). The pitch is left alone.
void UpdateFromLogFont(TFontDialog& dialog, const LOGFONTA& logFont);

// Builds the choice record from the dialog's properties, runs `function` with it through
// RunTaskModal with CurrentFontDialog set to `dialog`, and on a non-zero answer writes the chosen
// font and colour back. Answers the function's answer; failures pass on after the restoring.
BOOL RunFontDialog(TFontDialog& dialog, const FontDialogFunction& function);

// The registry's execute routine: ChooseFontA; true when accepted.
bool ExecuteFontDialog(TComponent& dialog);

// The font dialog whose platform dialog is open (nullptr when none).
TFontDialog* CurrentFontDialog();

// The hook given to ChooseFontA: the Apply button goes to ApplyFont, the rest to
// ClassicDialogHook.
UINT_PTR CALLBACK FontDialogHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The Apply button: the dialog window's current font and colour into Font, then OnApply. A
// failure of OnApply goes to the apply failure handler; the dialog stays open.
void ApplyFont(TFontDialog* dialog, HWND window);

// Where a failure of OnApply is reported; by default a message box owned by the dialog window.
using ApplyFailureHandler = std::function<void(HWND window, std::exception_ptr failure)>;
void SetApplyFailureHandler(ApplyFailureHandler handler);
