// The hooked Explorer open dialog on Windows: its record, its hook procedure, which turns the
// platform's notifications into the dialog object's events, and the centring of its frame.
#pragma once

#include "commdlg/file_dialog_win.h"
#include "dialogs/custom_open_dialog.h"

// The window property that ties the hooked child dialog to its dialog object.
inline constexpr char kDialogObjectProperty[] = "TCOD";

// Builds the record (hook and Explorer flags always, the template flag with a TemplateName, the
// owner from Tag or the application window, the object as custom data), runs `function` with it
// through RunTaskModal and writes an accepted answer back. A failure of an event handler ends
// the dialog and passes on from here, after the buffers were released.
BOOL RunCustomFileDialog(TCustomOpenDialog& dialog, const FileDialogFunction& function);

// The registry's execute routine: GetOpenFileNameA; true when accepted.
bool ExecuteCustomOpenDialog(TComponent& dialog);

// Binds the child window to its object at WM_INITDIALOG (property "TCOD", Handle), raises the
// events for the Explorer notifications and for WM_COMMAND, centres the frame at CDN_INITDONE
// when Center is set, and unbinds at WM_NCDESTROY. Always answers 0.
UINT_PTR CALLBACK CustomDialogHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Moves `frame` to the horizontal centre and the upper third of the screen, brings it to the
// top, activates it and gives it the focus.
void CenterDialogFrame(HWND frame);
