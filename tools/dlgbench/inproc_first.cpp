// inproc_first.exe NOTIFY FILE DIR IDLE_MS: the yardstick for the server's first dialog, a
// running GUI program showing its first open dialog. It creates and shows its own window,
// announces it to NOTIFY (ready notice 1024, wParam = the window) and idles for IDLE_MS,
// handling its messages. Then it decides to show the dialog: it notes the moment, loads comdlg32
// only now (LoadLibraryA and GetProcAddress, as a program that does not import it) and calls
// GetOpenFileNameA with the record dlgserver.exe builds for a TOpenDialog with FileName = FILE
// and InitialDir = DIR, owned by its window. Afterwards it sends NOTIFY 1025 (accepted) or 1026
// (cancelled) with the moment of the decision as data, in MonotonicMs as text: the clock is the
// same in every process, so dlgbench measures from it to the dialog being visible (and closes
// the dialog).
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "client/dialog_client.h"
#include "open_record.h"
#include "platform/copy_data.h"
#include "server/protocol.h"

namespace {
void Idle(DWORD ms) {
  const double until = MonotonicMs() + ms;
  for (double now = MonotonicMs(); now < until; now = MonotonicMs()) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(until - now) + 1, QS_ALLINPUT);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
}
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  if (__argc != 5) return 2;
  HWND notify = reinterpret_cast<HWND>(static_cast<intptr_t>(std::strtol(__argv[1], nullptr, 10)));

  HWND window = YardstickWindow(instance, "inproc_first", WS_OVERLAPPEDWINDOW | WS_VISIBLE, {40, 40, 360, 240});
  SendCopyData(notify, window, protocol::kReadyNotice);
  Idle(static_cast<DWORD>(std::atoi(__argv[4])));

  const double decided = MonotonicMs();
  using OpenCall = BOOL(WINAPI*)(OPENFILENAMEA*);
  HMODULE library = LoadLibraryA("comdlg32.dll");
  auto open = reinterpret_cast<OpenCall>(
      reinterpret_cast<void*>(library ? GetProcAddress(library, "GetOpenFileNameA") : nullptr));
  if (!open) return 3;
  char file[MAX_PATH] = {};
  std::strncpy(file, __argv[2], MAX_PATH - 1);
  OPENFILENAMEA record = ServerOpenRecord(window, instance, file, __argv[3]);
  bool accepted = open(&record) != 0;

  char moment[32];
  int length = std::snprintf(moment, sizeof moment, "%.3f", decided);
  SendCopyData(notify, window, accepted ? protocol::kAcceptedReply : protocol::kCancelledReply, moment,
               static_cast<size_t>(length));
  return accepted ? 0 : 1;
}
