// The warm-up: while the server waits for its run request, the thread that loads the dialog
// library goes on to build what the first open dialog would otherwise build first.
#pragma once

#include "platform/win32.h"

// Starts loading the dialog library on a background thread, which then builds the shell's
// system image lists, opens the shell's desktop folder and realises the dialog font. With
// DLG_NO_WARMUP=1 in the environment it only loads the library (for comparison:
// scripts/bench-server.sh). Between the load and the rest it waits until the thread of `window`
// has dealt with what was sent to it before: a run request that came while that thread was
// held up by the load stops the warm-up before it begins.
void StartWarmUp(HWND window);

// A run request has come: the warm-up leaves out whatever it has not begun, so that the dialog
// has the process (and Wine's server, which every thread's calls go through) to itself. The
// step in progress finishes; the dialog would do that work first anyway.
void StopWarmUp();

// True when the value of DLG_NO_WARMUP (null when unset) switches the warm-up off.
bool WarmUpSwitchedOff(const char* value);
