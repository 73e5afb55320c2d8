// The FSL open dialog in the modern file dialog: its row ("FSL Filename:", the FSL field and
// "Browse FSL") as the dialog's custom controls, with the classic template's control ids, and
// the site through which the dialog's handlers work that row and the dialog's selection.
#pragma once

#include <shobjidl.h>

#include "commdlg/fsl_dialog_site_win.h"

// Adds the row below the file list as one visual group: the label, then the field and the
// button beside it.
void AddFslRow(IFileDialogCustomize& customize);

// A path typed into the FSL field that the code page cannot express is replaced by its short
// path, or refused (false) after telling the user in a message box owned by `window`.
bool MendTypedFslPath(IFileDialogCustomize& customize, HWND window);

// While it lives, the FSL open dialog's site is the modern dialog `dialog`: its controls are
// the custom controls by id, its selection is the object's. Puts the earlier site back at the end.
class ModernFslSite : public WindowsFslDialogSite {
 public:
  ModernFslSite(IFileDialog& dialog, IFileDialogCustomize& customize);
  ~ModernFslSite() override;
  ModernFslSite(const ModernFslSite&) = delete;
  ModernFslSite& operator=(const ModernFslSite&) = delete;

  intptr_t dialogItem(intptr_t window, int id) override;
  std::string selectedPath(intptr_t customArea) override;
  std::string controlText(intptr_t control) override;
  void setControlText(intptr_t control, const std::string& text) override;

 private:
  IFileDialog& dialog_;
  IFileDialogCustomize& customize_;
  FslDialogSite& previous_;
};
