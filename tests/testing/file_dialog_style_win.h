// The two styles of the open, save and FSL open dialogs. The end-to-end tables of those dialogs
// run in each, with the same expected replies: servers started while a FileDialogStyle lives
// inherit its choice through the environment.
#pragma once

#include <gtest/gtest.h>

#include "platform/win32.h"

inline constexpr const char* kFileDialogStyles[] = {"classic", "modern"};

class FileDialogStyle {
 public:
  explicit FileDialogStyle(const char* style) : trace_(__FILE__, __LINE__, std::string("style ") + style) {
    SetEnvironmentVariableA("DLG_FILE_DIALOG_STYLE", style);
  }
  ~FileDialogStyle() { SetEnvironmentVariableA("DLG_FILE_DIALOG_STYLE", nullptr); }
  FileDialogStyle(const FileDialogStyle&) = delete;
  FileDialogStyle& operator=(const FileDialogStyle&) = delete;

 private:
  ::testing::ScopedTrace trace_;
};

// The FSL field of either style: the classic template's box, or the modern dialog's one edit box
// among its custom controls (Wine makes windows of them, in one pane).
inline HWND FslFieldOf(HWND dialog) {
  constexpr int kFslEditId = 8193;
  if (HWND area = FindChildDialogWithItem(dialog, kFslEditId)) return GetDlgItem(area, kFslEditId);
  HWND pane = FindDescendantOfClass(dialog, "idlg_container_pane");
  return pane ? FindDescendantOfClass(pane, "Edit") : nullptr;
}
