// The warm-up: when its gate lets it begin (a request queued at the server's main thread, or one
// that comes during the grace, keeps it from beginning), the server's wait for it before the end
// (which takes what the warm-up sends to the main thread), and the switch that turns it off.
#include "commdlg/warm_up_win.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "commdlg/warm_up_gate_win.h"
#include "testing/watchdog_win.h"

namespace {

const bool kWatchdog = StartWatchdog(120);

// A hidden window of this thread, of a class named `name` with the procedure `procedure`.
HWND HiddenWindow(const char* name, WNDPROC procedure) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = procedure;
  windowClass.lpszClassName = name;
  RegisterClassA(&windowClass);
  return CreateWindowExA(0, name, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
}

// At WM_APP (a run request) the window stops the gate in its user data.
LRESULT CALLBACK RequestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* gate = reinterpret_cast<WarmUpGate*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (message == WM_APP && gate) gate->stop();
  return DefWindowProcA(window, message, wParam, lParam);
}

HWND RequestWindow(WarmUpGate* gate) {
  HWND window = HiddenWindow("WarmUpTestRequests", RequestWindowProc);
  SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(gate));
  return window;
}

TEST(WarmUpGateTest, BeginsOnlyWhenNoRequestCameFirst) {
  enum class Request { None, BeforeTheWait, DuringTheGrace, QueuedAtTheWindow };
  struct Case {
    const char* what;
    Request request;
    DWORD graceMs;
    bool begins;
  };
  const Case cases[] = {
      {"no request", Request::None, 10, true},
      {"a request before the wait", Request::BeforeTheWait, 10, false},
      // A grace far longer than the test's limit: only the request can end it.
      {"a request during the grace", Request::DuringTheGrace, 600000, false},
      // The window's thread is held up while a request waits in its queue; the gate's own
      // message comes after it.
      {"a request queued while the window's thread is held up", Request::QueuedAtTheWindow, 10, false},
  };
  for (const Case& c : cases) {
    WarmUpGate gate;
    HWND window = RequestWindow(&gate);
    if (c.request == Request::BeforeTheWait) gate.stop();
    std::thread requester;
    std::atomic<bool> requested{c.request == Request::None || c.request == Request::BeforeTheWait};
    if (c.request == Request::QueuedAtTheWindow) {
      requester = std::thread([&] {
        SendMessageA(window, WM_APP, 0, 0);
        requested = true;
      });
      // This thread is held up: the request waits in its queue before the gate's message.
      for (int i = 0; i < 10000 && !(HIWORD(GetQueueStatus(QS_SENDMESSAGE)) & QS_SENDMESSAGE); ++i) Sleep(1);
    }
    std::atomic<int> began{-1};
    std::thread waiter([&] { began = gate.waitToBegin(window, c.graceMs) ? 1 : 0; });
    if (c.request == Request::QueuedAtTheWindow) Sleep(100);  // and, after the grace, the gate's message
    if (c.request == Request::DuringTheGrace) {
      requester = std::thread([&] {
        Sleep(50);
        gate.stop();
        requested = true;
      });
    }
    // This thread takes what is sent to its window until the waiter and the requester are done.
    while (began.load() < 0 || !requested.load()) {
      MSG message;
      while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
      Sleep(1);
    }
    waiter.join();
    if (requester.joinable()) requester.join();
    EXPECT_EQ(c.begins, began.load() == 1) << c.what;
    DestroyWindow(window);
  }
}

// The warm-up, once begun, sends to the main thread's window; the server then waits for it
// before ending, and that wait must take what is sent, or it would sit out the send's limit.
std::atomic<int> nullsTaken{0};
LRESULT CALLBACK CountingWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NULL) ++nullsTaken;
  return DefWindowProcA(window, message, wParam, lParam);
}

TEST(WarmUpTest, WaitBeforeTheEndTakesWhatTheWarmUpSends) {
  SetEnvironmentVariableA("DLG_NO_WARMUP", nullptr);
  HWND hostForm = HiddenWindow("WarmUpTestHostForm", CountingWindowProc);
  StartWarmUp(hostForm);
  FinishWarmUp(60000);
  EXPECT_EQ(1, nullsTaken.load()) << "the wait did not take the warm-up's message";
  DestroyWindow(hostForm);
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
