// The colour dialog: the chosen colour and the custom colour entries ("ColorA=808080").
#pragma once

#include "dialogs/common_dialog.h"
#include "dialogs/dialog_types.h"
#include "objects/strings.h"

class TColorDialog : public TCommonDialog {
 public:
  explicit TColorDialog(TComponent* owner) : TCommonDialog(owner) {}
  DECLARE_CLASS_INFO()

  TStrings* customColors() const { return &FCustomColors; }
  void setCustomColors(TPersistent* source) { FCustomColors.assign(source); }

  int32_t FColor = 0;
  mutable TStringList FCustomColors;
  TColorDialogOptions FOptions = 0;
};
