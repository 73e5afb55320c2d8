// The find dialog: the text to find, kept in the fixed buffer the platform dialog edits.
#pragma once

#include <string>

#include "dialogs/common_dialog.h"
#include "dialogs/dialog_types.h"
#include "dialogs/event.h"

constexpr size_t kFindTextBufferSize = 256;

class TFindDialog : public TCommonDialog {
 public:
  explicit TFindDialog(TComponent* owner) : TCommonDialog(owner) {}
  DECLARE_CLASS_INFO()

  // The buffer's text up to its first NUL.
  std::string findText() const;
  // Copies at most 255 characters into the buffer.
  void setFindText(const std::string& text);
  char* findTextBuffer() { return FFindText; }

  char FFindText[kFindTextBufferSize] = {};
  TFindOptions FOptions = SetOf(frDown);
  TNotifyEvent FOnFind;
};
