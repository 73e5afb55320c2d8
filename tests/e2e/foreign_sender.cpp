// A program other than the server's client that sends the host form a run request from a
// window of its own, as any program on the desktop could:
//   foreign_sender HOSTFORM
// Exit status: the answer to the request (0 or 1), plus 10 when a reply reached its window
// within 2 seconds; 99 on bad arguments.
#include <cstdlib>

#include "platform/copy_data.h"
#include "platform/win32.h"

namespace {
bool g_replied = false;

LRESULT CALLBACK SenderProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COPYDATA) g_replied = true;
  return DefWindowProcA(window, message, wParam, lParam);
}
}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 99;
  HWND hostForm = reinterpret_cast<HWND>(static_cast<intptr_t>(std::strtol(argv[1], nullptr, 10)));
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = SenderProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "ForeignSender";
  RegisterClassA(&windowClass);
  HWND me = CreateWindowA("ForeignSender", "", 0, 0, 0, 0, 0, nullptr, nullptr, windowClass.hInstance, nullptr);
  if (!me) return 99;

  LRESULT answer = 0;
  if (!SendCopyDataTimeout(hostForm, me, 1025, "object X: TOpenDialog\r\nend\r\n", 5000, &answer)) return 98;
  const ULONGLONG end = GetTickCount64() + 2000;
  while (GetTickCount64() < end && !g_replied) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
  return static_cast<int>(answer) + (g_replied ? 10 : 0);
}
