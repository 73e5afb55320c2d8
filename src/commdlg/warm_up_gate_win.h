// When the warm-up may begin. A client sends its run request the moment it finds the host form,
// and a dialog built while the warm-up runs beside it is slower than one built alone; even the
// warm-up's thread starting beside it costs the request a little. So the gate is a one-shot
// timer on the host form: it fires on the main thread a grace after the host form appeared, and
// only once nothing sent to that thread is waiting (the platform makes a timer message only when
// nothing sent or posted is queued), so a request that came meanwhile, even while the thread was
// held up, has been taken and has stopped the gate first. A prepared server, left waiting for
// its request, is warmed up shortly after its host form appears.
#pragma once

#include <atomic>
#include <functional>

#include "platform/win32.h"

class WarmUpGate {
 public:
  WarmUpGate() = default;
  ~WarmUpGate();
  WarmUpGate(const WarmUpGate&) = delete;
  WarmUpGate& operator=(const WarmUpGate&) = delete;

  // On the thread of `window`: `begin` is called once from that thread's message loop, `graceMs`
  // from now, unless the gate is stopped first.
  void arm(HWND window, UINT graceMs, std::function<void()> begin);

  // A request came, or the server ends: nothing more may begin. On the thread of the window.
  void stop();
  // From any thread: the warm-up asks between its steps.
  bool stopped() const { return stopped_; }

 private:
  static void CALLBACK Fire(HWND window, UINT, UINT_PTR id, DWORD);
  void disarm();

  HWND window_ = nullptr;
  std::function<void()> begin_;
  std::atomic<bool> stopped_{false};
};
