// The standard open and save dialogs on Windows.
#pragma once

#include "commdlg/common_dialog_win.h"
#include "dialogs/open_dialog.h"

using FileDialogFunction = DialogFunction<OPENFILENAMEA>;

// Builds the open-file-name record from the dialog's properties, runs `function` with it through
// RunTaskModal, and on a non-zero answer writes the chosen names, the read-only and
// extension-different options and the filter index back. Answers the function's answer; the
// buffers are released on every path.
BOOL RunFileDialog(TOpenDialog& dialog, const FileDialogFunction& function);

// The registry's execute routines: GetOpenFileNameA / GetSaveFileNameA; true when accepted.
bool ExecuteOpenDialog(TComponent& dialog);
bool ExecuteSaveDialog(TComponent& dialog);

// The hook of Explorer-style dialogs: centres the dialog frame once it is initialised.
UINT_PTR CALLBACK ExplorerDialogHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
