// The warm-up: when its gate lets it begin (once, and never after a request, even one queued
// while the server's main thread was held up past the grace), and the switch that turns it off.
#include "commdlg/warm_up_win.h"

#include <gtest/gtest.h>

#include <thread>

#include "commdlg/warm_up_gate_win.h"
#include "testing/watchdog_win.h"

namespace {

const bool kWatchdog = StartWatchdog(120);

// At WM_APP (a run request) the window stops the gate in its user data.
LRESULT CALLBACK RequestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* gate = reinterpret_cast<WarmUpGate*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (message == WM_APP && gate) gate->stop();
  return DefWindowProcA(window, message, wParam, lParam);
}

// A hidden window of this thread that stops `gate` when a request comes.
HWND RequestWindow(WarmUpGate* gate) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = RequestWindowProc;
  windowClass.lpszClassName = "WarmUpTestRequests";
  RegisterClassA(&windowClass);
  HWND window = CreateWindowExA(0, "WarmUpTestRequests", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
  SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(gate));
  return window;
}

// Takes what comes to this thread for `ms`.
void Pump(DWORD ms) {
  const ULONGLONG until = GetTickCount64() + ms;
  while (GetTickCount64() < until) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    Sleep(1);
  }
}

TEST(WarmUpGateTest, BeginsOnceAndOnlyWhenNoRequestCameFirst) {
  enum class Request { None, DuringTheGrace, QueuedWhileHeldUp };
  struct Case {
    const char* what;
    Request request;
    int begins;
  };
  const Case cases[] = {
      {"no request", Request::None, 1},
      {"a request during the grace", Request::DuringTheGrace, 0},
      // This thread is held up past the grace while a request waits in its queue: the request
      // is taken before the timer's message.
      {"a request queued while the window's thread is held up", Request::QueuedWhileHeldUp, 0},
  };
  constexpr UINT kGraceMs = 20;
  for (const Case& c : cases) {
    WarmUpGate gate;
    HWND window = RequestWindow(&gate);
    int begun = 0;
    gate.arm(window, kGraceMs, [&begun] { ++begun; });
    std::thread requester;
    if (c.request == Request::DuringTheGrace) SendMessageA(window, WM_APP, 0, 0);
    if (c.request == Request::QueuedWhileHeldUp) {
      requester = std::thread([window] { SendMessageA(window, WM_APP, 0, 0); });
      for (int i = 0; i < 10000 && !(HIWORD(GetQueueStatus(QS_SENDMESSAGE)) & QS_SENDMESSAGE); ++i) Sleep(1);
      Sleep(5 * kGraceMs);
    }
    Pump(10 * kGraceMs);  // time enough for a timer left running to fire again
    if (requester.joinable()) requester.join();
    EXPECT_EQ(c.begins, begun) << c.what;
    EXPECT_EQ(c.request != Request::None, gate.stopped()) << c.what;
    DestroyWindow(window);
  }
}

}  // namespace
