#include "commdlg/warm_up_gate_win.h"

namespace {
// How long the gate waits for the window's thread to take what was sent to it.
constexpr UINT kSettleTimeoutMs = 2000;
}  // namespace

WarmUpGate::WarmUpGate() : stopped_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}

WarmUpGate::~WarmUpGate() { CloseHandle(stopped_); }

void WarmUpGate::stop() { SetEvent(stopped_); }

bool WarmUpGate::stopped() const { return WaitForSingleObject(stopped_, 0) == WAIT_OBJECT_0; }

bool WarmUpGate::waitToBegin(HWND window, DWORD graceMs) {
  if (WaitForSingleObject(stopped_, graceMs) != WAIT_TIMEOUT) return false;
  DWORD_PTR ignored;
  SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, kSettleTimeoutMs, &ignored);
  return !stopped();
}
