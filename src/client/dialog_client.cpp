#include "client/dialog_client.h"

#include "platform/copy_data.h"
#include "platform/window_query.h"
#include "server/protocol.h"

namespace dlg {

namespace {
constexpr char kClientWindowClass[] = "DlgClientWindow";
constexpr DWORD kPollMs = 20;
// The host form appears some tens of milliseconds after the ready notice (the server loads the
// dialog library in between): once the server waits for input, look for it often.
constexpr DWORD kHostFormPollMs = 1;

std::string CodeName(uint32_t code, bool fromServer) {
  switch (code) {
    case protocol::kReadyNotice: return "ready notice";
    case protocol::kRunningNotice: return "running notice";
    case protocol::kAcceptedReply: return fromServer ? "reply, accepted" : "run request";
    case protocol::kCancelledReply: return "reply, cancelled";
    default: return "code";
  }
}

// 32 hexadecimal digits from the platform's random source; empty when it gives none, and then
// the server is started without a key.
std::string NewRequestKey() {
  unsigned char bytes[16];
  if (!RandomBytes(bytes, sizeof bytes)) return std::string();
  static const char kDigits[] = "0123456789abcdef";
  std::string key;
  for (unsigned char byte : bytes) key += {kDigits[byte >> 4], kDigits[byte & 15]};
  return key;
}

// The module holding the client's code: a program, or dlgclient.dll.
HMODULE ClientModule() { return ModuleAt(reinterpret_cast<const void*>(&ClientModule)); }

DWORD Remaining(ULONGLONG deadline) {
  if (deadline == ~0ull) return INFINITE;
  ULONGLONG now = GetTickCount64();
  return now >= deadline ? 0 : static_cast<DWORD>(deadline - now);
}

ULONGLONG DeadlineIn(DWORD ms) { return ms == INFINITE ? ~0ull : GetTickCount64() + ms; }
}  // namespace

double MonotonicMs() {
  LARGE_INTEGER frequency, now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

const char* OutcomeName(Outcome outcome) {
  switch (outcome) {
    case Outcome::Accepted: return "accepted";
    case Outcome::Cancelled: return "cancelled";
    case Outcome::NoReply: return "no reply";
    case Outcome::TimedOut: return "time-out";
  }
  return "?";
}

HWND FindOwnedDialog(DWORD serverThreadId, HWND owner) {
  for (HWND window : ThreadWindows(serverThreadId))
    if (IsWindowVisible(window) && OwnerOf(window) == owner && WindowClassName(window) == "#32770")
      return window;
  return nullptr;
}

DialogClient::DialogClient() : DialogClient(Options{}) {}

DialogClient::DialogClient(Options options) : options_(std::move(options)) {
  // The window class belongs to the module holding this code (a program, or dlgclient.dll):
  // another copy of the client in the same process registers its own.
  HINSTANCE instance = ClientModule();
  WNDCLASSA windowClass{};
  if (!GetClassInfoA(instance, kClientWindowClass, &windowClass)) {
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kClientWindowClass;
    RegisterClassA(&windowClass);
  }
  window_ = CreateWindowExA(0, kClientWindowClass, "dialog client", WS_POPUP, 0, 0, 0, 0, nullptr,
                            nullptr, instance, this);
}

DialogClient::~DialogClient() {
  endServer();
  if (window_) DestroyWindow(window_);
}

void DialogClient::say(const std::string& line) const {
  if (options_.narrate) options_.narrate(line);
}

LRESULT CALLBACK DialogClient::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* client = reinterpret_cast<DialogClient*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (client && message == WM_COPYDATA) {
    CopyDataMessage data;
    if (!ReadCopyData(lParam, data)) return 0;
    HWND sender = reinterpret_cast<HWND>(wParam);
    const std::string what = CodeName(data.code, true) + " (" + std::to_string(data.code) + "), " +
                             std::to_string(data.data.size()) + " bytes, wParam " + HandleText(sender);
    if (!client->takes(data.code, sender)) {
      client->say("ignored: " + what + ", not from this client's server or not expected now");
      return 0;
    }
    if (data.code == protocol::kAcceptedReply || data.code == protocol::kCancelledReply)
      client->awaitingReply_ = false;
    client->received_.push_back({data.code, sender, data.data, MonotonicMs()});
    client->say(what);
    return 1;
  }
  if (client && message == protocol::kHelpRequest) {
    client->say("help request (wParam " + std::to_string(wParam) + ", lParam " +
                std::to_string(static_cast<long>(lParam)) + ")");
    if (client->options_.onHelp) client->options_.onHelp(wParam, lParam);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

bool DialogClient::takes(uint32_t code, HWND sender) const {
  auto have = [&](uint32_t wanted) {
    for (const ReceivedCopyData& data : received_)
      if (data.code == wanted) return true;
    return false;
  };
  switch (code) {
    case protocol::kReadyNotice:
      // Sent before the host form exists, so with wParam 0: the first one counts.
      return child_.process && !have(protocol::kReadyNotice);
    case protocol::kRunningNotice:
      return hostForm_ && sender == hostForm_ && awaitingReply_ && !have(protocol::kRunningNotice);
    case protocol::kAcceptedReply:
    case protocol::kCancelledReply:
      return hostForm_ && sender == hostForm_ && awaitingReply_;
    default:
      return false;
  }
}

bool DialogClient::launch(const std::vector<std::string>& arguments) {
  endServer();
  received_.clear();
  awaitingReply_ = false;
  requestKey_ = options_.useRequestKey ? NewRequestKey() : std::string();
  failure_.clear();
  failureReports_.clear();
  hostForm_ = nullptr;
  preparedClass_.clear();
  std::string program =
      options_.serverPath.empty() ? ModuleDirectory(ClientModule()) + "dlgserver.exe" : options_.serverPath;
  std::string error;
  const std::vector<EnvironmentEntry> environment = {{protocol::kRequestKeyVariable, requestKey_}};
  if (!StartInJob(program, arguments, child_, &error, environment)) {
    failure_ = error;
    say("cannot start the server: " + error);
    return false;
  }
  say("server started (process " + std::to_string(child_.processId) + ")");
  // The sends' thread and the idle watch get going while the server starts.
  sender_.start();
  idleWatch_.start(child_.process, window_);
  if (child_.tie == ChildJob::BrokeAway)
    say("this program's job allows no nested job: the server runs outside it, in a job of its own");
  else if (child_.tie == ChildJob::None)
    say("this program's job allows no nested job and no breaking away: the server runs without a job "
        "and is ended when the client is");
  return true;
}

bool DialogClient::launch(const std::string& className) {
  std::string handle = HandleText(window_);
  return launch(std::vector<std::string>{className, handle, handle, handle});
}

bool DialogClient::serverRunning() const {
  return child_.process && WaitForSingleObject(child_.process, 0) == WAIT_TIMEOUT;
}

void DialogClient::endServer() {
  EndChild(child_);
  idleWatch_.stop();
}

bool DialogClient::closeFailureReport() {
  if (!child_.threadId) return false;
  for (HWND box : ThreadWindows(child_.threadId)) {
    if (!IsWindowVisible(box) || WindowClassName(box) != "#32770") continue;
    HWND owner = OwnerOf(box);
    if (!owner || WindowClassName(owner) != protocol::kApplicationClass) continue;
    // The platform may show the box before it has set its texts; a report always has both,
    // so an empty one is read again on the next pass.
    std::string text = DialogItemText(box, 0xFFFF);
    std::string caption = WindowText(box);
    if (text.empty() || caption.empty()) continue;
    failureCaption_ = caption;
    failure_ = text;
    failureReports_.push_back(text);
    say("failure report: " + text);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    return true;
  }
  return false;
}

void DialogClient::pump(DWORD ms) {
  waitUntil([] { return false; }, ms);
}

DialogClient::WaitEnd DialogClient::waitUntil(const std::function<bool()>& done, DWORD timeoutMs,
                                              bool dialogRunning, DWORD pollMs) {
  ULONGLONG deadline = DeadlineIn(timeoutMs);
  for (;;) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    if (done()) return WaitEnd::Done;
    closeFailureReport();
    if (dialogRunning && options_.onDialogIdle) options_.onDialogIdle();
    if (done()) return WaitEnd::Done;
    if (!serverRunning()) {
      // Messages it sent just before it ended may still be waiting.
      while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
      return done() ? WaitEnd::Done : WaitEnd::ServerEnded;
    }
    DWORD left = Remaining(deadline);
    if (left == 0) return WaitEnd::TimedOut;
    DWORD wait = left < pollMs ? left : pollMs;
    MsgWaitForMultipleObjects(1, &child_.process, FALSE, wait, QS_ALLINPUT);
  }
}

bool DialogClient::waitReady() {
  if (hostForm_) return true;
  if (!waitReadyNotice()) return false;
  // The host form's window is created after the ready notice has been answered; until the
  // server first waits for input, it is looked for only at the usual pace.
  const ULONGLONG deadline = DeadlineIn(options_.readyTimeoutMs);
  auto found = [&] {
    hostForm_ = FindThreadWindow(child_.threadId, protocol::kHostFormClass);
    return hostForm_ != nullptr;
  };
  WaitEnd end = waitUntil([&] { return idleWatch_.idle() || found(); }, Remaining(deadline));
  if (end == WaitEnd::Done && !hostForm_) end = waitUntil(found, Remaining(deadline), false, kHostFormPollMs);
  if (end != WaitEnd::Done) {
    failure_ = end == WaitEnd::ServerEnded ? "the server ended before its host form appeared"
                                           : "the host form did not appear within the time limit";
    say(failure_);
    return false;
  }
  say("host form found (window " + HandleText(hostForm_) + ")");
  return true;
}

bool DialogClient::waitReadyNotice() {
  // Everything received came from the current server (launch() forgets the rest); a prepared
  // server may have sent its notice long ago.
  auto ready = [&] {
    for (size_t i = 0; i < received_.size(); ++i)
      if (received_[i].code == protocol::kReadyNotice) return true;
    return false;
  };
  WaitEnd end = waitUntil(ready, options_.readyTimeoutMs);
  if (end != WaitEnd::Done) {
    failure_ = end == WaitEnd::ServerEnded ? "the server ended without sending the ready notice"
                                           : "no ready notice within the time limit";
    say(failure_);
    return false;
  }
  return true;
}

bool DialogClient::send(uint32_t code, const std::string& data, LRESULT* answer, DWORD timeoutMs) {
  // The sending call blocks until the server answers; this thread keeps handling the notices
  // and watching for a failure report while the sender's thread waits for the answer.
  UINT limit = timeoutMs == INFINITE ? 0x7FFFFFFF : timeoutMs;
  const std::string what = code == protocol::kRunRequest        ? "run request (1025)"
                           : code == protocol::kKeyedRunRequest ? "run request with the key (1028)"
                                                                : "code (" + std::to_string(code) + ")";
  say(what + " sent, " + std::to_string(data.size()) + " bytes");
  if (!sender_.begin(hostForm_, window_, code, data, limit)) {
    say(what + " not sent: no thread to send it");
    return false;
  }
  WaitEnd end = waitUntil([&] { return sender_.finished(); }, INFINITE);
  // When the server ended, its window is gone and the call returns at once.
  while (end != WaitEnd::Done && !sender_.finished()) Sleep(5);
  const bool sent = sender_.sent();
  if (answer) *answer = sender_.answer();
  say(what + (sent ? " answered " + std::to_string(static_cast<long>(sender_.answer())) : std::string(" not answered")));
  return sent;
}

bool DialogClient::sendMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* answer) {
  DWORD_PTR result = 0;
  bool ok = SendMessageTimeoutA(hostForm_, message, wParam, lParam, SMTO_NORMAL, 10000, &result) != 0;
  if (answer) *answer = static_cast<LRESULT>(result);
  return ok;
}

bool DialogClient::replyReceived(size_t from) const {
  for (size_t i = from; i < received_.size(); ++i)
    if (received_[i].code == protocol::kAcceptedReply || received_[i].code == protocol::kCancelledReply)
      return true;
  return false;
}

RunResult DialogClient::run(const std::string& request) {
  RunResult result;
  // The server would never see a request the platform cannot carry, and the sender would wait
  // for ever: refuse it before sending, and end the server, which nothing else will use.
  const size_t limit = CopyDataLimit();
  if (!CopyDataFits(request.size(), limit)) {
    result.failure = failure_ = RequestTooLargeText(request.size(), limit);
    say(failure_);
    endServer();
    return result;
  }
  size_t from = received_.size();
  size_t reports = failureReports_.size();
  ULONGLONG deadline = DeadlineIn(options_.runTimeoutMs);
  // From the send until this run ends, and no longer, a reply may come.
  struct AwaitReply {
    explicit AwaitReply(bool& flag) : flag_(flag) { flag_ = true; }
    ~AwaitReply() { flag_ = false; }
    bool& flag_;
  } await(awaitingReply_);
  const bool keyed = !requestKey_.empty();
  bool sent = send(keyed ? protocol::kKeyedRunRequest : protocol::kRunRequest, keyed ? requestKey_ + request : request,
                   &result.answer, options_.runTimeoutMs == INFINITE ? INFINITE : Remaining(deadline));
  // The server answers 1 before it sends anything about this request; after any other answer
  // nothing that arrives is its reply.
  if (sent && result.answer != 1) awaitingReply_ = false;

  auto noReply = [&](const std::string& why) {
    result.outcome = Outcome::NoReply;
    result.failure = failureReports_.size() > reports ? failureReports_.back() : why;
    failure_ = result.failure;
    return result;
  };
  if (!sent || result.answer != 1) {
    if (!sent) {
      if (Remaining(deadline) == 0) {
        result.outcome = Outcome::TimedOut;
        result.failure = failure_ = "no answer to the run request within the time limit";
        return result;
      }
      return noReply("the server ended without answering the run request");
    }
    return noReply("the server refused the run request (answer " + std::to_string(static_cast<long>(result.answer)) +
                   ")");
  }
  if (!replyReceived(from)) {
    bool failed = false;
    WaitEnd end = waitUntil(
        [&] {
          failed = failureReports_.size() > reports;
          return failed || replyReceived(from);
        },
        Remaining(deadline), true);
    if (end == WaitEnd::TimedOut) {
      result.outcome = Outcome::TimedOut;
      result.failure = failure_ = "no reply within the time limit";
      return result;
    }
    if (end == WaitEnd::ServerEnded) {
      DWORD code = 0;
      GetExitCodeProcess(child_.process, &code);
      return noReply("the server ended without replying (exit code " + std::to_string(code) + ")");
    }
    if (!replyReceived(from)) return noReply("");
  }
  for (size_t i = from; i < received_.size(); ++i) {
    const ReceivedCopyData& data = received_[i];
    if (data.code == protocol::kAcceptedReply || data.code == protocol::kCancelledReply) {
      result.replyCode = data.code;
      result.text = data.data;
      result.outcome = data.code == protocol::kAcceptedReply ? Outcome::Accepted : Outcome::Cancelled;
      break;
    }
  }
  return result;
}

bool DialogClient::prepare(const std::string& className) {
  if (!launch(className)) return false;
  preparedClass_ = className;
  return true;
}

RunResult DialogClient::runDialog(const std::string& className, const std::string& request) {
  RunResult result;
  const bool prepared = !preparedClass_.empty() && lstrcmpiA(preparedClass_.c_str(), className.c_str()) == 0 &&
                        serverRunning();
  preparedClass_.clear();
  if (prepared) say("using the prepared server (process " + std::to_string(child_.processId) + ")");
  if (!(prepared || launch(className)) || !waitReady()) {
    result.failure = failure_;
    result.outcome = Outcome::NoReply;
    if (failure_.find("time limit") != std::string::npos) result.outcome = Outcome::TimedOut;
    return result;
  }
  return run(request);
}

bool DialogClient::waitForExit(DWORD timeoutMs, DWORD* exitCode) {
  if (!child_.process) return true;
  WaitEnd end = waitUntil([&] { return !serverRunning(); }, timeoutMs);
  if (exitCode) GetExitCodeProcess(child_.process, exitCode);
  return end != WaitEnd::TimedOut;
}

}  // namespace dlg
