// The two styles of the open, save and FSL open dialogs. The end-to-end tables of those dialogs
// run in each, with the same expected replies: servers started while a FileDialogStyle lives
// inherit its choice through the environment.
#pragma once

#include <gtest/gtest.h>

#include "platform/win32.h"
#include "platform/window_query.h"

inline constexpr const char* kFileDialogStyles[] = {"classic", "modern"};

class FileDialogStyle {
 public:
  explicit FileDialogStyle(const char* style) : trace_(__FILE__, __LINE__, std::string("style ") + style) {
    SetEnvironmentVariableA("DLG_FILE_DIALOG_STYLE", style);
    modern() = std::string(style) == "modern";
  }
  ~FileDialogStyle() {
    SetEnvironmentVariableA("DLG_FILE_DIALOG_STYLE", nullptr);
    modern() = false;
  }
  // Whether a request for `className` shows the modern dialog now: a file dialog class, the
  // modern style chosen, and none of the options only the classic dialog has.
  static bool ModernExpected(const std::string& className, const std::string& request) {
    const bool fileDialog = className == "TOpenDialog" || className == "TSaveDialog" || className == "TFSL16OpenDialog";
    return modern() && fileDialog && request.find("ofOldStyleDialog") == std::string::npos &&
           request.find("ofShowHelp") == std::string::npos;
  }
  FileDialogStyle(const FileDialogStyle&) = delete;
  FileDialogStyle& operator=(const FileDialogStyle&) = delete;

 private:
  static bool& modern() {
    static bool chosen = false;
    return chosen;
  }
  ::testing::ScopedTrace trace_;
};

// The modern dialog is the one with an Explorer browser among its windows; the classic one, in
// either of its looks, has none. Its controls go before its frame as it closes: look while it
// is up.
inline bool IsModernFileDialog(HWND dialog) {
  return dialog && FindDescendantOfClass(dialog, "ExplorerBrowserControl") != nullptr;
}

// The FSL field of either style: the classic template's box, or the modern dialog's one edit box
// among its custom controls (Wine makes windows of them, in one pane).
inline HWND FslFieldOf(HWND dialog) {
  constexpr int kFslEditId = 8193;
  if (HWND area = FindChildDialogWithItem(dialog, kFslEditId)) return GetDlgItem(area, kFslEditId);
  HWND pane = FindDescendantOfClass(dialog, "idlg_container_pane");
  return pane ? FindDescendantOfClass(pane, "Edit") : nullptr;
}
