// The first Explorer open dialog of a process spends most of its time on things done once per
// process: loading comdlg32 with shell32, comctl32 and ole32, and building the shell's system
// image lists (the small and large icons of drives, folders and file types that its folder view
// and "Look in" box draw from; 30-50 ms under Wine here). The server does both on one background
// thread as soon as its ready notice is out. A run request never waits for the image lists: the
// dialog waits only for the library, and the lists go on being built beside it (the shell
// builds them once per process, for whichever thread asks first).
//
// Measured under Wine with scripts/bench-server.sh and left out: OLE initialisation, the
// shell's desktop folder with the current folder parsed, the dialog font and the common control
// classes (a millisecond or two each, no gain); a hidden open dialog built and ended on this
// thread (a later dialog shows in 30 ms instead of about 50, but building it takes 150-350 ms,
// a request that comes meanwhile is slowed by it, and it costs about 8 MB).
#include "commdlg/warm_up_win.h"

#include <cstdlib>
#include <cstring>

#include "commdlg/dialog_library_win.h"
#include "platform/win32.h"

namespace {
// shell32 is loaded at run time, as comdlg32 is (it came with comdlg32 just before).
void BuildSystemImageLists() {
  using FileInfoCall = DWORD_PTR(WINAPI*)(LPCSTR, DWORD, SHFILEINFOA*, UINT, UINT);
  HMODULE shell = LoadLibraryA("shell32.dll");
  auto fileInfo =
      shell ? reinterpret_cast<FileInfoCall>(reinterpret_cast<void*>(GetProcAddress(shell, "SHGetFileInfoA"))) : nullptr;
  if (!fileInfo) return;
  SHFILEINFOA info;
  for (UINT size : {SHGFI_SMALLICON, SHGFI_LARGEICON}) fileInfo("C:\\", 0, &info, sizeof info, SHGFI_SYSICONINDEX | size);
}
}  // namespace

bool WarmUpSwitchedOff(const char* value) { return value && std::strcmp(value, "1") == 0; }

void StartWarmUp() {
  StartLoadingDialogLibrary(WarmUpSwitchedOff(std::getenv("DLG_NO_WARMUP")) ? nullptr : BuildSystemImageLists);
}
