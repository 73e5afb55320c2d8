#include "dialogs/fsl_open_dialog.h"

#include <memory>

#include "dialogs/fsl_dialog_site.h"
#include "dialogs/open_dialog.h"
#include "fsl/path_functions.h"

using D = TFSL16OpenDialog;

TFSL16OpenDialog::TFSL16OpenDialog(TComponent* owner) : TCustomOpenDialog(owner) {
  FTemplateName = "fsldlg32";
  FOnCommand.handler = [this](TComponent* s, intptr_t w, intptr_t p, int32_t cmd) { HandleCommand(s, w, p, cmd); };
  FOnSelChange.handler = [this](TComponent* s, intptr_t w, intptr_t p, void* n) { HandleSelChange(s, w, p, n); };
  FOnInitDone.handler = [this](TComponent* s, intptr_t w, intptr_t p, void* n) { HandleInitDone(s, w, p, n); };
  FOnFileOK.handler = [this](TComponent* s, intptr_t w, intptr_t p, void* n) { HandleFileOK(s, w, p, n); };
}

void TFSL16OpenDialog::HandleInitDone(TComponent*, intptr_t wnd, intptr_t, void*) {
  FFSLEdit = FslSite().dialogItem(wnd, kFslEditId);
  UpdateFSLSelection();
}

void TFSL16OpenDialog::HandleSelChange(TComponent*, intptr_t, intptr_t, void*) { UpdateFSLSelection(); }

void TFSL16OpenDialog::HandleCommand(TComponent*, intptr_t, intptr_t, int32_t cmd) {
  if (cmd == kBrowseFslId) BrowseFSLFile();
}

void TFSL16OpenDialog::HandleFileOK(TComponent*, intptr_t wnd, intptr_t, void*) {
  FslDialogSite& site = FslSite();
  // What the user typed is taken as it stands: neither tested nor expanded.
  FFSLFile = site.controlText(FFSLEdit);
  if (!FUseFSL || !FFSLFile.empty()) return;
  if (site.showFslWarning(FDataFile, FFSLHelpContext, wnd)) {
    BrowseFSLFile();
  } else {
    FUseFSL = false;
    FFSLFile.clear();
  }
}

void TFSL16OpenDialog::UpdateFSLSelection() {
  FslDialogSite& site = FslSite();
  FDataFile = site.selectedPath(FHandle);
  if (site.isExistingFile(FDataFile)) {
    FslChoice choice = site.lookupFslFile(FIniFile, FIniFileSection, FDataFile);
    FFSLFile = choice.fslFile;
    FUseFSL = choice.useFsl;
  } else {
    FFSLFile.clear();
    FUseFSL = true;
  }
  ShowFSLFile();
}

void TFSL16OpenDialog::ShowFSLFile() {
  FslDialogSite& site = FslSite();
  site.setControlText(site.dialogItem(FHandle, kFslEditId), FFSLFile);
}

void TFSL16OpenDialog::BrowseFSLFile() {
  std::unique_ptr<TOpenDialog> browse(new TOpenDialog(nullptr));
  browse->FFileName = NamePart(FFSLFile);
  browse->setInitialDir(DirectoryPart(FFSLFile));
  browse->FFilter = "FSL files (*.fsl)|*.fsl";
  browse->FFilterIndex = 0;
  browse->FDefaultExt = "fsl";
  browse->FOptions = SetOf(ofHideReadOnly) | SetOf(ofFileMustExist) | SetOf(ofNoTestFileCreate);
  browse->FTitle = "Select FSL file";
  if (!FslSite().executeOpenDialog(*browse)) return;
  FFSLFile = browse->FFileName;
  FUseFSL = !FFSLFile.empty();
  ShowFSLFile();
}

const ClassInfo& TFSL16OpenDialog::StaticClass() {
  static const ClassInfo info{
      "TFSL16OpenDialog",
      &TCustomOpenDialog::StaticClass(),
      {
          // Redeclares the inherited file name under its own spelling, in the same slot.
          StrProp("Filename", 14, StringType(), Field<&D::FFileName>()),
          StrProp("FSLFile", 23, StringType(), Field<&D::FFSLFile>()),
          OrdProp("UseFSL", 24, BooleanType(), Field<&D::FUseFSL>()),
          StrProp("IniFile", 25, StringType(), Field<&D::FIniFile>()),
          StrProp("IniFileSection", 26, StringType(), Field<&D::FIniFileSection>()),
          OrdProp("FSLHelpContext", 27, IntegerType(), Field<&D::FFSLHelpContext>()),
      },
      [](TComponent* owner) -> TComponent* { return new TFSL16OpenDialog(owner); },
  };
  return info;
}
