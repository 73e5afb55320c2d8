// The hooked Explorer open dialog: the record it builds, its hook procedure fed with synthetic
// messages, a failure of an event handler, and its template resource. The real dialog with the
// template runs in the end-to-end tests.
#include "commdlg/custom_open_dialog_win.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/errors.h"
#include "commdlg/common_dialog_win.h"
#include "commdlg/dialog_host.h"
#include "dialogs/fsl_dialog_site.h"
#include "dialogs/fsl_open_dialog.h"
#include "platform/record_sizes.h"
#include "testing/expect_throw_msg.h"
#include "testing/watchdog_win.h"

namespace {

const bool kWatchdog = StartWatchdog(240);

// A frame with a child window, standing in for the Explorer dialog and its custom area.
class FrameAndChild {
 public:
  FrameAndChild() {
    frame = CreateWindowExA(0, "STATIC", "frame", WS_POPUP | WS_VISIBLE, 5, 6, 500, 400, nullptr, nullptr,
                            nullptr, nullptr);
    child = CreateWindowExA(0, "STATIC", "area", WS_CHILD, 0, 0, 10, 10, frame, nullptr, nullptr, nullptr);
  }
  ~FrameAndChild() {
    if (IsWindow(frame)) DestroyWindow(frame);
  }
  HWND frame, child;
};

OFNOTIFYA Notification(HWND from, UINT code, char* file = nullptr) {
  OFNOTIFYA n{};
  n.hdr.hwndFrom = from;
  n.hdr.code = code;
  n.pszFile = file;
  return n;
}

TEST(CustomOpenDialogRecord, CarriesHookTemplateObjectAndOwner) {
  SetApplicationHandle(reinterpret_cast<HWND>(0x1234));
  struct Case {
    const char* label;
    TOpenOptions options;
    const char* templateName;
    int32_t tag;
    DWORD flags;
    HWND owner;
    DWORD maxFile;
  } cases[] = {
      {"template", 0, "fsldlg32", 0, OFN_ENABLEHOOK | OFN_EXPLORER | OFN_ENABLETEMPLATE,
       reinterpret_cast<HWND>(0x1234), 260},
      {"no template, tag as owner, old style asked", SetOf(ofOldStyleDialog) | SetOf(ofAllowMultiSelect), "", 0x777,
       OFN_ENABLEHOOK | OFN_EXPLORER | OFN_ALLOWMULTISELECT, reinterpret_cast<HWND>(0x777), 8192},
  };
  for (const Case& c : cases) {
    TFSL16OpenDialog dialog(nullptr);
    dialog.FOptions = c.options;
    dialog.FTemplateName = c.templateName;
    dialog.setTag(c.tag);
    dialog.FFileName = "C:\\Data\\a.dat";
    OPENFILENAMEA seen{};
    std::string templateSeen;
    BOOL answer = RunCustomFileDialog(dialog, [&](OPENFILENAMEA* record) -> BOOL {
      seen = *record;
      if (record->lpTemplateName) templateSeen = record->lpTemplateName;
      // Two names chosen: the Explorer answer, NUL separated.
      const char answerText[] = "C:\\Data\0a.dat\0b.dat\0";
      std::memcpy(record->lpstrFile, answerText, sizeof answerText);
      record->Flags |= OFN_READONLY;
      record->nFilterIndex = 2;
      return 1;
    });
    EXPECT_EQ(1, answer) << c.label;
    EXPECT_EQ(record_size::kOpenFileName, seen.lStructSize) << c.label;
    EXPECT_EQ(GetModuleHandleA(nullptr), seen.hInstance) << c.label;
    EXPECT_EQ(c.flags, seen.Flags) << c.label;
    EXPECT_EQ(c.maxFile, seen.nMaxFile) << c.label;
    EXPECT_EQ(c.owner, seen.hwndOwner) << c.label;
    EXPECT_EQ(reinterpret_cast<LPARAM>(static_cast<TCustomOpenDialog*>(&dialog)), seen.lCustData) << c.label;
    EXPECT_EQ(reinterpret_cast<LPOFNHOOKPROC>(CustomDialogHook), seen.lpfnHook) << c.label;
    EXPECT_EQ(c.templateName, templateSeen) << c.label;
    EXPECT_EQ(*c.templateName == 0, seen.lpTemplateName == nullptr) << c.label;
    EXPECT_EQ(2, dialog.FFilterIndex) << c.label;
    EXPECT_TRUE(InSet(dialog.FOptions, ofReadOnly)) << c.label;
    if (c.maxFile == 8192) {
      EXPECT_EQ("C:\\Data\\a.dat", dialog.FFileName) << c.label;
      EXPECT_EQ(2u, dialog.FFiles.count()) << c.label;
    } else {
      EXPECT_EQ("C:\\Data", dialog.FFileName) << c.label << ": one name, up to the first NUL";
    }
  }
  SetApplicationHandle(nullptr);
}

TEST(CustomDialogHook, BindsRaisesEventsAndUnbinds) {
  FrameAndChild w;
  TCustomOpenDialog dialog(nullptr);
  dialog.FCenter = 1;
  std::vector<std::string> raised;
  RECT frameAtInitDone{};
  auto log = [&](const char* name) {
    return [&raised, name, &w](TComponent* sender, intptr_t wnd, intptr_t parent, void*) {
      EXPECT_EQ(reinterpret_cast<intptr_t>(w.child), wnd) << name;
      EXPECT_EQ(reinterpret_cast<intptr_t>(w.frame), parent) << name;
      EXPECT_NE(nullptr, sender) << name;
      raised.push_back(name);
    };
  };
  dialog.FOnInitDone.handler = [&](TComponent* s, intptr_t wnd, intptr_t p, void* n) {
    GetWindowRect(w.frame, &frameAtInitDone);
    log("InitDone")(s, wnd, p, n);
  };
  dialog.FOnSelChange.handler = log("SelChange");
  dialog.FOnFolderChange.handler = log("FolderChange");
  dialog.FOnHelp.handler = log("Help");
  dialog.FOnFileOK.handler = log("FileOK");
  dialog.FOnTypeChange.handler = log("TypeChange");
  void* shareRecord = nullptr;
  dialog.FOnShareViolation.handler = [&](TComponent*, intptr_t, intptr_t, void* nfy, const std::string& fn) {
    shareRecord = nfy;
    raised.push_back("ShareViolation " + fn);
  };
  dialog.FOnCommand.handler = [&](TComponent*, intptr_t, intptr_t, int32_t cmd) {
    raised.push_back("Command " + std::to_string(cmd));
  };

  OFNOTIFYA selChange = Notification(w.frame, CDN_SELCHANGE);
  // Before WM_INITDIALOG the window is not bound: nothing is raised.
  EXPECT_EQ(0u, CustomDialogHook(w.child, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&selChange)));
  EXPECT_EQ(0u, CustomDialogHook(w.child, WM_SETFONT, 0, 0));
  EXPECT_TRUE(raised.empty());

  OPENFILENAMEA record{};
  record.lCustData = reinterpret_cast<LPARAM>(&dialog);
  EXPECT_EQ(0u, CustomDialogHook(w.child, WM_INITDIALOG, 0, reinterpret_cast<LPARAM>(&record)));
  EXPECT_EQ(&dialog, GetPropA(w.child, kDialogObjectProperty));
  EXPECT_EQ(reinterpret_cast<intptr_t>(w.child), dialog.FHandle);

  char shared[] = "C:\\Data\\locked.dat";
  // Two codes just outside the range raise nothing.
  const UINT codes[] = {CDN_INITDONE, CDN_FILEOK - 2u, CDN_SELCHANGE, CDN_FOLDERCHANGE, CDN_HELP,
                        CDN_FILEOK, CDN_TYPECHANGE, CDN_INITDONE + 1u};
  for (UINT code : codes) {
    OFNOTIFYA n = Notification(w.frame, code);
    EXPECT_EQ(0u, CustomDialogHook(w.child, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&n))) << code;
  }
  OFNOTIFYA share = Notification(w.frame, CDN_SHAREVIOLATION, shared);
  CustomDialogHook(w.child, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&share));
  CustomDialogHook(w.child, WM_COMMAND, MAKEWPARAM(0x2004, 1), 0);
  EXPECT_EQ((std::vector<std::string>{"InitDone", "SelChange", "FolderChange", "Help", "FileOK", "TypeChange",
                                      "ShareViolation C:\\Data\\locked.dat", "Command 8196"}),
            raised);
  EXPECT_EQ(&share, shareRecord);
  // The 500 by 400 frame on the 1024 by 768 test screen: across the middle, a third down.
  EXPECT_EQ(262, frameAtInitDone.left) << "not centred before OnInitDone ran";
  EXPECT_EQ(122, frameAtInitDone.top) << "not centred before OnInitDone ran";

  // WM_NCDESTROY unbinds; later messages raise nothing.
  raised.clear();
  CustomDialogHook(w.child, WM_NCDESTROY, 0, 0);
  EXPECT_EQ(nullptr, GetPropA(w.child, kDialogObjectProperty));
  CustomDialogHook(w.child, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&selChange));
  EXPECT_TRUE(raised.empty());
}

TEST(CustomDialogHook, HandlerFailureEndsTheRunAndPassesOnAfterThePlatformCall) {
  FrameAndChild w;
  TFSL16OpenDialog dialog(nullptr);
  dialog.FFileName = "keep.dat";
  dialog.FOnFileOK.handler = [](TComponent*, intptr_t, intptr_t, void*) { throw EReadError("from a handler"); };
  bool returnedNormally = false;
  EXPECT_THROW_MSG(RunCustomFileDialog(dialog,
                                       [&](OPENFILENAMEA* record) -> BOOL {
                                         CustomDialogHook(w.child, WM_INITDIALOG, 0,
                                                          reinterpret_cast<LPARAM>(record));
                                         OFNOTIFYA n = Notification(w.frame, CDN_FILEOK);
                                         CustomDialogHook(w.child, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&n));
                                         CustomDialogHook(w.child, WM_NCDESTROY, 0, 0);
                                         std::strcpy(record->lpstrFile, "C:\\chosen.dat");
                                         returnedNormally = true;
                                         return 1;
                                       }),
                   EReadError, "from a handler");
  EXPECT_TRUE(returnedNormally) << "the failure must not unwind through the platform's code";
  EXPECT_EQ("keep.dat", dialog.FFileName) << "nothing is written back after a failure";
  MSG m;
  EXPECT_TRUE(PeekMessageA(&m, w.frame, WM_COMMAND, WM_COMMAND, PM_REMOVE)) << "the dialog is told to close";
  EXPECT_EQ(IDCANCEL, LOWORD(m.wParam));
}

// Cancelled: whatever the platform left in the record, no property changes.
TEST(CustomOpenDialogRecord, CancelLeavesFileNameFilterIndexAndOptions) {
  TCustomOpenDialog dialog(nullptr);
  dialog.FFileName = "keep.dat";
  dialog.FFilterIndex = 2;
  dialog.FOptions = SetOf(ofHideReadOnly);
  const TOpenOptions options = dialog.FOptions;
  EXPECT_EQ(0, RunCustomFileDialog(dialog, [](OPENFILENAMEA* record) -> BOOL {
              std::strcpy(record->lpstrFile, "C:\\other.dat");
              record->nFilterIndex = 1;
              record->Flags |= OFN_READONLY | OFN_EXTENSIONDIFFERENT;
              return 0;
            }));
  EXPECT_EQ("keep.dat", dialog.FFileName);
  EXPECT_EQ(2, dialog.FFilterIndex);
  EXPECT_EQ(options, dialog.FOptions);
  EXPECT_EQ(0u, dialog.FFiles.count());
}

// Once a handler has failed, input already queued raises no event and an OK is refused.
TEST(CustomDialogHook, AfterAFailureNoHandlerRunsAndOKIsRefused) {
  FrameAndChild w;
  TCustomOpenDialog dialog(nullptr);
  int later = 0;
  dialog.FOnSelChange.handler = [](TComponent*, intptr_t, intptr_t, void*) { throw EReadError("first"); };
  dialog.FOnFolderChange.handler = [&](TComponent*, intptr_t, intptr_t, void*) { ++later; };
  dialog.FOnFileOK.handler = [&](TComponent*, intptr_t, intptr_t, void*) { ++later; };
  UINT_PTR fileOK = 99;
  EXPECT_THROW_MSG(RunCustomFileDialog(dialog,
                                       [&](OPENFILENAMEA* record) -> BOOL {
                                         CustomDialogHook(w.child, WM_INITDIALOG, 0, reinterpret_cast<LPARAM>(record));
                                         for (UINT code : {CDN_SELCHANGE, CDN_FOLDERCHANGE, CDN_FILEOK}) {
                                           OFNOTIFYA n = Notification(w.frame, code);
                                           UINT_PTR answer = CustomDialogHook(w.child, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&n));
                                           if (code == CDN_FILEOK) fileOK = answer;
                                         }
                                         CustomDialogHook(w.child, WM_NCDESTROY, 0, 0);
                                         return 1;
                                       }),
                   EReadError, "first");
  EXPECT_EQ(0, later) << "a handler ran after the failure";
  EXPECT_EQ(1u, fileOK) << "OK not refused after the failure";
}

// A failure inside the warning (the warning rethrows what its own handler threw) ends the FSL
// dialog: the OK is refused, no browse dialog opens, a second OK raises nothing.
TEST(CustomDialogHook, FailureInsideTheWarningEndsTheFslDialog) {
  struct Site : FslDialogSite {
    int warnings = 0, browsed = 0;
    intptr_t dialogItem(intptr_t, int) override { return 0; }
    std::string selectedPath(intptr_t) override { return "C:\\data\\run.dat"; }
    std::string controlText(intptr_t) override { return ""; }
    void setControlText(intptr_t, const std::string&) override {}
    bool isExistingFile(const std::string&) override { return false; }
    FslChoice lookupFslFile(const std::string&, const std::string&, const std::string&) override { return {"", true}; }
    bool showFslWarning(const std::string&, int32_t, intptr_t) override {
      ++warnings;
      throw EReadError("inside the warning");
    }
    bool executeOpenDialog(TOpenDialog&) override { return ++browsed, true; }
  } site;
  InstallFslDialogSite(&site);
  FrameAndChild w;
  TFSL16OpenDialog dialog(nullptr);
  dialog.FFileName = "keep.dat";
  std::vector<UINT_PTR> answers;
  EXPECT_THROW_MSG(RunCustomFileDialog(dialog,
                                       [&](OPENFILENAMEA* record) -> BOOL {
                                         CustomDialogHook(w.child, WM_INITDIALOG, 0, reinterpret_cast<LPARAM>(record));
                                         for (UINT code : {CDN_INITDONE, CDN_FILEOK, CDN_FILEOK}) {
                                           OFNOTIFYA n = Notification(w.frame, code);
                                           answers.push_back(CustomDialogHook(w.child, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&n)));
                                         }
                                         CustomDialogHook(w.child, WM_NCDESTROY, 0, 0);
                                         return 1;
                                       }),
                   EReadError, "inside the warning");
  InstallFslDialogSite(nullptr);
  EXPECT_EQ((std::vector<UINT_PTR>{0, 1, 1}), answers) << "each OK after the failure is refused";
  EXPECT_EQ(1, site.warnings);
  EXPECT_EQ(0, site.browsed) << "a browse dialog opened after the failure";
  EXPECT_EQ("keep.dat", dialog.FFileName);
}

// A handler failure on the real Explorer dialog: it closes as cancelled, the failure passes on,
// nothing is written back. Before the selection change an OK is queued: whatever it does, no
// handler runs after the failure.
TEST(CustomOpenDialogReal, HandlerFailureClosesTheDialogAndWritesNothing) {
  SetApplicationHandle(nullptr);
  char windowsDir[MAX_PATH] = {};
  GetWindowsDirectoryA(windowsDir, MAX_PATH);
  const auto selectFirst = [](TComponent*, intptr_t wnd, intptr_t, void*) {
    HWND frame = GetParent(reinterpret_cast<HWND>(wnd));
    PostMessageA(frame, WM_COMMAND, IDOK, 0);
    HWND view = FindWindowExA(frame, nullptr, "SHELLDLL_DefView", nullptr);
    HWND list = view ? FindWindowExA(view, nullptr, "SysListView32", nullptr) : nullptr;
    LVITEMA item{};
    item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
    if (list) SendMessageA(list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&item));
  };
  const auto fail = [](TComponent*, intptr_t, intptr_t, void*) { throw EReadError("from a handler"); };
  for (bool atStart : {true, false}) {
    TCustomOpenDialog dialog(nullptr);
    dialog.FInitialDir = windowsDir;
    dialog.FFileName = "before";
    dialog.FFilterIndex = 3;
    int fileOKs = 0;
    dialog.FOnFileOK.handler = [&](TComponent*, intptr_t, intptr_t, void*) { ++fileOKs; };
    if (atStart) {
      dialog.FOnInitDone.handler = fail;
    } else {
      dialog.FOnInitDone.handler = selectFirst;
      dialog.FOnSelChange.handler = fail;
    }
    const char* label = atStart ? "at start-up" : "on a selection change";
    SCOPED_TRACE(label);
    EXPECT_THROW_MSG(RunCustomFileDialog(dialog, GetOpenFileNameA), EReadError, "from a handler");
    EXPECT_EQ("before", dialog.FFileName) << label;
    EXPECT_EQ(3, dialog.FFilterIndex) << label;
    EXPECT_EQ(0, fileOKs) << label << ": the OK queued before the failure reached the handler";
    EXPECT_FALSE(FailurePending()) << label << ": the failure stayed behind";
  }
}

// The template resource is the platform's standard dialog format, 356 bytes.
TEST(CustomOpenDialogReal, TemplateResourceIsTheStandardFormat) {
  HRSRC resource = FindResourceA(nullptr, "fsldlg32", MAKEINTRESOURCEA(5) /* RT_DIALOG */);
  ASSERT_NE(nullptr, resource);
  EXPECT_EQ(356u, SizeofResource(nullptr, resource));
  const auto* header = static_cast<const DLGTEMPLATE*>(LockResource(LoadResource(nullptr, resource)));
  EXPECT_EQ(0x54000444u, header->style);
  EXPECT_EQ(6, header->cdit);
  EXPECT_EQ(274, header->cx);
  EXPECT_EQ(56, header->cy);

  // After the header: no menu, the default class, an empty title, then the font.
  const auto* word = reinterpret_cast<const WORD*>(header + 1);
  ASSERT_EQ(0, word[0]);
  ASSERT_EQ(0, word[1]);
  ASSERT_EQ(0, word[2]);
  EXPECT_EQ(8, word[3]) << "point size";
  word += 4;
  auto text = [&word] {  // a UTF-16 text of ASCII characters, moving past its NUL
    std::string s;
    while (*word) s += static_cast<char>(*word++);
    ++word;
    return s;
  };
  EXPECT_EQ("MS Sans Serif", text());
  const struct {
    WORD classOrdinal, id;
    short x, y, cx, cy;
    DWORD style;
    const char* text;
  } kItems[] = {
      {0x82, 0xFFFF, 76, 108, 134, 8, 0x50020000, "ZPM Custom Open Dialog"},
      {0x82, 99, 19, 101, 185, 8, 0x50020000, "Dir"},
      {0x82, stc32, 0, 0, 274, 40, 0x40030000, "-placeholder-"},
      {0x81, 8193, 53, 40, 156, 12, 0x50810080, "FSL File"},
      {0x80, 8196, 222, 40, 50, 14, 0x50010000, "Browse FSL"},
      {0x82, 8197, 6, 43, 47, 8, 0x50020000, "FSL Filename:"},
  };
  for (const auto& expected : kItems) {
    word = reinterpret_cast<const WORD*>((reinterpret_cast<uintptr_t>(word) + 3) & ~uintptr_t(3));
    const auto* item = reinterpret_cast<const DLGITEMTEMPLATE*>(word);
    word = reinterpret_cast<const WORD*>(item + 1);
    SCOPED_TRACE(expected.text);
    EXPECT_EQ(expected.style, item->style);
    EXPECT_EQ(0u, item->dwExtendedStyle);
    EXPECT_EQ(expected.x, item->x);
    EXPECT_EQ(expected.y, item->y);
    EXPECT_EQ(expected.cx, item->cx);
    EXPECT_EQ(expected.cy, item->cy);
    EXPECT_EQ(expected.id, item->id);
    EXPECT_EQ(0xFFFF, word[0]) << "class by ordinal";
    EXPECT_EQ(expected.classOrdinal, word[1]);
    word += 2;
    EXPECT_EQ(expected.text, text());
    EXPECT_EQ(0, *word++) << "creation data";
  }
  EXPECT_EQ(356u, reinterpret_cast<const BYTE*>(word) - reinterpret_cast<const BYTE*>(header));
}

// The frame goes to the horizontal centre and the upper third of the screen (1024 x 768 here),
// above the top when it is taller than a third allows, and gets the focus.
TEST(CustomOpenDialogRecord, FrameIsCentredInTheUpperThirdAndFocused) {
  ASSERT_EQ(1024, GetSystemMetrics(SM_CXSCREEN));
  ASSERT_EQ(768, GetSystemMetrics(SM_CYSCREEN));
  const struct { int width, height, left, top; } kCases[] = {{500, 400, 262, 122}, {500, 800, 262, -10}};
  for (const auto& c : kCases) {
    HWND frame = CreateWindowExA(0, "STATIC", "frame", WS_POPUP | WS_VISIBLE, 5, 6, c.width, c.height, nullptr,
                                 nullptr, nullptr, nullptr);
    CenterDialogFrame(frame);
    RECT r{};
    GetWindowRect(frame, &r);
    EXPECT_EQ(c.left, r.left) << c.height;
    EXPECT_EQ(c.top, r.top) << c.height;
    EXPECT_EQ(frame, GetFocus()) << c.height;
    DestroyWindow(frame);
  }
}

}  // namespace
