// Which open and save dialogs the server shows: the classic Explorer-style dialogs, or the
// modern file dialog. The classic ones are the default; an administrator chooses the modern one
// for every client at once in `dlgserver.ini` beside the server program:
//
//   [FileDialogs]
//   Style=modern
//
// The environment variable DLG_FILE_DIALOG_STYLE (classic or modern), when set, wins over the
// file (tests and one-off runs use it). Any other value means classic.
#pragma once

#include <string>

// The settings file beside the running program.
std::string FileDialogSettingsPath();
// True when the modern dialog is chosen.
bool ModernFileDialogChosen();
