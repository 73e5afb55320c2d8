// The modern file dialog in this process: a failing event handler ends it as cancelled, the
// failure passes on after the dialog has returned, and nothing is written back. The answers
// themselves are checked end to end, in both styles, by the server's tables.
#include "commdlg/modern_file_dialog_win.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "base/errors.h"
#include "commdlg/common_dialog_win.h"
#include "commdlg/custom_open_dialog_win.h"
#include "commdlg/dialog_host.h"
#include "dialogs/fsl_open_dialog.h"
#include "platform/window_query.h"
#include "testing/expect_throw_msg.h"
#include "testing/watchdog_win.h"

namespace {

const bool kWatchdog = StartWatchdog(240);

using Handler = std::function<void(TComponent*, intptr_t, intptr_t, void*)>;

// Selects the first item of the dialog's file list, as a click does.
void SelectFirstItem(HWND dialog) {
  HWND view = FindDescendantOfClass(dialog, "SHELLDLL_DefView");
  HWND list = view ? FindWindowExA(view, nullptr, "SysListView32", nullptr) : nullptr;
  LVITEMA item{};
  item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
  if (list) SendMessageA(list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&item));
}

TEST(ModernFileDialog, HandlerFailureEndsTheDialogAndWritesNothing) {
  SetApplicationHandle(nullptr);
  SetEnvironmentVariableA("DLG_FILE_DIALOG_STYLE", "modern");
  char windowsDir[MAX_PATH] = {};
  GetWindowsDirectoryA(windowsDir, MAX_PATH);
  const Handler fail = [](TComponent*, intptr_t, intptr_t, void*) { throw EReadError("from a handler"); };
  const Handler none = [](TComponent*, intptr_t, intptr_t, void*) {};
  // An OK is queued before the selection: whatever it does, no handler runs after the failure.
  const Handler okThenSelect = [](TComponent*, intptr_t wnd, intptr_t, void*) {
    PostMessageA(reinterpret_cast<HWND>(wnd), WM_COMMAND, IDOK, 0);
    SelectFirstItem(reinterpret_cast<HWND>(wnd));
  };
  const Handler ok = [](TComponent*, intptr_t wnd, intptr_t, void*) {
    PostMessageA(reinterpret_cast<HWND>(wnd), WM_COMMAND, IDOK, 0);
  };
  const struct {
    const char* label;
    Handler initDone, selChange;
    bool fileOKFails;
    int fileOKs;  // how often OnFileOK ran
  } kCases[] = {
      {"when it first shows its folder", fail, none, false, 0},
      {"on a selection change", okThenSelect, fail, false, 0},
      {"at OK", ok, none, true, 1},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.label);
    TFSL16OpenDialog dialog(nullptr);
    dialog.FInitialDir = windowsDir;
    dialog.FFileName = "win.ini";
    dialog.FFilterIndex = 3;
    dialog.FOptions = SetOf(ofHideReadOnly);
    int fileOKs = 0;
    // Only the modern dialog passes its frame as both the window and the parent: the classic
    // hook passes its child window.
    bool frameAsBoth = false;
    dialog.FOnInitDone.handler = [&](TComponent* sender, intptr_t wnd, intptr_t parent, void* data) {
      frameAsBoth = wnd == parent;
      c.initDone(sender, wnd, parent, data);
    };
    dialog.FOnSelChange.handler = c.selChange;
    dialog.FOnFileOK.handler = [&](TComponent*, intptr_t, intptr_t, void*) {
      ++fileOKs;
      if (c.fileOKFails) throw EReadError("from a handler");
    };
    EXPECT_THROW_MSG(ExecuteCustomOpenDialog(dialog), EReadError, "from a handler");
    EXPECT_TRUE(frameAsBoth) << "the modern dialog did not run";
    EXPECT_EQ("win.ini", dialog.FFileName);
    EXPECT_EQ(3, dialog.FFilterIndex);
    EXPECT_EQ(c.fileOKs, fileOKs);
    EXPECT_FALSE(FailurePending()) << "the failure stayed behind";
  }
  SetEnvironmentVariableA("DLG_FILE_DIALOG_STYLE", nullptr);
}

// The events of a run that changes the file type and accepts, in the order they come: the same
// in both styles.
TEST(ModernFileDialog, EventsComeAsTheClassicHookRaisesThem) {
  SetApplicationHandle(nullptr);
  char windowsDir[MAX_PATH] = {};
  GetWindowsDirectoryA(windowsDir, MAX_PATH);
  std::vector<std::string> orders[2];
  for (int modern = 0; modern < 2; ++modern) {
    SetEnvironmentVariableA("DLG_FILE_DIALOG_STYLE", modern ? "modern" : nullptr);
    std::vector<std::string>& order = orders[modern];
    TFSL16OpenDialog dialog(nullptr);
    dialog.FInitialDir = windowsDir;
    dialog.FFileName = "win.ini";
    dialog.FFilter = "Text|*.txt|Settings|*.ini";
    dialog.FOptions = SetOf(ofHideReadOnly);
    auto record = [&order](const char* name) {
      return [&order, name](TComponent*, intptr_t, intptr_t, void*) { order.push_back(name); };
    };
    dialog.FOnInitDone.handler = [&](TComponent*, intptr_t wnd, intptr_t frame, void*) {
      // The modern dialog passes its frame as both; the classic hook its child window.
      order.push_back(wnd == frame ? "InitDone on the frame" : "InitDone");
      HWND types = GetDlgItem(reinterpret_cast<HWND>(frame), cmb1);
      SendMessageA(types, CB_SETCURSEL, 1, 0);
      // Both notifications a choice in the list sends, as dlgrun's filter step does.
      for (WORD notification : {CBN_SELCHANGE, CBN_SELENDOK})
        PostMessageA(reinterpret_cast<HWND>(frame), WM_COMMAND, MAKEWPARAM(cmb1, notification),
                     reinterpret_cast<LPARAM>(types));
      PostMessageA(reinterpret_cast<HWND>(frame), WM_COMMAND, IDOK, 0);
    };
    dialog.FOnFolderChange.handler = record("FolderChange");
    dialog.FOnTypeChange.handler = record("TypeChange");
    dialog.FOnFileOK.handler = record("FileOK");
    dialog.FOnSelChange.handler = nullptr;
    EXPECT_TRUE(ExecuteCustomOpenDialog(dialog)) << (modern ? "modern" : "classic");
    EXPECT_EQ(std::string(windowsDir) + "\\win.ini", dialog.FFileName);
    EXPECT_EQ(2, dialog.FFilterIndex);
  }
  EXPECT_EQ((std::vector<std::string>{"InitDone", "FolderChange", "TypeChange", "FileOK"}), orders[0]);
  EXPECT_EQ((std::vector<std::string>{"InitDone on the frame", "FolderChange", "TypeChange", "FileOK"}), orders[1]);
  SetEnvironmentVariableA("DLG_FILE_DIALOG_STYLE", nullptr);
}

}  // namespace
