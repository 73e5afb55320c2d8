#include "server/host_form.h"

#include <memory>

#include "base/integer.h"
#include "commdlg/dialog_host.h"
#include "commdlg/dialog_library_win.h"
#include "commdlg/warm_up_win.h"
#include "forms/fsl_warn_win.h"
#include "server/application.h"
#include "server/protocol.h"

namespace {
// The request key the client put into this process's environment, taken out of it so that
// nothing started from here inherits it; empty when there is none.
std::string TakeRequestKey() {
  const DWORD size = GetEnvironmentVariableA(protocol::kRequestKeyVariable, nullptr, 0);
  if (size == 0) return std::string();
  std::string key(size, '\0');
  key.resize(GetEnvironmentVariableA(protocol::kRequestKeyVariable, &key[0], size));
  SetEnvironmentVariableA(protocol::kRequestKeyVariable, nullptr);
  return key;
}
}  // namespace

THostForm::THostForm(TApplication& application, std::vector<std::string> arguments)
    : application_(application), arguments_(std::move(arguments)), model_(new TDialogForm),
      requestKey_(TakeRequestKey()) {
  focusProbe_ = RegisterWindowMessageA(protocol::kFocusProbeMessage);
}

THostForm::~THostForm() {
  if (window_ && IsWindow(window_)) DestroyWindow(window_);
}

void THostForm::formCreate() {
  try {
    AddServedDialogKinds(registry_);
    SetWindowPos(application_.window(), nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    left_ = -kWidth;
    top_ = -kHeight;
    if (arguments_.size() != 4) {
      application_.terminate();
      return;
    }
    dialogClassName_ = arguments_[0];
    // All three conversions come before any is stored: a bad argument leaves the notify
    // window unknown, so nothing is sent.
    int32_t help = StrToInt(arguments_[1]);
    int32_t owner = StrToInt(arguments_[2]);
    int32_t notify = StrToInt(arguments_[3]);
    helpWindow_ = reinterpret_cast<HWND>(static_cast<intptr_t>(help));
    ownerWindow_ = reinterpret_cast<HWND>(static_cast<intptr_t>(owner));
    notifyWindow_ = reinterpret_cast<HWND>(static_cast<intptr_t>(notify));
    SetHelpRequestWindow(helpWindow_);
    // The window does not exist yet: wParam is 0.
    SendCopyData(notifyWindow_, window_, protocol::kReadyNotice);
  } catch (...) {
    if (notifyWindow_) SendCopyData(notifyWindow_, nullptr, protocol::kReadyNotice);
    application_.terminate();
  }
}

void THostForm::createWindow(HINSTANCE instance) {
  // The library comes first: a client that finds the window sends its request at once, which
  // then finds the dialogs ready.
  LoadDialogLibrary();
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = protocol::kHostFormClass;
  RegisterClassA(&windowClass);
  window_ = CreateWindowExA(0, protocol::kHostFormClass, protocol::kHostFormCaption,
                            WS_OVERLAPPEDWINDOW, left_, top_, kWidth, kHeight, application_.window(),
                            nullptr, instance, this);
  CreateWindowExA(0, "BUTTON", "Button1", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 8, 8, 75, 25,
                  window_, reinterpret_cast<HMENU>(static_cast<intptr_t>(kButton1Id)), instance, nullptr);
  StartWarmUp(window_);
}

LRESULT CALLBACK THostForm::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* form = reinterpret_cast<THostForm*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (form && form->window_ == nullptr) form->window_ = window;
  // The host form is the main form: closing it ends the application, and the window lives on
  // until the process ends. While a dialog runs, the quit message waits for the dialog's end
  // (QuitMessageFilter).
  if (form && message == WM_CLOSE) {
    form->application_.terminate();
    return 0;
  }
  // Clients find the form by its caption: it keeps the one it was made with.
  if (message == WM_SETTEXT && form && form->window_ == window) return FALSE;
  if (form && (message == WM_COPYDATA || (message == form->focusProbe_ && message != 0))) {
    // Nothing leaves a window procedure as an exception: a failure becomes the report, and the
    // message is answered 0.
    try {
      return form->handleMessage(message, wParam, lParam);
    } catch (...) {
      Application().showException(std::current_exception());
      return 0;
    }
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT THostForm::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == focusProbe_) return 1;
  CopyDataMessage data;
  if (!ReadCopyData(lParam, data)) return 0;  // no record, or a size without data
  return handleCopyData(reinterpret_cast<HWND>(wParam), data);
}
