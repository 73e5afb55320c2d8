#include "commdlg/file_dialog_win.h"

#include <cstddef>
#include <string>
#include <vector>

#include "commdlg/dialog_host.h"
#include "dialogs/file_names.h"

// The record as the platform has known it since version 4: 76 bytes, without the trailing
// reserved fields and FlagsEx (left zero).
constexpr DWORD kRecordSize = 76;
static_assert(offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(LPCSTR) == kRecordSize,
              "the record size the platform is told");
static_assert(ofn::kReadOnly == OFN_READONLY && ofn::kOverwritePrompt == OFN_OVERWRITEPROMPT &&
                  ofn::kEnableHook == OFN_ENABLEHOOK && ofn::kEnableTemplate == OFN_ENABLETEMPLATE &&
                  ofn::kAllowMultiSelect == OFN_ALLOWMULTISELECT &&
                  ofn::kExtensionDifferent == OFN_EXTENSIONDIFFERENT && ofn::kExplorer == OFN_EXPLORER,
              "flag constants match the platform's");

BOOL RunFileDialog(TOpenDialog& dialog, const FileDialogFunction& function) {
  dialog.FFiles.clear();
  OPENFILENAMEA record{};
  record.lStructSize = kRecordSize;
  record.hInstance = GetModuleHandleA(nullptr);

  std::vector<char> filter = MakeFilterBuffer(dialog.FFilter);
  record.lpstrFilter = filter.empty() ? nullptr : filter.data();
  record.nFilterIndex = static_cast<DWORD>(dialog.FFilterIndex);

  const uint32_t maxFile = MaxFileFor(dialog.FOptions);
  std::vector<char> file = MakeFileBuffer(dialog.FFileName, maxFile);
  record.lpstrFile = file.data();
  record.nMaxFile = maxFile;
  record.lpstrInitialDir = dialog.FInitialDir.c_str();
  record.lpstrTitle = dialog.FTitle.c_str();

  SetCtl3DFlag(dialog.FCtl3D);
  record.Flags = StandardFileDialogFlags(dialog.FOptions, NewStyleControls());

  char defaultExt[4] = {};
  if (!dialog.FDefaultExt.empty()) {
    std::string ext = DefaultExtText(dialog.FDefaultExt);
    ext.copy(defaultExt, 3);
    record.lpstrDefExt = defaultExt;
  }

  const bool oldStyle = IsOldStyleFileDialog(dialog.FOptions, NewStyleControls());
  record.lpfnHook = oldStyle ? ClassicDialogHook : ExplorerDialogHook;
  record.hwndOwner = ApplicationHandle();

  BOOL answer = RunTaskModal(dialog, function, record);
  if (answer) {
    ApplyFileDialogAnswer(dialog, file.data(), file.size(), AnswerSeparator(dialog.FOptions, oldStyle),
                          record.Flags, static_cast<int32_t>(record.nFilterIndex));
  }
  return answer;
}

bool ExecuteOpenDialog(TComponent& dialog) {
  return RunFileDialog(dynamic_cast<TOpenDialog&>(dialog), GetOpenFileNameA) != 0;
}

bool ExecuteSaveDialog(TComponent& dialog) {
  return RunFileDialog(dynamic_cast<TOpenDialog&>(dialog), GetSaveFileNameA) != 0;
}

UINT_PTR CALLBACK ExplorerDialogHook(HWND window, UINT message, WPARAM, LPARAM lParam) {
  try {
    // The Explorer dialog's hook window is a child of the frame: the frame is its parent.
    if (message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == CDN_INITDONE)
      CenterOnScreen(reinterpret_cast<HWND>(GetWindowLongA(window, GWL_HWNDPARENT)));
  } catch (...) {
    KeepPendingFailure(std::current_exception());
  }
  return 0;
}
