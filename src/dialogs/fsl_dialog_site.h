// What the FSL open dialog needs of the platform while it runs: the controls of its custom
// area, the selection of the dialog around it, the association store, the warning and the
// browse dialog. The Windows build installs the real site; until then a site that sees no
// windows and no files stands in, so the portable model runs its decisions against a fake.
#pragma once

#include <cstdint>
#include <string>

#include "fsl/fsl_lookup.h"

class TOpenDialog;

class FslDialogSite {
 public:
  virtual ~FslDialogSite() = default;
  // The control with `id` in `window`; 0 when there is none.
  virtual intptr_t dialogItem(intptr_t window, int id) = 0;
  // The full path of what the dialog around the custom area `customArea` has selected; empty
  // when it reports nothing.
  virtual std::string selectedPath(intptr_t customArea) = 0;
  virtual std::string controlText(intptr_t control) = 0;
  virtual void setControlText(intptr_t control, const std::string& text) = 0;
  // The association store and the file system.
  virtual bool isExistingFile(const std::string& name) = 0;
  virtual FslChoice lookupFslFile(const std::string& iniFile, const std::string& section,
                                  const std::string& dataFile) = 0;
  // The missing-FSL warning over `owner`: true when the user wants to select an FSL file.
  virtual bool showFslWarning(const std::string& dataFile, int32_t helpContext, intptr_t owner) = 0;
  // Runs a standard open dialog; true when the user accepted it.
  virtual bool executeOpenDialog(TOpenDialog& dialog) = 0;
};

// The installed site (not owned; must outlive every use). nullptr restores the stand-in.
FslDialogSite& FslSite();
void InstallFslDialogSite(FslDialogSite* site);
