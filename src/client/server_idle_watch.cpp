#include "client/server_idle_watch.h"

namespace dlg {

namespace {
// The wait is made in slices, so that the watch can be ended while the server still starts.
constexpr DWORD kSliceMs = 100;
}  // namespace

ServerIdleWatch::~ServerIdleWatch() { stop(); }

void ServerIdleWatch::start(HANDLE process, HWND wake) {
  stop();  // idle() is true from here until a watch is under way
  HANDLE own = nullptr;
  if (!DuplicateHandle(GetCurrentProcess(), process, GetCurrentProcess(), &own, 0, FALSE, DUPLICATE_SAME_ACCESS)) return;
  process_ = own;
  wake_ = wake;
  stopping_ = false;
  idle_ = false;
  thread_ = CreateThread(nullptr, 0, Run, this, 0, nullptr);
  if (!thread_) idle_ = true;
}

void ServerIdleWatch::stop() {
  if (thread_) {
    stopping_ = true;
    WaitForSingleObject(thread_, INFINITE);
    CloseHandle(thread_);
    thread_ = nullptr;
  }
  if (process_) CloseHandle(process_);
  process_ = nullptr;
}

DWORD WINAPI ServerIdleWatch::Run(LPVOID self) {
  auto* watch = static_cast<ServerIdleWatch*>(self);
  // The platform's wait also ends when the process ends, and fails at once for one that has no
  // message queue.
  while (!watch->stopping_ && WaitForInputIdle(watch->process_, kSliceMs) == WAIT_TIMEOUT) {
  }
  watch->idle_ = true;
  PostMessageA(watch->wake_, WM_NULL, 0, 0);
  return 0;
}

}  // namespace dlg
