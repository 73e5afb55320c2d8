// The open dialog that pairs a data file with its "Final Storage Label" (FSL) file. Its custom
// area (the template "fsldlg32") holds an edit box with the FSL file and a "Browse FSL" button;
// every selection fills the edit box from the client's association store, and accepting a
// data file with no FSL file although one is expected asks the user what to do.
#pragma once

#include "dialogs/custom_open_dialog.h"

class TFSL16OpenDialog : public TCustomOpenDialog {
 public:
  // Control ids of the custom area.
  static constexpr int kFslEditId = 8193;
  static constexpr int kBrowseFslId = 8196;

  // Binds OnCommand, OnSelChange, OnInitDone and OnFileOK to the handlers below (a request may
  // unbind them again with nil) and names the template.
  explicit TFSL16OpenDialog(TComponent* owner);
  DECLARE_CLASS_INFO()

  // The notification handlers; `wnd` is the custom area, `parent` the dialog frame.
  void HandleInitDone(TComponent* sender, intptr_t wnd, intptr_t parent, void* nfy);
  void HandleSelChange(TComponent* sender, intptr_t wnd, intptr_t parent, void* nfy);
  void HandleCommand(TComponent* sender, intptr_t wnd, intptr_t parent, int32_t cmd);
  void HandleFileOK(TComponent* sender, intptr_t wnd, intptr_t parent, void* nfy);

  // Takes the dialog's current selection as the data file and looks its FSL file up.
  void UpdateFSLSelection();
  // Shows FSLFile in the edit box.
  void ShowFSLFile();
  // Lets the user pick the FSL file with a standard open dialog; nothing changes on cancel.
  void BrowseFSLFile();

  intptr_t FFSLEdit = 0;
  std::string FDataFile;
  std::string FIniFile;
  std::string FIniFileSection;
  std::string FFSLFile;
  bool FUseFSL = false;
  int32_t FFSLHelpContext = 0;
};
