// The standard open dialog and the save dialog, which adds nothing but its own run.
#pragma once

#include "dialogs/file_dialog_state.h"

class TOpenDialog : public TFileDialogState {
 public:
  explicit TOpenDialog(TComponent* owner) : TFileDialogState(owner) {}
  DECLARE_CLASS_INFO()
};

class TSaveDialog : public TOpenDialog {
 public:
  explicit TSaveDialog(TComponent* owner) : TOpenDialog(owner) {}
  DECLARE_CLASS_INFO()
};
