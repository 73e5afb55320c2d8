// When the warm-up may begin. A client sends its run request the moment it finds the host form,
// and a dialog built while the warm-up runs beside it is slower than one built alone: the
// warm-up waits a little after the host form appeared, so that such a request comes first and
// stops it before it begins. A prepared server, left waiting for its request, is warmed up
// shortly after its host form appears.
#pragma once

#include "platform/win32.h"

class WarmUpGate {
 public:
  WarmUpGate();
  ~WarmUpGate();
  WarmUpGate(const WarmUpGate&) = delete;
  WarmUpGate& operator=(const WarmUpGate&) = delete;

  // A request came, or the server ends: nothing more may begin. Wakes waitToBegin.
  void stop();
  bool stopped() const;

  // Waits `graceMs`, then until the thread of `window` has dealt with what was sent to it
  // before (it may have been held up with a request queued; sent messages are dealt with in the
  // order they came, so a request that came meanwhile has stopped the gate by then). False when
  // the gate was stopped first.
  bool waitToBegin(HWND window, DWORD graceMs);

 private:
  HANDLE stopped_;  // a manual-reset event
};
