// inproc_open.exe OWNER FILE DIR: the open dialog a request for it makes dlgserver.exe show, run
// in-process by the smallest program that can: it starts, creates its hidden window, calls
// GetOpenFileNameA with the record the server builds for a TOpenDialog with FileName = FILE and
// InitialDir = DIR (Explorer style, the centring hook, owned by OWNER), sends the outcome to
// OWNER as the server sends its reply (1025 accepted, 1026 cancelled, the chosen name as data)
// and ends. dlgbench compares a whole server round trip against it; dlgbench closes the dialog.
#include <cstdlib>
#include <cstring>

#include "open_record.h"
#include "platform/copy_data.h"
#include "server/protocol.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  if (__argc != 4) return 2;
  HWND owner = reinterpret_cast<HWND>(static_cast<intptr_t>(std::strtol(__argv[1], nullptr, 10)));

  HWND window = YardstickWindow(instance, "inproc_open", WS_POPUP, {0, 0, 0, 0});

  char file[MAX_PATH] = {};
  std::strncpy(file, __argv[2], MAX_PATH - 1);
  OPENFILENAMEA record = ServerOpenRecord(owner, instance, file, __argv[3]);
  bool accepted = GetOpenFileNameA(&record) != 0;

  SendCopyData(owner, window, accepted ? protocol::kAcceptedReply : protocol::kCancelledReply, file,
               std::strlen(file));
  return accepted ? 0 : 1;
}
