#include "client/copy_data_sender.h"

#include "platform/copy_data.h"

namespace dlg {

CopyDataSender::~CopyDataSender() {
  if (!thread_) return;
  // The thread may be in a send: it takes the end once that returns.
  quit_ = true;
  SetEvent(work_);
  WaitForSingleObject(thread_, INFINITE);
  CloseHandle(thread_);
  CloseHandle(work_);
}

bool CopyDataSender::start() {
  if (thread_) return true;
  work_ = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  if (!work_) return false;
  thread_ = CreateThread(nullptr, 0, Run, this, 0, nullptr);
  if (!thread_) {
    CloseHandle(work_);
    work_ = nullptr;
  }
  return thread_ != nullptr;
}

bool CopyDataSender::begin(HWND to, HWND from, uint32_t code, const std::string& data, UINT timeoutMs) {
  if (!start()) return false;
  to_ = to;
  from_ = from;
  code_ = code;
  data_ = &data;
  timeoutMs_ = timeoutMs;
  finished_ = false;
  SetEvent(work_);
  return true;
}

DWORD WINAPI CopyDataSender::Run(LPVOID self) {
  auto* sender = static_cast<CopyDataSender*>(self);
  // The thread's message queue is made now rather than at its first send.
  MSG message;
  PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
  for (;;) {
    WaitForSingleObject(sender->work_, INFINITE);
    if (sender->quit_) return 0;
    LRESULT answer = 0;
    sender->sent_ = SendCopyDataTimeout(sender->to_, sender->from_, sender->code_, *sender->data_,
                                        sender->timeoutMs_, &answer);
    sender->answer_ = answer;
    HWND from = sender->from_;
    sender->finished_ = true;
    PostMessageA(from, WM_NULL, 0, 0);
  }
}

}  // namespace dlg
