// inproc_open.exe OWNER FILE DIR: the open dialog a request for it makes dlgserver.exe show, run
// in-process by the smallest program that can: it starts, creates its hidden window, calls
// GetOpenFileNameA with the record the server builds for a TOpenDialog with FileName = FILE and
// InitialDir = DIR (Explorer style, the centring hook, owned by OWNER), sends the outcome to
// OWNER as the server sends its reply (1025 accepted, 1026 cancelled, the chosen name as data)
// and ends. dlgbench compares a whole server round trip against it; dlgbench closes the dialog.
#include <cstdlib>
#include <cstring>

#include "platform/copy_data.h"
#include "server/protocol.h"

namespace {
// The record size the server gives: the platform's record as of version 4.
constexpr DWORD kRecordSize = 76;

// What the server's hook does: centre the frame, which is the hook window's parent.
UINT_PTR CALLBACK CentringHook(HWND window, UINT message, WPARAM, LPARAM lParam) {
  if (message != WM_NOTIFY || reinterpret_cast<const NMHDR*>(lParam)->code != CDN_INITDONE) return 0;
  HWND frame = GetParent(window);
  RECT rect;
  if (!GetWindowRect(frame, &rect)) return 0;
  int left = (GetSystemMetrics(SM_CXSCREEN) - (rect.right - rect.left)) / 2;
  int top = (GetSystemMetrics(SM_CYSCREEN) - (rect.bottom - rect.top)) / 3;
  SetWindowPos(frame, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  return 0;
}
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  if (__argc != 4) return 2;
  HWND owner = reinterpret_cast<HWND>(static_cast<intptr_t>(std::strtol(__argv[1], nullptr, 10)));

  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = "InprocOpen";
  RegisterClassA(&windowClass);
  HWND window = CreateWindowExA(0, windowClass.lpszClassName, "inproc_open", WS_POPUP, 0, 0, 0, 0, nullptr,
                                nullptr, instance, nullptr);

  char file[MAX_PATH] = {};
  std::strncpy(file, __argv[2], MAX_PATH - 1);
  OPENFILENAMEA record{};
  record.lStructSize = kRecordSize;
  record.hwndOwner = owner;
  record.hInstance = instance;
  record.nFilterIndex = 1;
  record.lpstrFile = file;
  record.nMaxFile = MAX_PATH;
  record.lpstrInitialDir = __argv[3];
  record.lpstrTitle = "";
  record.Flags = OFN_ENABLEHOOK | OFN_EXPLORER;
  record.lpfnHook = CentringHook;
  bool accepted = GetOpenFileNameA(&record) != 0;

  SendCopyData(owner, window, accepted ? protocol::kAcceptedReply : protocol::kCancelledReply, file,
               std::strlen(file));
  return accepted ? 0 : 1;
}
