// inproc_first.exe NOTIFY FILE DIR IDLE_MS [modern]: the yardstick for the server's first dialog, a
// running GUI program showing its first open dialog. It creates and shows its own window,
// announces it to NOTIFY (ready notice 1024, wParam = the window) and idles for IDLE_MS,
// handling its messages. Then it decides to show the dialog: it notes the moment, loads comdlg32
// only now (LoadLibraryA and GetProcAddress, as a program that does not import it) and calls
// GetOpenFileNameA with the record dlgserver.exe builds for a TOpenDialog with FileName = FILE
// and InitialDir = DIR, owned by its window. Afterwards it sends NOTIFY 1025 (accepted) or 1026
// (cancelled) with the moment of the decision as data, in MonotonicMs as text: the clock is the
// same in every process, so dlgbench measures from it to the dialog being visible (and closes
// the dialog). With `modern` it shows the modern file dialog instead (the file dialog object,
// in FILE's folder with FILE's name), as the server does in that style.
#include <shobjidl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "client/dialog_client.h"
#include "open_record.h"
#include "platform/copy_data.h"
#include "server/protocol.h"

using namespace dlg;  // the client library

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
// The classic dialog, comdlg32 loaded only now; 1 accepted, 0 cancelled, -1 not shown.
int ShowClassicDialog(HWND window, HINSTANCE instance, const char* file, const char* dir) {
  using OpenCall = BOOL(WINAPI*)(OPENFILENAMEA*);
  HMODULE library = LoadLibraryA("comdlg32.dll");
  auto open = reinterpret_cast<OpenCall>(
      reinterpret_cast<void*>(library ? GetProcAddress(library, "GetOpenFileNameA") : nullptr));
  if (!open) return -1;
  char buffer[MAX_PATH] = {};
  std::strncpy(buffer, file, MAX_PATH - 1);
  OPENFILENAMEA record = ServerOpenRecord(window, instance, buffer, dir);
  return open(&record) ? 1 : 0;
}

// The modern dialog, owned by `window`; as ShowClassicDialog.
int ShowModernDialog(HWND window, const char* file, const char* dir) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  IFileOpenDialog* dialog = nullptr;
  if (FAILED(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_IFileOpenDialog,
                              reinterpret_cast<void**>(&dialog))))
    return -1;
  wchar_t wide[MAX_PATH] = {};
  MultiByteToWideChar(CP_ACP, 0, dir, -1, wide, MAX_PATH);
  IShellItem* folder = nullptr;
  if (SUCCEEDED(SHCreateItemFromParsingName(wide, nullptr, IID_IShellItem, reinterpret_cast<void**>(&folder)))) {
    dialog->SetFolder(folder);
    folder->Release();
  }
  const char* name = std::strrchr(file, '\\');
  MultiByteToWideChar(CP_ACP, 0, name ? name + 1 : file, -1, wide, MAX_PATH);
  dialog->SetFileName(wide);
  const bool accepted = SUCCEEDED(dialog->Show(window));
  dialog->Release();
  return accepted ? 1 : 0;
}
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  if (__argc != 5 && __argc != 6) return 2;
  const bool modern = __argc == 6 && std::strcmp(__argv[5], "modern") == 0;
  HWND notify = reinterpret_cast<HWND>(static_cast<intptr_t>(std::strtol(__argv[1], nullptr, 10)));

  HWND window = YardstickWindow(instance, "inproc_first", WS_OVERLAPPEDWINDOW | WS_VISIBLE, {40, 40, 360, 240});
  SendCopyData(notify, window, protocol::kReadyNotice);
  Idle(static_cast<DWORD>(std::atoi(__argv[4])));

  const double decided = MonotonicMs();
  const int shown = modern ? ShowModernDialog(window, __argv[2], __argv[3])
                           : ShowClassicDialog(window, instance, __argv[2], __argv[3]);
  if (shown < 0) return 3;
  const bool accepted = shown == 1;

  char moment[32];
  int length = std::snprintf(moment, sizeof moment, "%.3f", decided);
  SendCopyData(notify, window, accepted ? protocol::kAcceptedReply : protocol::kCancelledReply, moment,
               static_cast<size_t>(length));
  return accepted ? 0 : 1;
}
