#include "commdlg/custom_open_dialog_win.h"

#include <string>

#include "commdlg/ansi_names_win.h"
#include "commdlg/dialog_host.h"
#include "commdlg/dialog_library_win.h"
#include "commdlg/modern_file_dialog_win.h"
#include "dialogs/file_names.h"
#include "dialogs/fsl_open_dialog.h"

namespace {
HWND DialogOwner(const TCustomOpenDialog& dialog) {
  return dialog.tag() != 0 ? reinterpret_cast<HWND>(static_cast<intptr_t>(dialog.tag())) : ApplicationHandle();
}

// The modern dialog shows the FSL row in place of the template: another template needs the
// classic dialog.
bool ModernDialogCanShow(const TCustomOpenDialog& dialog) {
  return dynamic_cast<const TFSL16OpenDialog*>(&dialog) && dialog.FTemplateName == "fsldlg32";
}
}  // namespace

BOOL RunCustomFileDialog(TCustomOpenDialog& dialog, const FileDialogFunction& function) {
  FileDialogRecord file(dialog);
  OPENFILENAMEA& record = file.record();
  const bool hasTemplate = !dialog.FTemplateName.empty();
  record.Flags = CustomOpenDialogFlags(dialog.FOptions, hasTemplate);
  record.lpfnHook = CustomDialogHook;
  if (hasTemplate) record.lpTemplateName = dialog.FTemplateName.c_str();
  record.lCustData = reinterpret_cast<LPARAM>(&dialog);
  record.hwndOwner = DialogOwner(dialog);

  BOOL answer = RunTaskModal(dialog, function, record);
  if (answer) file.applyAnswer('\0');  // always Explorer-style: names are NUL-separated
  return answer;
}

bool ExecuteCustomOpenDialog(TComponent& component) {
  auto& dialog = dynamic_cast<TCustomOpenDialog&>(component);
  if (ModernDialogCanShow(dialog)) {
    const ModernRun modern{FileDialogKind::Open, DialogOwner(dialog), false, &dialog, dialog.FCenter != 0};
    if (std::optional<bool> accepted = RunModernFileDialog(dialog, modern)) return *accepted;
  }
  return RunCustomFileDialog(dialog, OpenFileNameFunction()) != 0;
}

void CenterDialogFrame(HWND frame) {
  RECT rect;
  if (!GetWindowRect(frame, &rect)) return;
  int left = (GetSystemMetrics(SM_CXSCREEN) - (rect.right - rect.left)) / 2;
  int top = (GetSystemMetrics(SM_CYSCREEN) - (rect.bottom - rect.top)) / 3;
  SetWindowPos(frame, HWND_TOP, left, top, 0, 0, SWP_NOSIZE);
  SetFocus(frame);
}

namespace {
void RaiseNotification(TCustomOpenDialog& dialog, HWND window, HWND parent, LPARAM lParam) {
  auto* notify = reinterpret_cast<OFNOTIFYA*>(lParam);
  const intptr_t wnd = reinterpret_cast<intptr_t>(window);
  const intptr_t frame = reinterpret_cast<intptr_t>(parent);
  void* nfy = notify;
  switch (notify->hdr.code) {
    case CDN_INITDONE:
      if (dialog.FCenter)
        CenterDialogFrame(reinterpret_cast<HWND>(GetWindowLongPtrA(window, GWLP_HWNDPARENT)));
      dialog.FOnInitDone(&dialog, wnd, frame, nfy);
      break;
    case CDN_SELCHANGE: dialog.FOnSelChange(&dialog, wnd, frame, nfy); break;
    case CDN_FOLDERCHANGE: dialog.FOnFolderChange(&dialog, wnd, frame, nfy); break;
    case CDN_SHAREVIOLATION:
      if (dialog.FOnShareViolation) {
        std::string fn = notify->pszFile ? notify->pszFile : "";
        dialog.FOnShareViolation(&dialog, wnd, frame, nfy, fn);
      }
      break;
    case CDN_HELP: dialog.FOnHelp(&dialog, wnd, frame, nfy); break;
    case CDN_FILEOK: dialog.FOnFileOK(&dialog, wnd, frame, nfy); break;
    case CDN_TYPECHANGE: dialog.FOnTypeChange(&dialog, wnd, frame, nfy); break;
    default: break;
  }
}
}  // namespace

UINT_PTR CALLBACK CustomDialogHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // The Explorer dialog's hook window is the child that holds the custom area; the dialog's
  // frame is its parent.
  HWND parent = GetParent(window);
  if (message == WM_INITDIALOG) {
    auto* dialog = reinterpret_cast<TCustomOpenDialog*>(reinterpret_cast<OPENFILENAMEA*>(lParam)->lCustData);
    SetPropA(window, kDialogObjectProperty, dialog);
    dialog->FHandle = reinterpret_cast<intptr_t>(window);
  }
  auto* dialog = static_cast<TCustomOpenDialog*>(GetPropA(window, kDialogObjectProperty));
  if (message == WM_NCDESTROY) RemovePropA(window, kDialogObjectProperty);
  if (!dialog) return 0;
  const bool fileOK = message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == CDN_FILEOK;
  // A handler has failed and the dialog is ending: input already queued raises no event, and
  // an OK among it is refused, so that the dialog ends as cancelled.
  if (FailurePending(dialog)) return fileOK ? RefuseFileOK(window) : 0;
  try {
    if (message == WM_NOTIFY) {
      // Names the code page cannot express are mended (or the OK refused) before OnFileOK.
      if (fileOK && !MendFileOK(window, lParam)) return RefuseFileOK(window);
      // So is a path typed into the FSL open dialog's FSL field.
      if (fileOK && dynamic_cast<TFSL16OpenDialog*>(dialog) &&
          !MendTypedPath(GetDlgItem(window, TFSL16OpenDialog::kFslEditId), parent))
        return RefuseFileOK(window);
      RaiseNotification(*dialog, window, parent, lParam);
    } else if (message == WM_COMMAND && dialog->FOnCommand) {
      dialog->FOnCommand(dialog, reinterpret_cast<intptr_t>(window), reinterpret_cast<intptr_t>(parent),
                         static_cast<int32_t>(LOWORD(wParam)));
    }
  } catch (...) {
    // Nothing unwinds through the platform's dialog code: the failure ends the dialog and is
    // thrown again once the platform call has returned.
    FailDialog(parent, dialog);
    if (fileOK) return RefuseFileOK(window);
  }
  return 0;
}
