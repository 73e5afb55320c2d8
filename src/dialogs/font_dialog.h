// The font dialog: a font and the limits and options of its choice.
#pragma once

#include "dialogs/common_dialog.h"
#include "dialogs/event.h"
#include "dialogs/font.h"

class TFontDialog : public TCommonDialog {
 public:
  explicit TFontDialog(TComponent* owner) : TCommonDialog(owner) {}
  DECLARE_CLASS_INFO()

  TFont* font() const { return &FFont; }
  // Copies the given font's attributes; nil fails as an impossible assignment.
  void setFont(TPersistent* source) { FFont.assign(source); }

  mutable TFont FFont;
  TFontDialogDevice FDevice = fdScreen;
  int32_t FMinFontSize = 0;
  int32_t FMaxFontSize = 0;
  TFontDialogOptions FOptions = SetOf(fdEffects);
  TFDApplyEvent FOnApply;
};
