// The modern file dialog on Windows (the platform's file dialog object), chosen instead of the
// classic open, save and FSL open dialogs by the server's settings (file_dialog_style_win.h).
// The request's properties are set on the object; its events raise the custom open dialog's
// notification events; the FSL open dialog's row is made of its custom controls; and the answer
// is written back in the classic dialog's buffer format, so that the reply is the same.
#pragma once

#include <optional>

#include "dialogs/custom_open_dialog.h"
#include "dialogs/file_dialog_state.h"
#include "platform/win32.h"

enum class FileDialogKind { Open, Save };

struct ModernRun {
  FileDialogKind kind;
  HWND owner;
  bool oldStyle;                // the classic dialog would run old-style: the modern one cannot
  TCustomOpenDialog* events;    // the object whose notification events are raised, or null
  bool centred;                 // the frame is centred when it first shows its folder
};

// Runs the modern dialog for `dialog` when it is chosen, nothing in the request needs the
// classic dialog (kModernOptions) and the platform has the dialog object; true when accepted,
// with the answer written back. nullopt when the classic dialog is to run instead. A failure of
// an event handler ends the dialog and passes on from here.
std::optional<bool> RunModernFileDialog(TFileDialogState& dialog, const ModernRun& run);
