// The smallest program that answers like dlgserver.exe's start-up: it reads the notify window
// (argument 4), registers a window class and creates one hidden top-level window (what the
// server must have before its notice), and sends the ready notice, nothing more. dlgbench
// compares the server's start-up time against it. With a fifth argument it then stays: "wait"
// blocks in GetMessage (what an idle Wine program costs), "poll" keeps peeking at its queue
// without waiting.
#include <cstdlib>
#include <cstring>

#include "platform/copy_data.h"
#include "server/protocol.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  if (__argc != 5 && __argc != 6) return 0;
  HWND notify = reinterpret_cast<HWND>(static_cast<intptr_t>(std::strtol(__argv[4], nullptr, 10)));

  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = "ReadyOnly";
  RegisterClassA(&windowClass);
  CreateWindowExA(0, windowClass.lpszClassName, "ready_only", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance,
                  nullptr);

  SendCopyData(notify, nullptr, protocol::kReadyNotice);
  MSG message;
  if (__argc == 6 && std::strcmp(__argv[5], "wait") == 0) {
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  } else if (__argc == 6) {
    for (;;) {
      while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) return 0;
        DispatchMessageA(&message);
      }
    }
  }
  return 0;
}
