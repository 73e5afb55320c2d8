// The FSL open dialog's platform on Windows: real controls, the Explorer dialog's selection,
// the association store over the real INI and file calls, the warning form and the standard
// open dialog.
#pragma once

#include "dialogs/fsl_dialog_site.h"

class WindowsFslDialogSite : public FslDialogSite {
 public:
  intptr_t dialogItem(intptr_t window, int id) override;
  std::string selectedPath(intptr_t customArea) override;
  std::string controlText(intptr_t control) override;
  void setControlText(intptr_t control, const std::string& text) override;
  bool isExistingFile(const std::string& name) override;
  FslChoice lookupFslFile(const std::string& iniFile, const std::string& section,
                          const std::string& dataFile) override;
  bool showFslWarning(const std::string& dataFile, int32_t helpContext, intptr_t owner) override;
  bool executeOpenDialog(TOpenDialog& dialog) override;
};

// Installs the Windows site for the rest of the process.
void InstallWindowsFslDialogSite();
