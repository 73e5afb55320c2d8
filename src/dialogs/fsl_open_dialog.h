// The open dialog that pairs a data file with its "Final Storage Label" (FSL) file.
#pragma once

#include "dialogs/custom_open_dialog.h"

class TFSL16OpenDialog : public TCustomOpenDialog {
 public:
  explicit TFSL16OpenDialog(TComponent* owner);
  DECLARE_CLASS_INFO()

  std::string FFSLFile;
  bool FUseFSL = false;
  std::string FIniFile;
  std::string FIniFileSection;
  int32_t FFSLHelpContext = 0;
};
