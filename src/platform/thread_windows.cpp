#include "platform/thread_windows.h"

ThreadWindowsDisabled::ThreadWindowsDisabled(HWND except) : except_(except) {
  EnumThreadWindows(GetCurrentThreadId(), Disable, reinterpret_cast<LPARAM>(this));
}

ThreadWindowsDisabled::~ThreadWindowsDisabled() {
  for (HWND window : disabled_)
    if (IsWindow(window)) EnableWindow(window, TRUE);
}

BOOL CALLBACK ThreadWindowsDisabled::Disable(HWND window, LPARAM self) {
  auto* state = reinterpret_cast<ThreadWindowsDisabled*>(self);
  if (window != state->except_ && IsWindowVisible(window) && IsWindowEnabled(window)) {
    EnableWindow(window, FALSE);
    state->disabled_.push_back(window);
  }
  return TRUE;
}
