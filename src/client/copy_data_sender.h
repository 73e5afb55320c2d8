// The client's blocking WM_COPYDATA sends, made on a thread of their own so that the client's
// thread goes on handling the server's notices and failure reports meanwhile. The thread is
// started once and then waits for the next send: a thread started for each send began it 5-8 ms
// late under Wine, on the way of every run request.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include <windows.h>  // as the includer has it: no macro of theirs changed

namespace dlg {

class CopyDataSender {
 public:
  CopyDataSender() = default;
  // Waits for a send in progress to end, then ends the thread.
  ~CopyDataSender();
  CopyDataSender(const CopyDataSender&) = delete;
  CopyDataSender& operator=(const CopyDataSender&) = delete;

  // Starts the thread unless it runs; false when it cannot be started.
  bool start();
  // Begins sending {code, data} from `from` to `to`, waiting at most `timeoutMs` for the answer;
  // `data` must live until finished(). When the send returns, a WM_NULL posted to `from` wakes
  // its thread. False when the thread cannot be started; nothing is sent then.
  bool begin(HWND to, HWND from, uint32_t code, const std::string& data, UINT timeoutMs);
  bool finished() const { return finished_.load(); }
  // After finished(): whether the send was answered, and the answer.
  bool sent() const { return sent_; }
  LRESULT answer() const { return answer_; }

 private:
  static DWORD WINAPI Run(LPVOID self);

  HANDLE thread_ = nullptr;
  HANDLE work_ = nullptr;  // auto-reset: a send (or the end) is waiting
  std::atomic<bool> finished_{true};
  bool quit_ = false;
  // The send in progress, written before work_ is set and read after it.
  HWND to_ = nullptr, from_ = nullptr;
  uint32_t code_ = 0;
  const std::string* data_ = nullptr;
  UINT timeoutMs_ = 0;
  bool sent_ = false;
  LRESULT answer_ = 0;
};

}  // namespace dlg
