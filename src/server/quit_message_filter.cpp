#include "server/quit_message_filter.h"

QuitMessageFilter::QuitMessageFilter()
    : hook_(SetWindowsHookExA(WH_GETMESSAGE, Filter, nullptr, GetCurrentThreadId())) {}

QuitMessageFilter::~QuitMessageFilter() {
  if (hook_) UnhookWindowsHookEx(hook_);
}

LRESULT CALLBACK QuitMessageFilter::Filter(int code, WPARAM wParam, LPARAM lParam) {
  // The hook sees each message as a loop takes it, and may change it before the loop looks.
  if (code == HC_ACTION) {
    auto* message = reinterpret_cast<MSG*>(lParam);
    if (message->message == WM_QUIT) message->message = WM_NULL;
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}
