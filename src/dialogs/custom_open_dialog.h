// The open dialog that always runs Explorer-style with a hook, an optional template area,
// notification events and centring.
#pragma once

#include "dialogs/event.h"
#include "dialogs/file_dialog_state.h"

class TCustomOpenDialog : public TFileDialogState {
 public:
  explicit TCustomOpenDialog(TComponent* owner) : TFileDialogState(owner) {}
  DECLARE_CLASS_INFO()

  intptr_t FHandle = 0;  // the hooked child dialog's window, once it has initialised
  int32_t FCenter = 1;   // 32-bit boolean: any non-zero value is true
  std::string FTemplateName;
  TOpenNotifyEvent FOnInitDone;
  TOpenNotifyEvent FOnFileOK;
  TOpenNotifyEvent FOnFolderChange;
  TOpenNotifyEvent FOnHelp;
  TOpenNotifyEvent FOnSelChange;
  TOpenNotifyEvent FOnTypeChange;
  TShareNotifyEvent FOnShareViolation;
  TCommandNotifyEvent FOnCommand;
};
