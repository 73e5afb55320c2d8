// The dialog library's background thread: the first dialog function waits for the library's
// load but never for the warm-up that follows it on the same thread, and the server's wait
// before it ends does wait for the warm-up; the switch that turns the warm-up off.
#include "commdlg/dialog_library_win.h"

#include <gtest/gtest.h>

#include <atomic>

#include "commdlg/warm_up_win.h"
#include "testing/watchdog_win.h"

namespace {

const bool kWatchdog = StartWatchdog(120);

enum WarmUpState { kNotStarted, kRunning, kEnded };
std::atomic<int> heldWarmUpState{kNotStarted};
HANDLE releaseWarmUp = CreateEventA(nullptr, TRUE, FALSE, nullptr);

HWND mainThreadWindow = nullptr;
std::atomic<bool> sentMessageAnswered{false};

// A warm-up that lasts until the test releases it: a dialog function that waited for it would
// come back only after the 20 s bound, with the warm-up ended. Then, as the real warm-up does, it
// sends to a window of the main thread, which is waiting for it to end by then.
void HeldWarmUp() {
  heldWarmUpState = kRunning;
  WaitForSingleObject(releaseWarmUp, 20000);
  DWORD_PTR ignored;
  sentMessageAnswered = SendMessageTimeoutA(mainThreadWindow, WM_NULL, 0, 0, SMTO_NORMAL, 20000, &ignored) != 0;
  heldWarmUpState = kEnded;
}

TEST(DialogLibraryTest, FirstDialogFunctionDoesNotWaitForTheWarmUp) {
  // Nothing in this program loaded the library before: the background load is started here.
  mainThreadWindow = CreateWindowExA(0, "STATIC", "main", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  StartLoadingDialogLibrary(HeldWarmUp);
  FileDialogFunction open = OpenFileNameFunction();
  EXPECT_TRUE(static_cast<bool>(open));
  EXPECT_NE(heldWarmUpState.load(), kEnded) << "the dialog function waited for the warm-up";

  SetEvent(releaseWarmUp);
  FinishLoadingDialogLibrary(10000);
  EXPECT_EQ(heldWarmUpState.load(), kEnded) << "the wait before the end returned before the warm-up ended";
  EXPECT_TRUE(sentMessageAnswered.load()) << "the wait did not take the message the warm-up sent";
  DestroyWindow(mainThreadWindow);
}

TEST(WarmUpTest, OnlyTheValueOneSwitchesItOff) {
  struct Case {
    const char* value;  // of DLG_NO_WARMUP; null: unset
    bool off;
  };
  const Case cases[] = {
      {nullptr, false}, {"", false}, {"0", false}, {"1", true}, {"10", false}, {"yes", false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(WarmUpSwitchedOff(c.value), c.off) << "DLG_NO_WARMUP=" << (c.value ? c.value : "(unset)");
}

}  // namespace
