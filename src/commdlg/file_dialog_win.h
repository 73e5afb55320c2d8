// The file dialogs on Windows: the record both kinds of open dialog build alike, the standard
// open and save dialogs, and the hook of their Explorer style.
#pragma once

#include <vector>

#include "commdlg/common_dialog_win.h"
#include "dialogs/open_dialog.h"

using FileDialogFunction = DialogFunction<OPENFILENAMEA>;

// An open-file-name record filled from the properties every file dialog shares (filter and its
// index, the file buffer with FileName, initial directory, title, default extension), with the
// buffers behind it; they live as long as this object, so they are released on every path.
// The caller adds the flags, hook, template, owner and custom data.
class FileDialogRecord {
 public:
  explicit FileDialogRecord(TFileDialogState& dialog);
  FileDialogRecord(const FileDialogRecord&) = delete;
  FileDialogRecord& operator=(const FileDialogRecord&) = delete;

  OPENFILENAMEA& record() { return record_; }
  // Writes an accepted answer back into the dialog: Files, FileName, the read-only and
  // extension-different options and FilterIndex.
  void applyAnswer(char separator);

 private:
  TFileDialogState& dialog_;
  OPENFILENAMEA record_{};
  std::vector<char> filter_;
  std::vector<char> file_;
  char defaultExt_[4] = {};
};

// Builds the record from the dialog's properties, runs `function` with it through RunTaskModal,
// and on a non-zero answer writes the chosen names, the read-only and extension-different
// options and the filter index back. Answers the function's answer; the buffers are released
// on every path.
BOOL RunFileDialog(TOpenDialog& dialog, const FileDialogFunction& function);

// The registry's execute routines: GetOpenFileNameA / GetSaveFileNameA; true when accepted.
bool ExecuteOpenDialog(TComponent& dialog);
bool ExecuteSaveDialog(TComponent& dialog);

// The hook of Explorer-style dialogs: centres the dialog frame once it is initialised, and at
// OK answers names the code page cannot express by their short paths (ansi_names_win.h).
UINT_PTR CALLBACK ExplorerDialogHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// At CDN_FILEOK (`notification`) of the Explorer dialog whose hook window is `hookWindow`:
// MendAnswerNames on the dialog's record; false when the OK is to be refused.
bool MendFileOK(HWND hookWindow, LPARAM notification);
// The hook's answer to CDN_FILEOK that keeps the dialog from accepting.
UINT_PTR RefuseFileOK(HWND hookWindow);
