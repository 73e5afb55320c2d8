// The find dialog with a window of the test's own in place of FindTextA's (it calls the hook at
// creation and reports FR_DIALOGTERM on WM_CLOSE, as the platform's does), then one run of the
// real FindTextA: the record, the one window per object, Position, the replaced window procedure
// and closing by destruction.
#include "commdlg/find_dialog_win.h"

#include <gtest/gtest.h>

#include <memory>

#include "commdlg/dialog_host.h"
#include "platform/record_sizes.h"
#include "testing/watchdog_win.h"

namespace {

const bool kWatchdog = StartWatchdog(240);

constexpr char kFakeClass[] = "FakeFindWindow";

void PumpMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

LRESULT CALLBACK FakeFindProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CLOSE) {
    auto* record = reinterpret_cast<FINDREPLACEA*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    record->Flags = FR_DIALOGTERM | FR_ENABLEHOOK | FR_DOWN;
    SendMessageA(record->hwndOwner, FindReplaceMessage(), 0, reinterpret_cast<LPARAM>(record));
    DestroyWindow(window);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

struct Seen {
  int calls = 0;
  FINDREPLACEA record{};  // a copy
  FINDREPLACEA* given = nullptr;
  bool ctl3D = true;
  HWND window = nullptr;
};

// A hidden popup owned by the record's owner, hooked like the platform's find window.
FindTextCall Fake(Seen& seen, bool fail = false) {
  static const bool registered = [] {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = FakeFindProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kFakeClass;
    return RegisterClassA(&windowClass) != 0;
  }();
  RegisterDialogMessages();
  return [&seen, fail](FINDREPLACEA* record) -> HWND {
    ++seen.calls;
    seen.record = *record;
    seen.given = record;
    seen.ctl3D = Ctl3DFlag();
    if (fail || !registered) return nullptr;
    HWND window = CreateWindowExA(0, kFakeClass, "Find", WS_POPUP | WS_CAPTION, 10, 20, 300, 120,
                                  record->hwndOwner, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(record));
    record->lpfnHook(window, WM_INITDIALOG, 0, reinterpret_cast<LPARAM>(record));
    seen.window = window;
    return window;
  };
}

std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

TEST(FindDialogTest, RecordCarriesBuffersHookAndOptionFlagsAndTheWindowIsShown) {
  TFindDialog dialog(nullptr);
  dialog.setFindText("needle");
  dialog.FOptions = static_cast<TFindOptions>(SetOf(frHideMatchCase) | SetOf(frDisableUpDown));
  dialog.FCtl3D = false;
  SetCtl3DFlag(true);
  Seen seen;
  ASSERT_TRUE(RunFindDialog(dialog, Fake(seen)));
  EXPECT_EQ(record_size::kFindReplace, seen.record.lStructSize);
  EXPECT_EQ(0x8500u, seen.record.Flags);
  EXPECT_EQ(dialog.findTextBuffer(), seen.record.lpstrFindWhat);
  EXPECT_EQ(256, seen.record.wFindWhatLen);
  EXPECT_EQ(dialog.FReplaceText, seen.record.lpstrReplaceWith);
  EXPECT_EQ(256, seen.record.wReplaceWithLen);
  EXPECT_EQ(reinterpret_cast<void*>(FindReplaceHook), reinterpret_cast<void*>(seen.record.lpfnHook));
  EXPECT_EQ(kRedirectorWindowClass, ClassOf(seen.record.hwndOwner)) << "the owner is not the redirector";
  EXPECT_FALSE(seen.ctl3D) << "the 3D flag does not follow Ctl3D";
  EXPECT_TRUE(IsWindowVisible(seen.window)) << "the window created hidden was not shown";
}

TEST(FindDialogTest, FailedCreationAnswersFalseAndASecondExecuteOnlyBringsTheWindowToTop) {
  TFindDialog dialog(nullptr);
  Seen failing;
  EXPECT_FALSE(RunFindDialog(dialog, Fake(failing, true)));
  Seen seen;
  ASSERT_TRUE(RunFindDialog(dialog, Fake(seen)));
  HWND other = CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                               nullptr, nullptr);
  SetWindowPos(other, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  EXPECT_TRUE(RunFindDialog(dialog, Fake(seen)));
  EXPECT_EQ(1, seen.calls) << "a second window was created";
  bool findAboveOther = false;
  for (HWND w = GetWindow(other, GW_HWNDPREV); w; w = GetWindow(w, GW_HWNDPREV)) findAboveOther |= w == seen.window;
  EXPECT_TRUE(findAboveOther) << "the open window was not brought to the top";
  DestroyWindow(other);
}

TEST(FindDialogTest, ClosingRecordsPositionAndUntiesTheRedirector) {
  const struct {
    FindPosition position;
    bool centred;
  } cases[] = {{{-1, -1}, true}, {{30, 40}, false}, {{-1, 40}, false}};
  for (const auto& c : cases) {
    TFindDialog dialog(nullptr);
    dialog.FPosition = c.position;
    int finds = 0;
    dialog.FOnFind.handler = [&finds](TComponent*) { ++finds; };
    Seen seen;
    ASSERT_TRUE(RunFindDialog(dialog, Fake(seen)));
    RECT rect;
    GetWindowRect(seen.window, &rect);
    const FindPosition expected =
        c.centred ? FindPosition{(GetSystemMetrics(SM_CXSCREEN) - 300) / 2, (GetSystemMetrics(SM_CYSCREEN) - 120) / 3}
                  : c.position;
    EXPECT_EQ(expected.left, rect.left) << c.position.left << "," << c.position.top;
    EXPECT_EQ(expected.top, rect.top) << c.position.left << "," << c.position.top;
    EXPECT_EQ(rect.left, FindDialogTopLeft(dialog).left);

    SendMessageA(seen.window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(seen.window));
    EXPECT_EQ(rect.left, dialog.FPosition.left);
    EXPECT_EQ(rect.top, dialog.FPosition.top);
    EXPECT_EQ(SetOf(frDown), dialog.FOptions) << "the closing notice's options";

    // Until the release arrives the redirector still exists; nothing it gets reaches the dialog.
    ASSERT_TRUE(IsWindow(seen.record.hwndOwner));
    seen.given->Flags = FR_FINDNEXT;
    SendMessageA(seen.record.hwndOwner, FindReplaceMessage(), 0, reinterpret_cast<LPARAM>(seen.given));
    EXPECT_EQ(0, finds) << "a released redirector still reached the dialog";
    PumpMessages();
    EXPECT_FALSE(IsWindow(seen.record.hwndOwner)) << "the redirector outlived its release";
  }
}

TEST(FindDialogTest, DestroyingTheDialogClosesItsWindowAndFreesTheRedirector) {
  auto dialog = std::make_unique<TFindDialog>(nullptr);
  Seen seen;
  ASSERT_TRUE(RunFindDialog(*dialog, Fake(seen)));
  dialog.reset();
  EXPECT_FALSE(IsWindow(seen.window));
  PumpMessages();
  EXPECT_FALSE(IsWindow(seen.record.hwndOwner));
}

// The replaced procedure runs for every message, and the property that holds it goes at
// WM_NCDESTROY; the modeless dialog handle follows activation.
UINT lastForwarded = 0;
LRESULT CALLBACK PreviousProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  lastForwarded = message;
  return DefWindowProcA(window, message, wParam, lParam);
}

TEST(FindDialogTest, WindowProcedureForwardsAndDropsTheStoredProcedureAtNcDestroy) {
  HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  SetPropA(window, MAKEINTATOM(WndProcPtrAtom()), reinterpret_cast<HANDLE>(PreviousProc));
  const struct {
    UINT message;
    WPARAM wParam;
    HWND modelessAfter;
  } steps[] = {{WM_NCACTIVATE, TRUE, window}, {WM_NCACTIVATE, FALSE, nullptr}, {WM_NCACTIVATE, TRUE, window},
               {WM_DESTROY, 0, nullptr}, {WM_NCDESTROY, 0, nullptr}};
  for (const auto& step : steps) {
    FindReplaceWndProc(window, step.message, step.wParam, 0);
    EXPECT_EQ(step.message, lastForwarded);
    EXPECT_EQ(step.modelessAfter, ModelessDialogWindow()) << "message 0x" << std::hex << step.message;
  }
  EXPECT_EQ(nullptr, GetPropA(window, MAKEINTATOM(WndProcPtrAtom()))) << "the stored procedure outlived WM_NCDESTROY";
  DestroyWindow(window);
}

TEST(FindDialogTest, RealFindWindowOpensHookedAndClosesWithTheDialog) {
  RegisterDialogMessages();
  for (bool closeByUser : {true, false}) {
    auto dialog = std::make_unique<TFindDialog>(nullptr);
    HWND window = nullptr;
    ASSERT_TRUE(RunFindDialog(*dialog, [&window](FINDREPLACEA* record) { return window = FindTextA(record); }));
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(FindReplaceWndProc), GetWindowLongPtrA(window, GWLP_WNDPROC));
    EXPECT_NE(nullptr, GetPropA(window, MAKEINTATOM(WndProcPtrAtom())));
    HWND owner = GetWindow(window, GW_OWNER);
    EXPECT_EQ(kRedirectorWindowClass, ClassOf(owner));
    const FindPosition openedAt = FindDialogTopLeft(*dialog);
    if (closeByUser) {
      SendMessageA(window, WM_CLOSE, 0, 0);
      EXPECT_EQ(openedAt.left, dialog->FPosition.left);
      EXPECT_EQ(openedAt.top, dialog->FPosition.top);
    }
    dialog.reset();
    EXPECT_FALSE(IsWindow(window)) << "closed by user " << closeByUser;
    PumpMessages();
    EXPECT_FALSE(IsWindow(owner)) << "closed by user " << closeByUser;
  }
}

// Help in the real find window: the platform asks the window's owner, the hidden redirector,
// which passes the dialog's help context on; the redirector hangs below the host form.
TEST(FindDialogTest, HelpReachesTheHelpHandlerThroughTheHiddenOwnerBelowTheForm) {
  RegisterDialogMessages();
  HWND form = CreateWindowExA(0, "STATIC", "form", WS_POPUP, -100, -100, 10, 10, nullptr, nullptr, nullptr, nullptr);
  SetFormWindowTest([form](HWND window) { return window == form; });
  int32_t shown = 0;
  SetHelpHandler([&shown](int32_t context) { shown = context; });
  auto dialog = std::make_unique<TFindDialog>(nullptr);
  dialog->FHelpContext = 77;
  dialog->FOptions = SetOf(frShowHelp);
  HWND window = nullptr;
  ASSERT_TRUE(RunFindDialog(*dialog, [&window](FINDREPLACEA* record) { return window = FindTextA(record); }));
  HWND owner = GetWindow(window, GW_OWNER);
  EXPECT_EQ(form, GetParent(owner)) << "the hidden owner does not hang below the host form";
  HWND help = GetDlgItem(window, pshHelp);
  ASSERT_NE(nullptr, help);
  SendMessageA(window, WM_COMMAND, MAKEWPARAM(pshHelp, BN_CLICKED), reinterpret_cast<LPARAM>(help));
  EXPECT_EQ(77, shown) << "the help context did not arrive";
  dialog.reset();
  PumpMessages();
  SetHelpHandler(nullptr);
  SetFormWindowTest(nullptr);
  DestroyWindow(form);
}

}  // namespace
