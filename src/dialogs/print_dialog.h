// The print dialog (copies, page range, options) and the printer set-up dialog.
#pragma once

#include "dialogs/common_dialog.h"
#include "dialogs/dialog_types.h"

class TPrintDialog : public TCommonDialog {
 public:
  explicit TPrintDialog(TComponent* owner) : TCommonDialog(owner) {}
  DECLARE_CLASS_INFO()

  int32_t copies() const { return FCopies; }
  // Stores the count, then sets the current printer's copy count (which may fail).
  void setCopies(int32_t copies);

  bool FCollate = false;
  int32_t FCopies = 0;
  int32_t FFromPage = 0;
  int32_t FMinPage = 0;
  int32_t FMaxPage = 0;
  TPrintDialogOptions FOptions = 0;
  bool FPrintToFile = false;
  TPrintRange FPrintRange = prAllPages;
  int32_t FToPage = 0;
};

class TPrinterSetupDialog : public TCommonDialog {
 public:
  explicit TPrinterSetupDialog(TComponent* owner) : TCommonDialog(owner) {}
  DECLARE_CLASS_INFO()
};
