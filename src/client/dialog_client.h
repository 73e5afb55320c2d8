// Running one dialog in dlgserver.exe from a client program.
//
//   DialogClient client;                       // a hidden window: owner, help and notify window
//   RunResult r = client.runDialog("TOpenDialog", requestText);
//   if (r.outcome == Outcome::Accepted) use(r.text);
//
// Or step by step: launch(), waitReady(), hostForm(), run(). prepare() starts a server ahead of
// need; the next runDialog() of its class uses it instead of starting one. Everything happens on the calling
// thread, which must be the one that created the client; while it waits it handles its
// messages. The server ends when the client is destroyed (or when the client's process ends).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "client/copy_data_sender.h"
#include "client/server_idle_watch.h"
#include "platform/process.h"
#include <windows.h>  // as the includer has it: no macro of theirs changed

namespace dlg {

enum class Outcome {
  Accepted,   // reply 1025
  Cancelled,  // reply 1026
  NoReply,    // the server reported a failure, refused the request or ended; see failure
  TimedOut,
};
const char* OutcomeName(Outcome outcome);

struct RunResult {
  Outcome outcome = Outcome::NoReply;
  uint32_t replyCode = 0;  // 1025 or 1026 when a reply came
  std::string text;        // the reply's component text, exactly
  std::string failure;     // the server's failure report text, or what went wrong
  LRESULT answer = 0;      // the server's answer to the run request
};

// A WM_COPYDATA the client's window received.
struct ReceivedCopyData {
  uint32_t code;
  HWND sender;  // wParam
  std::string data;
  double atMs;  // when it arrived, on the MonotonicMs clock
};

// Milliseconds on a monotonic high-resolution clock.
double MonotonicMs();

class DialogClient {
 public:
  struct Options {
    std::string serverPath;          // empty: dlgserver.exe beside the module holding this code
    DWORD readyTimeoutMs = 30000;    // start to ready notice and host form
    DWORD runTimeoutMs = INFINITE;   // run request to reply
    // One line per notice, answer and reply.
    std::function<void(const std::string&)> narrate;
    // Called about every 20 ms while a dialog runs (after the running notice), e.g. to drive it.
    std::function<void()> onDialogIdle;
    // Help requests (protocol::kHelpRequest) reaching the help window.
    std::function<void(WPARAM, LPARAM)> onHelp;
    // Start the server with a request key of its own, so that it serves no request that
    // another program sends in this client's name. Off: the plain four-argument start.
    bool useRequestKey = true;
  };

  DialogClient();
  explicit DialogClient(Options options);
  ~DialogClient();
  DialogClient(const DialogClient&) = delete;
  DialogClient& operator=(const DialogClient&) = delete;

  // The client's own window, passed as help, owner and notify window.
  HWND window() const { return window_; }

  // Starts the server with exactly these arguments. False (with failure()) when it cannot start.
  bool launch(const std::vector<std::string>& arguments);
  // Starts the server for `className` with the client's window as help, owner and notify window.
  bool launch(const std::string& className);
  // Waits for the ready notice and then for the host form's window. True when both came;
  // otherwise failure() says whether the server ended or the time ran out.
  bool waitReady();
  // The first half of waitReady: only the ready notice.
  bool waitReadyNotice();
  HWND hostForm() const { return hostForm_; }

  // Sends WM_COPYDATA {code, data} to the host form and answers its result, handling this
  // thread's messages meanwhile; a failure report the server shows before it answers is read
  // into failure() and closed. False when the send failed (the server ended or timed out).
  bool send(uint32_t code, const std::string& data, LRESULT* answer, DWORD timeoutMs = 30000);
  // A plain message to the host form (e.g. the focus probe), with a time limit.
  bool sendMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* answer);

  // Sends the run request (with the key, when the server was started with one) and waits for
  // the reply, the server's end or the time-out. Only one reply counts: the first from the
  // host form of this client's server, after the server answered 1 to this request; any other
  // is ignored and narrated. A request larger than the platform carries is not sent: no
  // reply, RequestTooLargeText as the failure, and the server is ended.
  RunResult run(const std::string& request);
  // launch(className) + waitReady() + run(request); the prepared server instead of a new one
  // when it is of that class (any letter case) and still running.
  RunResult runDialog(const std::string& className, const std::string& request);
  // Starts a server for `className` to be used by the next runDialog() of that class, without
  // waiting for it (waitReady() waits). False (with failure()) when it cannot start.
  bool prepare(const std::string& className);
  // The class of the prepared server not yet used, or empty.
  const std::string& preparedClass() const { return preparedClass_; }

  void setReadyTimeoutMs(DWORD ms) { options_.readyTimeoutMs = ms; }
  void setRunTimeoutMs(DWORD ms) { options_.runTimeoutMs = ms; }

  // Handles messages until the server has ended or `timeoutMs` passed; true when it ended.
  bool waitForExit(DWORD timeoutMs, DWORD* exitCode = nullptr);
  bool serverRunning() const;
  DWORD serverProcessId() const { return child_.processId; }
  DWORD serverThreadId() const { return child_.threadId; }
  HANDLE serverProcess() const { return child_.process; }
  // Ends the server now.
  void endServer();

  // Every WM_COPYDATA the client's window took from its server, in order: the ready notice,
  // then, from its host form only, the running notice and the one reply to this client's run
  // request. Whatever else arrives is narrated as ignored.
  const std::vector<ReceivedCopyData>& received() const { return received_; }
  // The last failure: the server's report text, or the client's own description.
  const std::string& failure() const { return failure_; }
  // Failure reports read and closed so far.
  const std::vector<std::string>& failureReports() const { return failureReports_; }
  // The caption of the last failure report read.
  const std::string& failureCaption() const { return failureCaption_; }

  // Handles this thread's messages for up to `ms` milliseconds, watching for failure reports.
  void pump(DWORD ms);

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void say(const std::string& line) const;
  // Waits until `done` answers true, the server ends or the deadline passes.
  enum class WaitEnd { Done, ServerEnded, TimedOut };
  // Between checks it sleeps at most `pollMs` unless a message or the server's end wakes it.
  WaitEnd waitUntil(const std::function<bool()>& done, DWORD timeoutMs, bool dialogRunning = false,
                    DWORD pollMs = 20);
  // Reads and closes a failure report the server shows; true when there was one.
  bool closeFailureReport();
  bool replyReceived(size_t from) const;
  // Whether a WM_COPYDATA that reached the client's window is one it takes (see received()).
  bool takes(uint32_t code, HWND sender) const;

  Options options_;
  HWND window_ = nullptr;
  ChildProcess child_;
  HWND hostForm_ = nullptr;
  std::string preparedClass_;
  std::string requestKey_;      // given to the running server; empty: none
  bool awaitingReply_ = false;  // a run request was sent and its reply has not come
  std::vector<ReceivedCopyData> received_;
  std::string failure_;
  std::vector<std::string> failureReports_;
  std::string failureCaption_;
  CopyDataSender sender_;
  ServerIdleWatch idleWatch_;
};

// A visible dialog (#32770) of the server's thread owned by `owner`, or null.
HWND FindOwnedDialog(DWORD serverThreadId, HWND owner);

}  // namespace dlg
