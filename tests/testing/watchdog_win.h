// A Windows test program's own time limit: past it the program reports and ends itself, so a
// stray modal window fails the run instead of hanging it. Start it once, at program start:
//   static const bool kWatchdog = StartWatchdog(300);
#pragma once

#include <cstdio>
#include <thread>

#include "platform/win32.h"

inline bool StartWatchdog(unsigned seconds) {
  std::thread([seconds] {
    Sleep(seconds * 1000);
    std::fprintf(stderr, "watchdog: the test program ran longer than %u s; ending it\n", seconds);
    std::fflush(stderr);
    TerminateProcess(GetCurrentProcess(), 124);
  }).detach();
  return true;
}
