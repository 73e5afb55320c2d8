// The open and save dialogs with a platform function of the test's own in place of
// GetOpenFileNameA: what the record holds, how the answer is read back, and that the task-modal
// run undoes its changes on every path. The real dialogs run end to end.
#include "commdlg/file_dialog_win.h"

#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/errors.h"
#include "commdlg/dialog_host.h"
#include "platform/record_sizes.h"
#include "dialogs/file_names.h"
#include "testing/expect_throw_msg.h"
#include "testing/watchdog_win.h"

namespace {

const bool kWatchdog = StartWatchdog(240);

// What the platform function saw, copied while it ran.
struct Seen {
  OPENFILENAMEA record{};
  std::string filter;     // up to the double NUL, NULs included
  std::string file;       // the file buffer's text
  size_t fileCapacity = 0;
  std::string initialDir, title, defaultExt;
  bool initialDirNull = false, titleNull = false, defaultExtNull = false;
};

std::string Raw(const char* p) {
  if (!p) return std::string();
  const char* end = p;
  while (end[0] || end[1]) ++end;
  return std::string(p, end + 2);
}

// A platform function that records the record and answers like the platform would: it writes
// `answer` into the file buffer, sets the returned flags and filter index, and returns `result`.
FileDialogFunction Fake(Seen& seen, BOOL result, std::string answer = std::string(), DWORD setFlags = 0,
                        DWORD filterIndex = 0) {
  return [&seen, result, answer, setFlags, filterIndex](OPENFILENAMEA* record) -> BOOL {
    seen.record = *record;
    seen.filter = Raw(record->lpstrFilter);
    seen.file = record->lpstrFile;
    seen.initialDirNull = record->lpstrInitialDir == nullptr;
    seen.titleNull = record->lpstrTitle == nullptr;
    seen.defaultExtNull = record->lpstrDefExt == nullptr;
    if (record->lpstrInitialDir) seen.initialDir = record->lpstrInitialDir;
    if (record->lpstrTitle) seen.title = record->lpstrTitle;
    if (record->lpstrDefExt) seen.defaultExt = record->lpstrDefExt;
    if (result) {
      std::fill(record->lpstrFile, record->lpstrFile + record->nMaxFile, '\0');
      std::copy(answer.begin(), answer.end(), record->lpstrFile);
      record->Flags = (record->Flags & ~(OFN_READONLY | OFN_EXTENSIONDIFFERENT)) | setFlags;
      record->nFilterIndex = filterIndex;
    }
    return result;
  };
}

template <size_t N>
std::string Bytes(const char (&text)[N]) {
  return std::string(text, N - 1);
}

class FileDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    savedHandle_ = ApplicationHandle();
    SetApplicationHandle(reinterpret_cast<HWND>(0x1234));
    SetNewStyleControls(true);
  }
  void TearDown() override { SetApplicationHandle(savedHandle_); }
  HWND savedHandle_ = nullptr;
};

TEST_F(FileDialogTest, RecordCarriesThePropertiesAsThePlatformExpects) {
  TOpenDialog dialog(nullptr);
  dialog.FFilter = "Text (*.txt)|*.txt|All|*.*";
  dialog.FFilterIndex = 2;
  dialog.FFileName = "C:\\Data\\a.txt";
  dialog.setInitialDir("C:\\Data\\");
  dialog.FTitle = "Pick";
  dialog.FDefaultExt = "html";
  dialog.setTag(0x777);
  Seen seen;
  EXPECT_EQ(0, RunFileDialog(dialog, Fake(seen, 0)));
  const OPENFILENAMEA& r = seen.record;
  EXPECT_EQ(record_size::kOpenFileName, r.lStructSize);
  EXPECT_EQ(reinterpret_cast<HWND>(0x1234), r.hwndOwner) << "the application window, whatever the Tag";
  EXPECT_EQ(GetModuleHandleA(nullptr), r.hInstance);
  EXPECT_EQ(Bytes("Text (*.txt)\0*.txt\0All\0*.*\0\0"), seen.filter);
  EXPECT_EQ(nullptr, r.lpstrCustomFilter);
  EXPECT_EQ(0u, r.nMaxCustFilter);
  EXPECT_EQ(2u, r.nFilterIndex);
  EXPECT_EQ("C:\\Data\\a.txt", seen.file);
  EXPECT_EQ(260u, r.nMaxFile);
  EXPECT_EQ(nullptr, r.lpstrFileTitle);
  EXPECT_EQ("C:\\Data", seen.initialDir);
  EXPECT_EQ("Pick", seen.title);
  EXPECT_EQ("htm", seen.defaultExt);
  EXPECT_EQ(static_cast<DWORD>(OFN_ENABLEHOOK | OFN_EXPLORER), r.Flags);
  EXPECT_EQ(0, r.lCustData);
  EXPECT_EQ(nullptr, r.lpTemplateName);
  EXPECT_EQ(reinterpret_cast<void*>(ExplorerDialogHook), reinterpret_cast<void*>(r.lpfnHook));
}

TEST_F(FileDialogTest, EmptyPropertiesPassNullFilterAndExtensionButEmptyTexts) {
  TOpenDialog dialog(nullptr);
  Seen seen;
  RunFileDialog(dialog, Fake(seen, 0));
  EXPECT_EQ(nullptr, seen.record.lpstrFilter);
  EXPECT_TRUE(seen.defaultExtNull);
  EXPECT_FALSE(seen.initialDirNull);
  EXPECT_FALSE(seen.titleNull);
  EXPECT_EQ("", seen.initialDir);
  EXPECT_EQ("", seen.title);
  EXPECT_EQ(1u, seen.record.nFilterIndex);
}

TEST_F(FileDialogTest, FlagsHookAndBufferFollowOptionsAndStyle) {
  const struct {
    const char* label;
    TOpenOptions options;
    bool newStyle;
    DWORD flags;
    bool classicHook;
    DWORD maxFile;
  } kCases[] = {
      {"explorer", 0, true, OFN_ENABLEHOOK | OFN_EXPLORER, false, 260},
      {"old style asked", SetOf(ofOldStyleDialog), true, OFN_ENABLEHOOK, true, 260},
      {"new-style controls off", 0, false, OFN_ENABLEHOOK, true, 260},
      {"multi-select", SetOf(ofAllowMultiSelect) | SetOf(ofFileMustExist), true,
       OFN_ENABLEHOOK | OFN_EXPLORER | OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST, false, 8192},
      {"overwrite prompt", SetOf(ofOverwritePrompt) | SetOf(ofHideReadOnly), true,
       OFN_ENABLEHOOK | OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY, false, 260},
      {"every other option", SetOf(ofReadOnly) | SetOf(ofNoChangeDir) | SetOf(ofShowHelp) | SetOf(ofNoValidate) |
           SetOf(ofExtensionDifferent) | SetOf(ofPathMustExist) | SetOf(ofCreatePrompt) | SetOf(ofShareAware) |
           SetOf(ofNoReadOnlyReturn) | SetOf(ofNoTestFileCreate) | SetOf(ofNoNetworkButton) |
           SetOf(ofNoLongNames) | SetOf(ofNoDereferenceLinks),
       true,
       OFN_ENABLEHOOK | OFN_EXPLORER | OFN_READONLY | OFN_NOCHANGEDIR | OFN_SHOWHELP | OFN_NOVALIDATE |
           OFN_EXTENSIONDIFFERENT | OFN_PATHMUSTEXIST | OFN_CREATEPROMPT | OFN_SHAREAWARE | OFN_NOREADONLYRETURN |
           OFN_NOTESTFILECREATE | OFN_NONETWORKBUTTON | OFN_NOLONGNAMES | OFN_NODEREFERENCELINKS,
       false, 260},
  };
  for (const auto& c : kCases) {
    SetNewStyleControls(c.newStyle);
    TOpenDialog dialog(nullptr);
    dialog.FOptions = c.options;
    dialog.FFileName = std::string(9000, 'n');
    Seen seen;
    RunFileDialog(dialog, Fake(seen, 0));
    EXPECT_EQ(c.flags, seen.record.Flags) << c.label;
    void* expectedHook = c.classicHook ? reinterpret_cast<void*>(ClassicDialogHook)
                                       : reinterpret_cast<void*>(ExplorerDialogHook);
    EXPECT_EQ(expectedHook, reinterpret_cast<void*>(seen.record.lpfnHook)) << c.label;
    EXPECT_EQ(c.maxFile, seen.record.nMaxFile) << c.label;
    EXPECT_EQ(std::string(c.maxFile, 'n'), seen.file) << c.label << ": name cut to nMaxFile";
  }
}

TEST_F(FileDialogTest, Ctl3DSetsTheThreeDFlagBeforeTheCall) {
  for (bool ctl3D : {false, true}) {
    TOpenDialog dialog(nullptr);
    dialog.FCtl3D = ctl3D;
    bool seenFlag = !ctl3D;
    RunFileDialog(dialog, [&](OPENFILENAMEA*) -> BOOL {
      seenFlag = Ctl3DFlag();
      return 0;
    });
    EXPECT_EQ(ctl3D, seenFlag);
  }
}

TEST_F(FileDialogTest, AcceptedAnswersAreWrittenBack) {
  const struct {
    const char* label;
    TOpenOptions options;
    std::string answer;
    DWORD flags;
    std::vector<std::string> files;
    TOpenOptions optionsAfter;
  } kCases[] = {
      {"single", SetOf(ofReadOnly), Bytes("C:\\Data\\a.txt\0"), 0, {"C:\\Data\\a.txt"}, 0},
      {"single with blanks, old style", SetOf(ofOldStyleDialog), Bytes("C:\\My Data\\a b.txt\0"),
       OFN_READONLY, {"C:\\My Data\\a b.txt"}, SetOf(ofOldStyleDialog) | SetOf(ofReadOnly)},
      {"explorer multi", SetOf(ofAllowMultiSelect), Bytes("C:\\Data\0a.txt\0b.txt\0\0"), OFN_EXTENSIONDIFFERENT,
       {"C:\\Data\\a.txt", "C:\\Data\\b.txt"}, SetOf(ofAllowMultiSelect) | SetOf(ofExtensionDifferent)},
      {"explorer multi in a drive root", SetOf(ofAllowMultiSelect), Bytes("C:\\\0a.txt\0b.txt\0\0"), 0,
       {"C:\\a.txt", "C:\\b.txt"}, SetOf(ofAllowMultiSelect)},
      {"explorer multi, one chosen", SetOf(ofAllowMultiSelect), Bytes("C:\\Data\\a.txt\0\0"), 0,
       {"C:\\Data\\a.txt"}, SetOf(ofAllowMultiSelect)},
      {"old-style multi", SetOf(ofAllowMultiSelect) | SetOf(ofOldStyleDialog), Bytes("C:\\DATA A.TXT B.TXT\0"), 0,
       {"C:\\DATA\\A.TXT", "C:\\DATA\\B.TXT"}, SetOf(ofAllowMultiSelect) | SetOf(ofOldStyleDialog)},
  };
  for (const auto& c : kCases) {
    TOpenDialog dialog(nullptr);
    dialog.FOptions = c.options;
    dialog.FFileName = "before.txt";
    Seen seen;
    EXPECT_EQ(1, RunFileDialog(dialog, Fake(seen, 1, c.answer, c.flags, 3))) << c.label;
    EXPECT_EQ(c.files, dialog.FFiles.lines()) << c.label;
    EXPECT_EQ(c.files.front(), dialog.FFileName) << c.label;
    EXPECT_EQ(c.optionsAfter, dialog.FOptions) << c.label;
    EXPECT_EQ(3, dialog.FFilterIndex) << c.label;
  }
}

TEST_F(FileDialogTest, CancelLeavesPropertiesAloneAndFilesEmpty) {
  TOpenDialog dialog(nullptr);
  dialog.FOptions = SetOf(ofReadOnly);
  dialog.FFileName = "keep.txt";
  dialog.FFilterIndex = 2;
  dialog.FFiles.add("from an earlier run");
  Seen seen;
  FileDialogFunction cancel = [&](OPENFILENAMEA* record) -> BOOL {
    record->nFilterIndex = 1;  // the user changed the filter, then cancelled
    record->Flags = 0;
    std::strcpy(record->lpstrFile, "C:\\other.txt");
    return 0;
  };
  EXPECT_EQ(0, RunFileDialog(dialog, cancel));
  EXPECT_EQ("keep.txt", dialog.FFileName);
  EXPECT_EQ(SetOf(ofReadOnly), dialog.FOptions);
  EXPECT_EQ(2, dialog.FFilterIndex);
  EXPECT_EQ(0u, dialog.FFiles.count());
}

TEST_F(FileDialogTest, SaveDialogRunsTheSameRecord) {
  TSaveDialog dialog(nullptr);
  dialog.FOptions = SetOf(ofOverwritePrompt);
  Seen seen;
  EXPECT_EQ(1, RunFileDialog(dialog, Fake(seen, 1, Bytes("C:\\out.txt\0"), 0, 1)));
  EXPECT_EQ(static_cast<DWORD>(OFN_ENABLEHOOK | OFN_EXPLORER | OFN_OVERWRITEPROMPT), seen.record.Flags);
  EXPECT_EQ("C:\\out.txt", dialog.FFileName);
}

// --- The task-modal run -------------------------------------------------------------------------

class TaskModalTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterDialogMessages();
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "TaskModalTestWindow";
    RegisterClassA(&windowClass);
    for (HWND& window : windows_) {
      window = CreateWindowExA(0, "TaskModalTestWindow", "test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200, 100,
                               nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    }
    hidden_ = CreateWindowExA(0, "TaskModalTestWindow", "hidden", WS_OVERLAPPEDWINDOW, 10, 10, 200, 100, nullptr,
                              nullptr, GetModuleHandleA(nullptr), nullptr);
    SetActiveWindow(windows_[1]);
  }
  void TearDown() override {
    for (HWND window : windows_) DestroyWindow(window);
    DestroyWindow(hidden_);
    SetHelpHandler(nullptr);
  }
  // Checks the state while the platform function runs.
  void ExpectInsideState(TCommonDialog& dialog) {
    for (HWND window : windows_) EXPECT_FALSE(IsWindowEnabled(window)) << "visible window left enabled";
    EXPECT_TRUE(IsWindowEnabled(hidden_)) << "hidden window disabled";
    EXPECT_EQ(dialog.FHelpContext != 0, OfferApplicationMessage(HelpMessage(), 0, 0));
  }
  void ExpectRestored() {
    for (HWND window : windows_) EXPECT_TRUE(IsWindowEnabled(window)) << "window left disabled";
    EXPECT_EQ(windows_[1], GetActiveWindow());
    EXPECT_FALSE(OfferApplicationMessage(HelpMessage(), 0, 0)) << "help hook left installed";
  }
  HWND windows_[2] = {};
  HWND hidden_ = nullptr;
};

TEST_F(TaskModalTest, DisablesTheThreadsWindowsAndRestoresThem) {
  TOpenDialog dialog(nullptr);
  dialog.FHelpContext = 42;
  int32_t helpShown = 0;
  SetHelpHandler([&](int32_t context) { helpShown = context; });
  bool called = false;
  BOOL answer = RunTaskModalCall(dialog, [&]() -> BOOL {
    called = true;
    ExpectInsideState(dialog);
    SetActiveWindow(windows_[0]);
    return 7;
  });
  EXPECT_TRUE(called);
  EXPECT_EQ(7, answer);
  EXPECT_EQ(42, helpShown);
  ExpectRestored();
}

TEST_F(TaskModalTest, RestoresWhenTheFunctionFails) {
  TOpenDialog dialog(nullptr);
  EXPECT_THROW_MSG(RunFileDialog(dialog,
                                 [&](OPENFILENAMEA*) -> BOOL {
                                   ExpectInsideState(dialog);
                                   throw EConvertError("inside the dialog");
                                 }),
                   EConvertError, "inside the dialog");
  ExpectRestored();
}

TEST_F(TaskModalTest, FailureCarriedOutOfAHookIsRethrownAfterTheCall) {
  TOpenDialog dialog(nullptr);
  dialog.FFileName = "keep.txt";
  EXPECT_THROW_MSG(RunFileDialog(dialog,
                                 [&](OPENFILENAMEA* record) -> BOOL {
                                   KeepPendingFailure(std::make_exception_ptr(EReadError("from a hook")));
                                   std::strcpy(record->lpstrFile, "C:\\x.txt");
                                   return 1;
                                 }),
                   EReadError, "from a hook");
  EXPECT_EQ("keep.txt", dialog.FFileName) << "nothing is written back after a failure";
  ExpectRestored();
  EXPECT_EQ(0, RunFileDialog(dialog, [](OPENFILENAMEA*) -> BOOL { return 0; })) << "failure not kept twice";
}

// Calls nest (the FSL browse dialog inside an event of the open dialog): each rethrows only its
// own failure, and none opens on a dialog whose failure is pending.
TEST_F(TaskModalTest, NestedCallsKeepTheirOwnFailures) {
  TOpenDialog outer(nullptr), inner(nullptr);
  bool innerCalled = false;
  BOOL innerAnswer = -1;
  EXPECT_THROW_MSG(RunTaskModalCall(outer,
                                    [&]() -> BOOL {
                                      KeepPendingFailure(std::make_exception_ptr(EReadError("outer")));
                                      innerAnswer = RunTaskModalCall(inner, [&]() -> BOOL { return innerCalled = true; });
                                      return 1;
                                    }),
                   EReadError, "outer");
  EXPECT_FALSE(innerCalled) << "a dialog opened on a dialog that had failed";
  EXPECT_EQ(0, innerAnswer);

  std::string innerFailure;
  BOOL outerAnswer = RunTaskModalCall(outer, [&]() -> BOOL {
    try {
      RunTaskModalCall(inner, [&]() -> BOOL {
        KeepPendingFailure(std::make_exception_ptr(EReadError("inner")));
        return 1;
      });
    } catch (const EReadError& e) {
      innerFailure = e.what();
    }
    return 7;
  });
  EXPECT_EQ("inner", innerFailure) << "the inner call's failure came out of the inner call";
  EXPECT_EQ(7, outerAnswer) << "the inner failure was kept for the outer call too";

  // The outer dialog's hook fails while the inner dialog runs: the failure is the outer call's.
  innerAnswer = -1;
  EXPECT_THROW_MSG(RunTaskModalCall(outer,
                                    [&]() -> BOOL {
                                      innerAnswer = RunTaskModalCall(inner, [&]() -> BOOL {
                                        KeepPendingFailure(std::make_exception_ptr(EReadError("outer hook")), &outer);
                                        EXPECT_FALSE(FailurePending(&inner)) << "the inner dialog took the outer failure";
                                        return 5;
                                      });
                                      return 1;
                                    }),
                   EReadError, "outer hook");
  EXPECT_EQ(5, innerAnswer) << "the outer failure came out of the inner call";
  ExpectRestored();
}

TEST(HelpMessageTest, HandledOnlyForTheHelpMessageWithAContext) {
  RegisterDialogMessages();
  TOpenDialog dialog(nullptr);
  int32_t shown = 0;
  SetHelpHandler([&](int32_t context) { shown = context; });
  EXPECT_FALSE(HandleHelpMessage(dialog, HelpMessage())) << "HelpContext 0";
  dialog.FHelpContext = 5;
  EXPECT_FALSE(HandleHelpMessage(dialog, WM_USER));
  EXPECT_EQ(0, shown);
  EXPECT_TRUE(HandleHelpMessage(dialog, HelpMessage()));
  EXPECT_EQ(5, shown);
  SetHelpHandler(nullptr);
}

// Where a centred dialog lands is checked on the real dialogs, end to end.
TEST(CenterOnScreenTest, TheClassicHookCentresAtInitDialogOnly) {
  HWND window = CreateWindowExA(0, "STATIC", "c", WS_POPUP, 0, 0, 301, 151, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(nullptr, window);
  RECT centred{};
  CenterOnScreen(window);
  GetWindowRect(window, &centred);
  SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  // What the server does at start-up; on a platform of version 4 or later it loads nothing.
  LoadCtl3DLibrary(GetModuleHandleA(nullptr));
  SetCtl3DFlag(true);
  EXPECT_EQ(0u, ClassicDialogHook(window, WM_COMMAND, 0, 0));
  RECT r{};
  GetWindowRect(window, &r);
  EXPECT_EQ(0, r.left) << "moved outside WM_INITDIALOG";
  EXPECT_EQ(1u, ClassicDialogHook(window, WM_INITDIALOG, 0, 0));
  GetWindowRect(window, &r);
  EXPECT_EQ(centred.left, r.left) << "not centred at WM_INITDIALOG";
  EXPECT_EQ(centred.top, r.top) << "not centred at WM_INITDIALOG";
  EXPECT_EQ(0u, ClassicDialogHook(window, WM_DESTROY, 0, 0));
  EXPECT_FALSE(Ctl3DLibraryInUse()) << "never loaded on a platform of version 4 or later";
  DestroyWindow(window);
}

}  // namespace
