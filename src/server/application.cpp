#include "server/application.h"

#include "base/errors.h"
#include "commdlg/common_dialog_win.h"
#include "commdlg/dialog_host.h"
#include "server/protocol.h"

TApplication& Application() {
  static TApplication application;
  return application;
}

std::string ApplicationTitleFor(const std::string& programPath) {
  size_t slash = programPath.find_last_of("\\/:");
  std::string name = slash == std::string::npos ? programPath : programPath.substr(slash + 1);
  size_t dot = name.find_last_of('.');
  if (dot != std::string::npos) name.resize(dot);
  // Every letter after the first, as the platform's code page lowers it.
  if (name.size() > 1) CharLowerBuffA(&name[1], static_cast<DWORD>(name.size() - 1));
  return name;
}

void TApplication::initialize(HINSTANCE instance) {
  instance_ = instance;
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  title_ = ApplicationTitleFor(path);

  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
  windowClass.lpszClassName = protocol::kApplicationClass;
  RegisterClassA(&windowClass);
  // A zero-sized popup that is never shown.
  window_ = CreateWindowExA(0, protocol::kApplicationClass, title_.c_str(),
                            WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                            GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0,
                            nullptr, nullptr, instance, nullptr);
  SetApplicationHandle(window_);
  RegisterDialogMessages();

  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof version;
  GetVersionExA(&version);
  SetNewStyleControls(version.dwMajorVersion >= 4);
  LoadCtl3DLibrary(instance);
}

TApplication::~TApplication() {
  UnloadCtl3DLibrary();
  if (window_ && IsWindow(window_)) DestroyWindow(window_);
}

LRESULT CALLBACK TApplication::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  TApplication& application = Application();
  // Closing the application window closes the main form, which ends the application;
  // destroying it would take the host form, which it owns, with it while the process lives on.
  if (message == WM_CLOSE && window == application.window_) {
    application.terminate();
    return 0;
  }
  // The title is the failure report's caption: it stays what it was made with.
  if (message == WM_SETTEXT && window == application.window_) return FALSE;
  try {
    if (OfferApplicationMessage(message, wParam, lParam)) return 0;
  } catch (...) {
    Application().showException(std::current_exception());
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void TApplication::terminate() { PostQuitMessage(0); }

bool TApplication::processMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) return false;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return true;
}

int TApplication::run() {
  // Each pass handles everything queued, then sleeps in WaitMessage until something new
  // arrives (a posted message, or a message sent from another thread or process).
  while (!terminated_) {
    if (!processMessages()) {
      terminated_ = true;
      break;
    }
    WaitMessage();
  }
  return 0;
}

void TApplication::showException(std::exception_ptr failure) {
  std::string text = FailureText(failure) + ".";
  MessageBoxA(ApplicationHandle(), text.c_str(), title_.c_str(), MB_OK | MB_ICONERROR);
}
