// The find dialog: the text to find, kept in the fixed buffer the platform dialog edits, and
// where its window opens. The window itself is modeless and belongs to the Windows part
// (commdlg/find_dialog_win.h), which the object holds while the window is open.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "dialogs/common_dialog.h"
#include "dialogs/dialog_types.h"
#include "dialogs/event.h"

constexpr size_t kFindTextBufferSize = 256;

// The platform side of a find dialog that has run: its window, the window's owner and the
// record the platform reads. Destroying it closes the window.
class FindDialogWindow {
 public:
  virtual ~FindDialogWindow() = default;
};

// The screen position of the find window's top-left corner; -1, -1 = not set (the window opens
// centred).
struct FindPosition {
  int32_t left = -1;
  int32_t top = -1;
};

class TFindDialog : public TCommonDialog {
 public:
  explicit TFindDialog(TComponent* owner) : TCommonDialog(owner) {}
  // Closes an open find window first.
  ~TFindDialog() override;
  DECLARE_CLASS_INFO()

  // The buffer's text up to its first NUL.
  std::string findText() const;
  // Copies at most 255 characters into the buffer.
  void setFindText(const std::string& text);
  char* findTextBuffer() { return FFindText; }

  char FFindText[kFindTextBufferSize] = {};
  TFindOptions FOptions = SetOf(frDown);
  TNotifyEvent FOnFind;
  // Replace requests; not published, so nothing binds it in a request.
  TNotifyEvent FOnReplace;
  // Given to the platform with the find buffer; nothing here fills it.
  char FReplaceText[kFindTextBufferSize] = {};
  // Where the window opens; recorded when it closes.
  FindPosition FPosition;
  std::unique_ptr<FindDialogWindow> FWindow;
};
