// The first Explorer open dialog of a process spends most of its time on things done once per
// process: loading comdlg32 with shell32, comctl32 and ole32, and building the shell's system
// image lists (the small and large icons of drives, folders and file types that its folder view
// and "Look in" box draw from; 30-50 ms under Wine here). The server loads the library on its
// main thread before the host form appears (on a thread of its own the load took 50-55 ms
// instead of 37-40 under Wine: the new thread's own set-up comes on top). The lists are built
// on a background thread, started only when the host form has been up a while and a request
// sent the moment it appeared would have come (WarmUpGate): a request that comes at once finds
// no warm-up at all. A later request never waits for the warm-up: the steps not begun are left
// out, and a step in progress goes on beside the dialog (the shell builds the lists once per
// process, for whichever thread asks first).
//
// After the lists the same thread initialises COM and asks the shell for its desktop folder,
// where the dialog's folder view starts, and realises the dialog font once, so that loading its
// face is behind us too. Measured under Wine with scripts/bench-server.sh, these last three gain
// a millisecond or two at most, within the noise, and cost as little: they are kept because on
// a slower disk or a cold font cache they are the next first-time costs in line.
// Left out: a hidden open dialog built and ended on this thread (a later dialog shows in 30 ms
// instead of about 50, but building it takes 150-350 ms, a request that comes meanwhile is
// slowed by it, and it costs about 8 MB).
#include "commdlg/warm_up_win.h"

#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include <shlobj.h>

#include "commdlg/warm_up_gate_win.h"
#include "platform/win32.h"

namespace {
// A function of a library loaded at run time (shell32 and ole32 are not imported either; they
// came with comdlg32), or null.
template <class Function>
Function Find(const char* library, const char* name) {
  HMODULE module = LoadLibraryA(library);
  return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

void BuildSystemImageLists() {
  auto fileInfo = Find<DWORD_PTR(WINAPI*)(LPCSTR, DWORD, SHFILEINFOA*, UINT, UINT)>("shell32.dll", "SHGetFileInfoA");
  if (!fileInfo) return;
  SHFILEINFOA info;
  for (UINT size : {SHGFI_SMALLICON, SHGFI_LARGEICON}) fileInfo("C:\\", 0, &info, sizeof info, SHGFI_SYSICONINDEX | size);
}

// COM stays initialised on this thread until it ends: uninitialising the last apartment would
// tear down what was just set up.
void OpenDesktopFolder() {
  auto initialize = Find<HRESULT(WINAPI*)(void*, DWORD)>("ole32.dll", "CoInitializeEx");
  auto desktop = Find<HRESULT(WINAPI*)(IShellFolder**)>("shell32.dll", "SHGetDesktopFolder");
  if (!initialize || !desktop || FAILED(initialize(nullptr, COINIT_APARTMENTTHREADED))) return;
  IShellFolder* folder = nullptr;
  if (SUCCEEDED(desktop(&folder)) && folder) folder->Release();
}

// The dialogs' font, "MS Shell Dlg" at 8 points, selected into a memory device context once.
void RealizeDialogFont() {
  HDC dc = CreateCompatibleDC(nullptr);
  if (!dc) return;
  HFONT font = CreateFontA(-MulDiv(8, GetDeviceCaps(dc, LOGPIXELSY), 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                           DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           DEFAULT_PITCH | FF_DONTCARE, "MS Shell Dlg");
  HGDIOBJ previous = SelectObject(dc, font);
  TEXTMETRICA metrics;
  GetTextMetricsA(dc, &metrics);
  SelectObject(dc, previous);
  DeleteObject(font);
  DeleteDC(dc);
}

WarmUpGate& Gate() {
  static WarmUpGate gate;
  return gate;
}

HANDLE g_thread = nullptr;

// How long after the host form appeared the warm-up leaves to a client's request: more than
// a client that polls for the host form every 10 ms needs to find it and send.
constexpr UINT kGraceMs = 30;

DWORD WINAPI WarmUp(LPVOID) {
  for (void (*step)() : {BuildSystemImageLists, OpenDesktopFolder, RealizeDialogFont}) {
    if (Gate().stopped()) return 0;
    step();
  }
  return 0;
}
}  // namespace

void StartWarmUp(HWND window) {
  static bool started = false;
  if (started || WarmUpSwitchedOff(std::getenv("DLG_NO_WARMUP"))) return;
  started = true;
  Gate().arm(window, kGraceMs, [] { g_thread = CreateThread(nullptr, 0, WarmUp, nullptr, 0, nullptr); });
}

void StopWarmUp() { Gate().stop(); }

void FinishWarmUp(DWORD timeoutMs) {
  if (!g_thread) return;
  // What the thread does may send to this thread's windows and wait for the answer: messages
  // sent meanwhile are dealt with, the others stay queued.
  const ULONGLONG until = GetTickCount64() + timeoutMs;
  for (ULONGLONG now = GetTickCount64(); now < until; now = GetTickCount64()) {
    if (MsgWaitForMultipleObjects(1, &g_thread, FALSE, static_cast<DWORD>(until - now), QS_SENDMESSAGE) !=
        WAIT_OBJECT_0 + 1)
      return;
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
}

bool WarmUpSwitchedOff(const char* value) { return value && std::strcmp(value, "1") == 0; }
