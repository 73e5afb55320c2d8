// A Windows test program's own time limit: past it the program reports and ends itself, so a
// stray modal window fails the run instead of hanging it. Start it once, at program start:
//   static const bool kWatchdog = StartWatchdog(300);
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <thread>

#include "platform/win32.h"

inline bool StartWatchdog(unsigned seconds) {
  std::thread([seconds] {
    Sleep(seconds * 1000);
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::fprintf(stderr, "watchdog: the test program ran longer than %u s in %s.%s; ending it\n", seconds,
                 test ? test->test_suite_name() : "(no test)", test ? test->name() : "");
    std::fflush(stderr);
    TerminateProcess(GetCurrentProcess(), 124);
  }).detach();
  return true;
}
