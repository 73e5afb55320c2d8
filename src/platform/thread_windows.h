// Disabling the thread's other windows while a modal dialog or form runs.
#pragma once

#include <vector>

#include "platform/win32.h"

// Disables every visible, enabled top-level window of the calling thread except `except`, and
// enables them again (those that still exist) when it goes, however the modal run ends.
class ThreadWindowsDisabled {
 public:
  explicit ThreadWindowsDisabled(HWND except = nullptr);
  ~ThreadWindowsDisabled();
  ThreadWindowsDisabled(const ThreadWindowsDisabled&) = delete;
  ThreadWindowsDisabled& operator=(const ThreadWindowsDisabled&) = delete;

 private:
  static BOOL CALLBACK Disable(HWND window, LPARAM self);

  HWND except_;
  std::vector<HWND> disabled_;
};
