#include "commdlg/warm_up_gate_win.h"

#include <utility>

WarmUpGate::~WarmUpGate() { disarm(); }

// The timer's id is the gate itself: the callback needs nothing else.
void WarmUpGate::arm(HWND window, UINT graceMs, std::function<void()> begin) {
  disarm();
  begin_ = std::move(begin);
  if (SetTimer(window, reinterpret_cast<UINT_PTR>(this), graceMs, Fire)) window_ = window;
}

void WarmUpGate::stop() {
  stopped_ = true;
  disarm();
}

void WarmUpGate::disarm() {
  if (window_) KillTimer(window_, reinterpret_cast<UINT_PTR>(this));
  window_ = nullptr;
}

void CALLBACK WarmUpGate::Fire(HWND, UINT, UINT_PTR id, DWORD) {
  auto* gate = reinterpret_cast<WarmUpGate*>(id);
  gate->disarm();
  if (!gate->stopped_ && gate->begin_) gate->begin_();
}
