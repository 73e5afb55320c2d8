#include "commdlg/file_dialog_win.h"

#include <cstddef>
#include <string>
#include <vector>

#include "commdlg/dialog_host.h"
#include "commdlg/dialog_library_win.h"
#include "commdlg/ansi_names_win.h"
#include "commdlg/modern_file_dialog_win.h"
#include "dialogs/file_names.h"
#include "platform/record_sizes.h"

// The record as the platform has known it since version 4 (76 bytes on 32-bit), without the
// trailing reserved fields and FlagsEx (left zero).
constexpr DWORD kRecordSize = record_size::kOpenFileName;
static_assert(ofn::kReadOnly == OFN_READONLY && ofn::kOverwritePrompt == OFN_OVERWRITEPROMPT &&
                  ofn::kEnableHook == OFN_ENABLEHOOK && ofn::kEnableTemplate == OFN_ENABLETEMPLATE &&
                  ofn::kAllowMultiSelect == OFN_ALLOWMULTISELECT &&
                  ofn::kExtensionDifferent == OFN_EXTENSIONDIFFERENT && ofn::kExplorer == OFN_EXPLORER,
              "flag constants match the platform's");

FileDialogRecord::FileDialogRecord(TFileDialogState& dialog) : dialog_(dialog) {
  dialog.FFiles.clear();
  record_.lStructSize = kRecordSize;
  record_.hInstance = GetModuleHandleA(nullptr);

  filter_ = MakeFilterBuffer(dialog.FFilter);
  record_.lpstrFilter = filter_.empty() ? nullptr : filter_.data();
  record_.nFilterIndex = static_cast<DWORD>(dialog.FFilterIndex);

  const uint32_t maxFile = MaxFileFor(dialog.FOptions);
  file_ = MakeFileBuffer(dialog.FFileName, maxFile);
  record_.lpstrFile = file_.data();
  record_.nMaxFile = maxFile;
  record_.lpstrInitialDir = dialog.FInitialDir.c_str();
  record_.lpstrTitle = dialog.FTitle.c_str();

  if (!dialog.FDefaultExt.empty()) {
    DefaultExtText(dialog.FDefaultExt).copy(defaultExt_, 3);
    record_.lpstrDefExt = defaultExt_;
  }
}

void FileDialogRecord::applyAnswer(char separator) {
  ApplyFileDialogAnswer(dialog_, file_.data(), file_.size(), separator, record_.Flags,
                        static_cast<int32_t>(record_.nFilterIndex));
}

BOOL RunFileDialog(TOpenDialog& dialog, const FileDialogFunction& function) {
  FileDialogRecord file(dialog);
  OPENFILENAMEA& record = file.record();
  SetCtl3DFlag(dialog.FCtl3D);
  record.Flags = StandardFileDialogFlags(dialog.FOptions, NewStyleControls());
  const bool oldStyle = IsOldStyleFileDialog(dialog.FOptions, NewStyleControls());
  record.lpfnHook = oldStyle ? ClassicDialogHook : ExplorerDialogHook;
  record.hwndOwner = ApplicationHandle();

  BOOL answer = RunTaskModal(dialog, function, record);
  if (answer) file.applyAnswer(AnswerSeparator(dialog.FOptions, oldStyle));
  return answer;
}

namespace {
bool ExecuteFileDialog(TOpenDialog& dialog, FileDialogKind kind) {
  const ModernRun modern{kind, ApplicationHandle(), IsOldStyleFileDialog(dialog.FOptions, NewStyleControls()),
                         nullptr, true};
  if (std::optional<bool> accepted = RunModernFileDialog(dialog, modern)) return *accepted;
  return RunFileDialog(dialog, kind == FileDialogKind::Open ? OpenFileNameFunction() : SaveFileNameFunction()) != 0;
}
}  // namespace

bool ExecuteOpenDialog(TComponent& dialog) {
  return ExecuteFileDialog(dynamic_cast<TOpenDialog&>(dialog), FileDialogKind::Open);
}

bool ExecuteSaveDialog(TComponent& dialog) {
  return ExecuteFileDialog(dynamic_cast<TOpenDialog&>(dialog), FileDialogKind::Save);
}

UINT_PTR RefuseFileOK(HWND hookWindow) {
  SetWindowLongPtrA(hookWindow, DWLP_MSGRESULT, 1);
  return 1;
}

bool MendFileOK(HWND hookWindow, LPARAM notification) {
  const auto* notify = reinterpret_cast<const OFNOTIFYA*>(notification);
  return !notify->lpOFN || MendAnswerNames(GetParent(hookWindow), *notify->lpOFN);
}

UINT_PTR CALLBACK ExplorerDialogHook(HWND window, UINT message, WPARAM, LPARAM lParam) {
  try {
    // The Explorer dialog's hook window is a child of the frame: the frame is its parent.
    const UINT code = message == WM_NOTIFY ? reinterpret_cast<const NMHDR*>(lParam)->code : 0;
    if (code == CDN_INITDONE) CenterOnScreen(reinterpret_cast<HWND>(GetWindowLongPtrA(window, GWLP_HWNDPARENT)));
    if (code == CDN_FILEOK && !MendFileOK(window, lParam)) return RefuseFileOK(window);
  } catch (...) {
    FailDialog(GetParent(window));
  }
  return 0;
}
