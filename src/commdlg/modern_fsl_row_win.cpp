#include "commdlg/modern_fsl_row_win.h"

#include "commdlg/ansi_names_win.h"
#include "commdlg/modern_com_win.h"
#include "dialogs/fsl_open_dialog.h"

namespace {
constexpr DWORD kLabelId = 8197;

std::wstring FieldText(IFileDialogCustomize& customize) {
  LPWSTR text = nullptr;
  if (FAILED(customize.GetEditBoxText(TFSL16OpenDialog::kFslEditId, &text))) return std::wstring();
  return TakeComText(text);
}

// The object's selected item, or else what the name box names in the current folder: what the
// classic dialog's CDM_GETFILEPATH answers.
std::wstring SelectedPathW(IFileDialog& dialog) {
  IShellItem* item = nullptr;
  std::wstring path;
  if (SUCCEEDED(dialog.GetCurrentSelection(&item))) path = ItemPath(item);
  ReleaseCom(item);
  if (!path.empty()) return path;
  LPWSTR name = nullptr;
  const std::wstring typed = SUCCEEDED(dialog.GetFileName(&name)) ? TakeComText(name) : std::wstring();
  if (IsAbsolute(typed)) return typed;
  if (SUCCEEDED(dialog.GetFolder(&item))) path = ItemPath(item);
  ReleaseCom(item);
  if (path.empty() || typed.empty()) return path;
  return path.back() == L'\\' ? path + typed : path + L'\\' + typed;
}
}  // namespace

void AddFslRow(IFileDialogCustomize& customize) {
  customize.StartVisualGroup(kLabelId, L"FSL Filename:");
  customize.AddEditBox(TFSL16OpenDialog::kFslEditId, L"");
  customize.AddPushButton(TFSL16OpenDialog::kBrowseFslId, L"Browse FSL");
  customize.EndVisualGroup();
}

bool MendTypedFslPath(IFileDialogCustomize& customize, HWND window) {
  return MendTypedText(FieldText(customize), window, [&customize](const std::string& usable) {
    customize.SetEditBoxText(TFSL16OpenDialog::kFslEditId, FromAnsi(usable).c_str());
  });
}

ModernFslSite::ModernFslSite(IFileDialog& dialog, IFileDialogCustomize& customize)
    : dialog_(dialog), customize_(customize), previous_(FslSite()) {
  InstallFslDialogSite(this);
}

ModernFslSite::~ModernFslSite() { InstallFslDialogSite(&previous_); }

intptr_t ModernFslSite::dialogItem(intptr_t, int id) { return id; }

std::string ModernFslSite::selectedPath(intptr_t) {
  const std::wstring path = SelectedPathW(dialog_);
  const std::string usable = UsableAnsiPath(path);
  return usable.empty() ? ToAnsi(path) : usable;
}

std::string ModernFslSite::controlText(intptr_t control) {
  if (control != TFSL16OpenDialog::kFslEditId) return std::string();
  return ToAnsi(FieldText(customize_));
}

void ModernFslSite::setControlText(intptr_t control, const std::string& text) {
  if (control == TFSL16OpenDialog::kFslEditId)
    customize_.SetEditBoxText(TFSL16OpenDialog::kFslEditId, FromAnsi(text).c_str());
}
