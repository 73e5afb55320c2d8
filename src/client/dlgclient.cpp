// dlgclient.dll: the C interface of dlgclient.h over DialogClient. Nothing C++ crosses it: every
// entry point catches what the client library throws (only allocation can) and answers the
// way a failed call of its kind answers.
#include "client/dlgclient.h"

#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "client/auto_driver.h"
#include "client/dialog_client.h"
#include "streaming/reply_reader.h"

using namespace dlg;  // the client library

struct DlgClient {
  // An empty path: dlgserver.exe beside dlgclient.dll, the module holding the client's code.
  explicit DlgClient(const std::string& serverPath) : client(MakeOptions(serverPath)) {}

  DialogClient::Options MakeOptions(const std::string& serverPath) {
    DialogClient::Options options;
    options.serverPath = serverPath;
    options.narrate = [this](const std::string& line) { say(line); };
    options.onHelp = [this](WPARAM kind, LPARAM helpContext) {
      if (help) help(helpContext_, static_cast<unsigned>(kind), static_cast<long>(helpContext));
    };
    // Called only while a dialog runs, when the server (and so its thread) is known.
    options.onDialogIdle = [this] {
      if (!driver && !steps.empty()) {
        driver.reset(new AutoDriver(steps, client.window(), client.serverThreadId(),
                                    [this](const std::string& line) { say(line); }));
        driver->setLenient(!strict);
      }
      if (driver) driver->poll();
      if (dialog) dialog(dialogContext, FindOwnedDialog(client.serverThreadId(), client.window()));
    };
    return options;
  }

  void say(const std::string& line) const {
    if (narrate) narrate(narrateContext, line.c_str());
  }

  DialogClient client;
  DlgNarrateCallback narrate = nullptr;
  void* narrateContext = nullptr;
  DlgHelpCallback help = nullptr;
  void* helpContext_ = nullptr;
  DlgDialogCallback dialog = nullptr;
  void* dialogContext = nullptr;
  std::vector<AutoStep> steps;         // what drives each run's dialog
  bool strict = false;                 // a step that cannot be applied cancels the dialog
  std::unique_ptr<AutoDriver> driver;  // the running dialog's driver
  const DWORD thread = GetCurrentThreadId();  // the only thread that may use the client
  bool busy = false;                          // in prepare or run: a callback may not start another
  bool destroyed = false;                     // destroyed by a callback: deleted when the call ends
  bool keepSpare = false;
  int outcome = DLG_NO_REPLY;
  std::string reply, failure;
  std::unique_ptr<TReplyReader> parsed;  // the reply, read; null without a (readable) reply
};

namespace {
constexpr DWORD kDefaultReadyTimeoutMs = 30000;

// Copies `text` into the caller's buffer as the platform's text functions do: as much as fits,
// then a NUL; the answer is the whole length.
size_t CopyOut(const std::string& text, char* buffer, size_t size) {
  if (buffer && size > 0) {
    size_t n = text.size() < size - 1 ? text.size() : size - 1;
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
  }
  return text.size();
}

int OutcomeCode(Outcome outcome) {
  switch (outcome) {
    case Outcome::Accepted: return DLG_ACCEPTED;
    case Outcome::Cancelled: return DLG_CANCELLED;
    case Outcome::TimedOut: return DLG_TIMED_OUT;
    case Outcome::NoReply: break;
  }
  return DLG_NO_REPLY;
}

// Whether the client may start a prepare or a run now; if not, the failure says why.
bool Usable(DlgClient& client) {
  if (client.thread != GetCurrentThreadId())
    client.failure = "the client was used from another thread than the one that created it";
  else if (client.busy)
    client.failure = "the client is already running a dialog";
  else
    return true;
  return false;
}

// Marks the client busy for the length of a prepare or a run.
class BusyScope {
 public:
  explicit BusyScope(DlgClient& client) : client_(client) { client_.busy = true; }
  ~BusyScope() { client_.busy = false; }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

 private:
  DlgClient& client_;
};
}  // namespace

extern "C" {

unsigned long DLGCLIENT_CALL dlgclient_version(void) { return DLGCLIENT_VERSION; }

DlgClient* DLGCLIENT_CALL dlgclient_create(const char* serverPath) {
  try {
    std::unique_ptr<DlgClient> client(new DlgClient(serverPath ? serverPath : ""));
    if (!client->client.window()) return nullptr;
    client->client.setReadyTimeoutMs(kDefaultReadyTimeoutMs);
    return client.release();
  } catch (...) {
    return nullptr;
  }
}

void DLGCLIENT_CALL dlgclient_destroy(DlgClient* client) {
  if (!client) return;
  if (client->busy) {
    // Called back from inside a prepare or run: the wait ends with the server, no callback
    // follows, and the client goes when that call returns.
    client->destroyed = true;
    client->narrate = nullptr;
    client->help = nullptr;
    client->dialog = nullptr;
    client->steps.clear();
    client->client.endServer();
    return;
  }
  delete client;
}

void DLGCLIENT_CALL dlgclient_on_narrate(DlgClient* client, DlgNarrateCallback callback, void* context) {
  if (!client) return;
  client->narrate = callback;
  client->narrateContext = context;
}

void DLGCLIENT_CALL dlgclient_on_help(DlgClient* client, DlgHelpCallback callback, void* context) {
  if (!client) return;
  client->help = callback;
  client->helpContext_ = context;
}

void DLGCLIENT_CALL dlgclient_on_dialog(DlgClient* client, DlgDialogCallback callback, void* context) {
  if (!client) return;
  client->dialog = callback;
  client->dialogContext = context;
}

namespace {
int Drive(DlgClient* client, const char* steps, bool strict) {
  if (!client) return 0;
  try {
    std::vector<AutoStep> parsed;
    std::string error;
    if (steps && *steps && !ParseAutoSteps(steps, parsed, &error)) {
      client->failure = error;
      return 0;
    }
    client->steps = std::move(parsed);
    client->strict = strict;
    return 1;
  } catch (...) {
    client->failure = "out of memory";
    return 0;
  }
}
}  // namespace

int DLGCLIENT_CALL dlgclient_drive(DlgClient* client, const char* steps) { return Drive(client, steps, false); }
int DLGCLIENT_CALL dlgclient_drive_strict(DlgClient* client, const char* steps) { return Drive(client, steps, true); }

namespace {
int Prepare(DlgClient* client, const char* className, unsigned long timeoutMs) {
  try {
    if (!Usable(*client)) return 0;
    BusyScope busy(*client);
    client->failure.clear();
    if (!className || !*className) {
      client->failure = "no dialog class given";
      return 0;
    }
    DialogClient& c = client->client;
    c.setReadyTimeoutMs(timeoutMs == 0 ? kDefaultReadyTimeoutMs : timeoutMs);
    bool ready = c.prepare(className) && c.waitReady();
    c.setReadyTimeoutMs(kDefaultReadyTimeoutMs);
    if (!ready) {
      client->failure = c.failure();
      c.endServer();
    }
    return ready ? 1 : 0;
  } catch (...) {
    client->failure = "out of memory";
    return 0;
  }
}

int Run(DlgClient* client, const char* className, const char* request, long requestLength, unsigned long timeoutMs) {
  try {
    if (!Usable(*client)) return DLG_NO_REPLY;
    BusyScope busy(*client);
    client->outcome = DLG_NO_REPLY;
    client->reply.clear();
    client->parsed.reset();
    client->failure.clear();
    if (!className || !*className || (!request && requestLength != 0)) {
      client->failure = !className || !*className ? "no dialog class given" : "no request given";
      return client->outcome;
    }
    std::string text = !request ? std::string()
                       : requestLength < 0 ? std::string(request)
                                           : std::string(request, static_cast<size_t>(requestLength));
    DialogClient& c = client->client;
    c.setRunTimeoutMs(timeoutMs == 0 ? INFINITE : timeoutMs);
    client->driver.reset();
    RunResult result = c.runDialog(className, text);
    const std::string stepFailure = client->driver && client->strict ? client->driver->failure() : std::string();
    client->driver.reset();
    client->outcome = OutcomeCode(result.outcome);
    client->reply = result.text;
    client->failure = result.failure;
    if (!stepFailure.empty() && (result.outcome == Outcome::Accepted || result.outcome == Outcome::Cancelled)) {
      client->outcome = DLG_STEP_FAILED;
      client->failure = stepFailure + " (could not be applied)";
    }
    if (!result.text.empty()) {
      try {
        client->parsed.reset(new TReplyReader(result.text));
      } catch (const std::exception&) {
        // Every reply of the server reads; one that does not has nothing to find.
      }
    }
    // A server that did not reply is of no further use: after a time-out its dialog would stay
    // up with nobody waiting, after a failure report it would wait for ever.
    if (result.outcome == Outcome::TimedOut || result.outcome == Outcome::NoReply) c.endServer();
    if (client->keepSpare && !client->destroyed) c.prepare(className);
    return client->outcome;
  } catch (...) {
    client->failure = "out of memory";
    return client->outcome;
  }
}

// A client destroyed by a callback during a prepare or run goes once that call is over.
int ThenDestroyIfAsked(DlgClient* client, int answer) {
  if (client->destroyed && !client->busy) delete client;
  return answer;
}
}  // namespace

int DLGCLIENT_CALL dlgclient_prepare(DlgClient* client, const char* className, unsigned long timeoutMs) {
  return client ? ThenDestroyIfAsked(client, Prepare(client, className, timeoutMs)) : 0;
}

void DLGCLIENT_CALL dlgclient_keep_spare(DlgClient* client, int keep) {
  if (client) client->keepSpare = keep != 0;
}

int DLGCLIENT_CALL dlgclient_run(DlgClient* client, const char* className, const char* request,
                                 long requestLength, unsigned long timeoutMs) {
  return client ? ThenDestroyIfAsked(client, Run(client, className, request, requestLength, timeoutMs))
                : DLG_NO_REPLY;
}

int DLGCLIENT_CALL dlgclient_outcome(const DlgClient* client) { return client ? client->outcome : DLG_NO_REPLY; }

size_t DLGCLIENT_CALL dlgclient_reply(const DlgClient* client, char* buffer, size_t size) {
  return CopyOut(client ? client->reply : std::string(), buffer, size);
}

size_t DLGCLIENT_CALL dlgclient_failure(const DlgClient* client, char* buffer, size_t size) {
  return CopyOut(client ? client->failure : std::string(), buffer, size);
}

namespace {
int ReadCode(ReadResult result) {
  switch (result) {
    case ReadResult::Found: return DLG_READ_FOUND;
    case ReadResult::WrongType: return DLG_READ_WRONG_TYPE;
    case ReadResult::Absent: break;
  }
  return DLG_READ_ABSENT;
}

// A set's members or a list's items, whichever the property holds.
ReadResult Items(const TReplyReader& reply, const std::string& path, std::vector<std::string>& items) {
  ReadResult asSet = reply.set(path, items);
  if (asSet == ReadResult::Found) return asSet;
  ReadResult asList = reply.list(path, items);  // also finds "X.Strings" for "X"
  return asList == ReadResult::Absent ? asSet : asList;
}

int CopyText(const std::string& text, char* buffer, size_t size, size_t* length) {
  CopyOut(text, buffer, size);
  if (length) *length = text.size();
  return DLG_READ_FOUND;
}
}  // namespace

int DLGCLIENT_CALL dlgclient_reply_string(const DlgClient* client, const char* path, char* buffer, size_t size,
                                          size_t* length) {
  try {
    std::string value;
    if (!client || !client->parsed || !path) return DLG_READ_ABSENT;
    ReadResult result = client->parsed->string(path, value);
    return result == ReadResult::Found ? CopyText(value, buffer, size, length) : ReadCode(result);
  } catch (...) {
    return DLG_READ_ABSENT;
  }
}

int DLGCLIENT_CALL dlgclient_reply_integer(const DlgClient* client, const char* path, long* value) {
  try {
    int32_t number = 0;
    if (!client || !client->parsed || !path) return DLG_READ_ABSENT;
    ReadResult result = client->parsed->integer(path, number);
    if (result == ReadResult::Found && value) *value = number;
    return ReadCode(result);
  } catch (...) {
    return DLG_READ_ABSENT;
  }
}

int DLGCLIENT_CALL dlgclient_reply_count(const DlgClient* client, const char* path, size_t* count) {
  try {
    std::vector<std::string> items;
    if (!client || !client->parsed || !path) return DLG_READ_ABSENT;
    ReadResult result = Items(*client->parsed, path, items);
    if (result == ReadResult::Found && count) *count = items.size();
    return ReadCode(result);
  } catch (...) {
    return DLG_READ_ABSENT;
  }
}

int DLGCLIENT_CALL dlgclient_reply_item(const DlgClient* client, const char* path, size_t index, char* buffer,
                                        size_t size, size_t* length) {
  try {
    std::vector<std::string> items;
    if (!client || !client->parsed || !path) return DLG_READ_ABSENT;
    ReadResult result = Items(*client->parsed, path, items);
    if (result != ReadResult::Found) return ReadCode(result);
    return index < items.size() ? CopyText(items[index], buffer, size, length) : DLG_READ_ABSENT;
  } catch (...) {
    return DLG_READ_ABSENT;
  }
}

}  // extern "C"
