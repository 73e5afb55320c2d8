// A program other than the server's client that does to a running server what any program on
// the desktop can, knowing its windows:
//   foreign_sender send HOSTFORM FROM [CODE]   a run request (CODE, default 1025; 1028 with a
//                                              guessed key) whose wParam is FROM, or a window of
//                                              its own for "self"
//   foreign_sender post WINDOW MESSAGE [WPARAM] [LPARAM]
//   foreign_sender quit THREAD                 WM_QUIT posted to the thread
//   foreign_sender settext WINDOW TEXT
// Exit status: for send, the answer (0 or 1) plus 10 when a reply reached its own window within
// 2 seconds, 98 when the send failed; otherwise 0 when the platform took the message, 98 when
// not; 99 on bad arguments.
#include <cstdlib>
#include <string>

#include "platform/copy_data.h"
#include "platform/win32.h"

namespace {
bool g_replied = false;

LRESULT CALLBACK SenderProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COPYDATA) g_replied = true;
  return DefWindowProcA(window, message, wParam, lParam);
}

uintptr_t Number(const char* text) { return static_cast<uintptr_t>(std::strtoll(text, nullptr, 10)); }
HWND Window(const char* text) { return reinterpret_cast<HWND>(static_cast<intptr_t>(std::strtoll(text, nullptr, 10))); }

int Send(HWND hostForm, const std::string& from, uint32_t code) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = SenderProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "ForeignSender";
  RegisterClassA(&windowClass);
  HWND me = CreateWindowA("ForeignSender", "", 0, 0, 0, 0, 0, nullptr, nullptr, windowClass.hInstance, nullptr);
  if (!me) return 99;
  HWND sender = from == "self" ? me : Window(from.c_str());
  // With the keyed code, a guess at the key comes first.
  const std::string request = (code == 1028 ? std::string(32, '0') : std::string()) + "object Evil: TOpenDialog\r\nend\r\n";
  LRESULT answer = 0;
  if (!SendCopyDataTimeout(hostForm, sender, code, request, 5000, &answer)) return 98;
  const ULONGLONG end = GetTickCount64() + 2000;
  while (GetTickCount64() < end && !g_replied) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
  return static_cast<int>(answer) + (g_replied ? 10 : 0);
}
}  // namespace

int main(int argc, char** argv) {
  const std::string action = argc > 1 ? argv[1] : "";
  auto done = [](BOOL ok) { return ok ? 0 : 98; };
  if (action == "send" && (argc == 4 || argc == 5))
    return Send(Window(argv[2]), argv[3], argc == 5 ? static_cast<uint32_t>(Number(argv[4])) : 1025);
  if (action == "post" && argc >= 4 && argc <= 6)
    return done(PostMessageA(Window(argv[2]), static_cast<UINT>(Number(argv[3])), argc > 4 ? Number(argv[4]) : 0,
                             argc > 5 ? static_cast<LPARAM>(Number(argv[5])) : 0));
  if (action == "quit" && argc == 3) return done(PostThreadMessageA(static_cast<DWORD>(Number(argv[2])), WM_QUIT, 0, 0));
  if (action == "settext" && argc == 4) {
    DWORD_PTR result = 0;
    return done(SendMessageTimeoutA(Window(argv[2]), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[3]), SMTO_NORMAL,
                                    5000, &result) != 0);
  }
  return 99;
}
