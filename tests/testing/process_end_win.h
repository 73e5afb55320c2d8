// Whether a process of another program ends in time, for tests that check no server outlives
// its client.
#pragma once

#include "platform/win32.h"

// True when process `processId` has ended within `ms` milliseconds (or was gone already).
inline bool ProcessEndsWithin(DWORD processId, DWORD ms) {
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
  if (!process) return true;  // already gone
  bool ended = WaitForSingleObject(process, ms) == WAIT_OBJECT_0;
  CloseHandle(process);
  return ended;
}
