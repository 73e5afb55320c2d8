// The warm-up: while the server waits for its run request, a background thread builds what the
// first open dialog would otherwise build first. The dialog library must be loaded before.
#pragma once

#include "platform/win32.h"

// The host form (`window`, of the calling thread) is up: a little later, when that thread's
// message loop has taken what was sent to it meanwhile and no run request came, starts the
// thread that builds the shell's system image lists, opens the shell's desktop folder and
// realises the dialog font. Does nothing with DLG_NO_WARMUP=1 in the environment (for
// comparison: scripts/bench-server.sh), or when it was started before.
void StartWarmUp(HWND window);

// A run request has come, or the server ends (on the host form's thread): the warm-up leaves
// out whatever it has not begun (all of it, when its thread has not started), so that the
// dialog has the process (and Wine's server, which every thread's calls go through) to itself.
// The step in progress finishes; the dialog would do that work first anyway.
void StopWarmUp();

// Waits up to `timeoutMs` for the warm-up thread to end, taking the messages it sends to this
// thread meanwhile: the server calls it before the process ends, so that the process does not
// end in the middle of a step.
void FinishWarmUp(DWORD timeoutMs);

// True when the value of DLG_NO_WARMUP (null when unset) switches the warm-up off.
bool WarmUpSwitchedOff(const char* value);
