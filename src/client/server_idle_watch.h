// The moment the server's main thread first waits for input: it does so in its message loop,
// which it enters once its host form is made. Until then the client looks for the host form only
// now and then: looking for it every millisecond from the ready notice on slowed the server's
// loading of its dialog library by about 5 ms under Wine (every look is a call to Wine's server,
// which the loading server calls too). The platform's wait takes no messages, so it runs on a
// thread of its own, which posts WM_NULL to the client's window when it ends.
#pragma once

#include <atomic>

#include <windows.h>  // as the includer has it: no macro of theirs changed

namespace dlg {

class ServerIdleWatch {
 public:
  ServerIdleWatch() = default;
  // Ends the watch (within one slice of its wait).
  ~ServerIdleWatch();
  ServerIdleWatch(const ServerIdleWatch&) = delete;
  ServerIdleWatch& operator=(const ServerIdleWatch&) = delete;

  // Watches `process` (with a handle of its own), ending a watch in progress first; `wake` gets
  // WM_NULL when the process has waited for input, has ended or cannot tell.
  void start(HANDLE process, HWND wake);
  // Ends the watch (idle() is true after it).
  void stop();
  // True once the watched process has waited for input, has ended, or the wait failed (so that
  // the client then looks often, as without the watch); true when nothing is watched.
  bool idle() const { return idle_.load(); }

 private:
  static DWORD WINAPI Run(LPVOID self);

  HANDLE thread_ = nullptr;
  HANDLE process_ = nullptr;
  HWND wake_ = nullptr;
  std::atomic<bool> idle_{true};
  std::atomic<bool> stopping_{false};
};

}  // namespace dlg
