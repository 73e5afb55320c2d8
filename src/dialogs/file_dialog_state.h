// The state the open, save and custom open dialogs share: what they show and what they return.
#pragma once

#include <string>

#include "dialogs/common_dialog.h"
#include "dialogs/dialog_types.h"
#include "objects/strings.h"

class TFileDialogState : public TCommonDialog {
 public:
  explicit TFileDialogState(TComponent* owner) : TCommonDialog(owner) {}

  // A trailing backslash is dropped unless the text is one character long or the character
  // before it is a colon: "C:\Data\" becomes "C:\Data"; "C:\" and "\" stay.
  void setInitialDir(const std::string& dir);
  const std::string& initialDir() const { return FInitialDir; }
  TStrings* historyList() const { return &FHistoryList; }
  // Copies the given list's lines; nil fails as an impossible assignment.
  void setHistoryList(TPersistent* source) { FHistoryList.assign(source); }

  mutable TStringList FHistoryList;
  TOpenOptions FOptions = 0;
  std::string FFilter;
  int32_t FFilterIndex = 1;
  std::string FInitialDir;
  std::string FTitle;
  std::string FDefaultExt;
  std::string FFileName;
  TStringList FFiles;  // every chosen name after a run; never streamed
  TFileEditStyle FFileEditStyle = fsEdit;
};
