// The first Explorer open dialog of a process spends most of its time on things done once per
// process: loading comdlg32 with shell32, comctl32 and ole32, and building the shell's system
// image lists (the small and large icons of drives, folders and file types that its folder view
// and "Look in" box draw from; 30-50 ms under Wine here). The server does both on one background
// thread as soon as its ready notice is out. A run request never waits for the image lists: the
// dialog waits only for the library, and the lists go on being built beside it (the shell
// builds them once per process, for whichever thread asks first).
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

#include <atomic>
#include <cstdlib>
#include <cstring>

#include <shlobj.h>

#include "commdlg/dialog_library_win.h"
#include "platform/win32.h"

namespace {
// A function of a library loaded at run time (shell32 and ole32 are not imported either; they
// came with comdlg32 just before), or null.
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

std::atomic<bool> g_stopped{false};
HWND g_settleWindow = nullptr;

// How long the warm-up waits for the main thread to take its messages.
constexpr UINT kSettleTimeoutMs = 2000;

void WarmUp() {
  // The load holds the platform's loader lock, and the main thread may have waited for it (a
  // window of a class the library provides): a run request sent meanwhile is still queued. Sent
  // messages are dealt with in the order they came, so once this one is answered, such a
  // request has stopped the warm-up.
  if (g_stopped.load()) return;
  DWORD_PTR ignored;
  if (g_settleWindow)
    SendMessageTimeoutA(g_settleWindow, WM_NULL, 0, 0, SMTO_NORMAL, kSettleTimeoutMs, &ignored);
  for (void (*step)() : {BuildSystemImageLists, OpenDesktopFolder, RealizeDialogFont}) {
    if (g_stopped.load()) return;
    step();
  }
}
}  // namespace

void StopWarmUp() { g_stopped.store(true); }

bool WarmUpSwitchedOff(const char* value) { return value && std::strcmp(value, "1") == 0; }

void StartWarmUp(HWND window) {
  g_settleWindow = window;
  StartLoadingDialogLibrary(WarmUpSwitchedOff(std::getenv("DLG_NO_WARMUP")) ? nullptr : WarmUp);
}
