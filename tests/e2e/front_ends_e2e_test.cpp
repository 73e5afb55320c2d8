// The real dlgserver.exe under Wine, through each front end a client can use: the client library,
// dlgclient.dll's C interface and dlgrun.exe. Each ends a run the same way, with the same outcome
// and texts, and leaves no server behind, whether the dialog was answered, the request refused,
// the time ran out or the server was killed.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "dlgclient.h"
#include "large_request.h"
#include "platform/copy_data.h"
#include "testing/process_end_win.h"
#include "testing/program_run_win.h"
#include "testing/server_harness_win.h"
#include "testing/watchdog_win.h"

namespace {

const bool kWatchdog = StartWatchdog(400);

enum FrontEnd { kLibrary, kDll, kDlgRun };
const char* const kFrontEndNames[] = {"client library", "dlgclient.dll", "dlgrun"};

struct Case {
  const char* label;
  const char* className;
  std::string request;
  const char* steps;
  DWORD timeoutMs;
  bool killServer;  // once its dialog is up, as a crash would
  int outcome;      // a DlgOutcome, which is also dlgrun's exit status
  std::string reply;
  std::string failure;
  double withinMs;
  bool dialog;              // a dialog was shown
  bool libraryKeepsServer;  // for its caller, who may still want it
};

// Lines narrated on the test's thread, read by the watch's.
class Narration {
 public:
  void add(const std::string& line) {
    std::lock_guard<std::mutex> lock(mutex_);
    text_ += line + "\n";
  }
  std::string text() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return text_;
  }

 private:
  mutable std::mutex mutex_;
  std::string text_;
};

DWORD ProcessOf(HWND window) {
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  return processId;
}
struct DialogSearch {
  DWORD server;
  bool found;
};
// A dialog the server shows for a client is owned by a window of the client's process; the
// message box of a failure report is the server's own.
BOOL CALLBACK FindClientsDialog(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<DialogSearch*>(context);
  const HWND owner = GetWindow(window, GW_OWNER);
  search->found = ProcessOf(window) == search->server && IsWindowVisible(window) && owner &&
                  ProcessOf(owner) != search->server;
  return !search->found;
}
bool ShowsDialog(DWORD server) {
  DialogSearch search{server, false};
  EnumWindows(FindClientsDialog, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Watches a run's server from a thread of its own, whatever the front end: finds its process in
// the narration, notes when it shows a dialog and kills it then when asked.
class ServerWatch {
 public:
  ServerWatch(std::function<std::string()> narration, bool kill)
      : thread_([this, narration, kill] {
          while (!stopped_) {
            const std::string text = narration();
            const size_t at = text.find("server started (process ");
            if (!server_ && at != std::string::npos) server_ = std::stoul(text.substr(at + 24));
            if (server_ && !dialog_ && ShowsDialog(server_)) {
              dialog_ = true;
              HANDLE process = kill ? OpenProcess(PROCESS_TERMINATE, FALSE, server_) : nullptr;
              if (process) TerminateProcess(process, 9), CloseHandle(process);
            }
            Sleep(20);
          }
        }) {}
  ~ServerWatch() { stop(); }
  void stop() {
    stopped_ = true;
    if (thread_.joinable()) thread_.join();
  }
  DWORD server() const { return server_; }
  bool dialog() const { return dialog_; }

 private:
  std::atomic<bool> stopped_{false}, dialog_{false};
  std::atomic<DWORD> server_{0};
  std::thread thread_;
};

struct Ended {
  int outcome = -1;
  std::string reply;
  std::string failure;  // dlgrun: its standard error
  DWORD server = 0;
  bool dialog = false;
};

void DLGCLIENT_CALL NarrateTo(void* narration, const char* line) { static_cast<Narration*>(narration)->add(line); }

// Runs `c` through `frontEnd`; `whileClientLives` is called after the run, before the client
// ends (dlgrun's has ended with its run).
Ended RunThrough(const Case& c, FrontEnd frontEnd, const std::function<void(DWORD server)>& whileClientLives) {
  Ended ended;
  Narration narration;
  auto watched = [&](ServerWatch& watch) {
    watch.stop();
    ended.server = watch.server(), ended.dialog = watch.dialog();
  };
  if (frontEnd == kDlgRun) {
    std::vector<std::string> arguments = {"--timeout", std::to_string((c.timeoutMs + 999) / 1000), c.className, "-"};
    if (*c.steps) arguments.insert(arguments.begin(), {"--auto", c.steps});
    ProgramRun run(ProgramDirectory() + "dlgrun.exe", arguments, c.request);
    EXPECT_TRUE(run.started());
    ServerWatch watch([&run] { return run.err(); }, c.killServer);
    Finished done = run.wait();
    watched(watch);
    ended.outcome = static_cast<int>(done.exitCode), ended.reply = done.out, ended.failure = done.err;
  } else if (frontEnd == kDll) {
    DlgClient* client = dlgclient_create(nullptr);
    dlgclient_on_narrate(client, NarrateTo, &narration);
    EXPECT_EQ(1, dlgclient_drive(client, c.steps));
    ServerWatch watch([&narration] { return narration.text(); }, c.killServer);
    const long size = static_cast<long>(c.request.size());
    ended.outcome = dlgclient_run(client, c.className, c.request.data(), size, c.timeoutMs);
    watched(watch);
    ended.reply.resize(dlgclient_reply(client, nullptr, 0));
    dlgclient_reply(client, &ended.reply[0], ended.reply.size() + 1);
    ended.failure.resize(dlgclient_failure(client, nullptr, 0));
    dlgclient_failure(client, &ended.failure[0], ended.failure.size() + 1);
    whileClientLives(ended.server);
    dlgclient_destroy(client);
  } else {
    ServerHarness harness;
    harness.runTimeoutMs_ = c.timeoutMs;
    harness.narrateHook_ = [&narration](const std::string& line) { narration.add(line); };
    ServerWatch watch([&narration] { return narration.text(); }, c.killServer);
    harness.Start(c.className);
    if (*c.steps) harness.Steps(c.steps);
    RunResult result = harness.client_->run(c.request);
    watched(watch);
    ended.outcome = static_cast<int>(result.outcome), ended.reply = result.text, ended.failure = result.failure;
    whileClientLives(ended.server);
  }
  return ended;
}

TEST(FrontEndTest, EveryFrontEndEndsARunAsTheServerAndTheTimeLimitSay) {
  const size_t limit = CopyDataLimit();
  const std::string plain = Text({"object X: TOpenDialog", "  FileEditStyle = fsEdit", "  InitialDir = 'C:\\windows'",
                                  "end"});
  const std::string accepted = Text({"object X: TOpenDialog", "  FileEditStyle = fsEdit",
                                     "  FileName = 'C:\\windows\\win.ini'", "  FilterIndex = 0",
                                     "  InitialDir = 'C:\\windows'", "end"});
  const std::string tooLarge = HistoryRequest(limit + 1, true);
  const std::string grows = HistoryRequest(limit - 10, false);
  const std::string grown = "The reply of " + std::to_string(limit - 10 + kEditStyleLine.size()) +
                            " bytes is larger than this platform can carry.";
  const std::string killed = "the server ended without replying (exit code 9)";
  const std::string late = "no reply within the time limit";
  const std::string refused = "Error reading X.Colour: Property does not exist.";
  const std::string badRequest = Text({"object X: TOpenDialog", "  Colour = 1", "end"});
  const char* ok = "wait=300,file=C:\\windows\\win.ini,ok";
  const char* cancel = "wait=300,cancel";
  const Case kCases[] = {
      {"accepted", "TOpenDialog", plain, ok, 60000, false, DLG_ACCEPTED, accepted, "", 30000, true, false},
      {"cancelled: the object as it came", "topendialog", plain, cancel, 60000, false, DLG_CANCELLED, plain, "",
       30000, true, false},
      {"failure report", "TOpenDialog", badRequest, "", 60000, false, DLG_NO_REPLY, "", refused, 30000, false, true},
      {"unknown class", "TNoSuchDialog", plain, "", 60000, false, DLG_NO_REPLY, "",
       "Class TNoSuchDialog not found.", 30000, false, true},
      {"time limit", "TOpenDialog", plain, "", 2000, false, DLG_TIMED_OUT, "", late, 15000, true, true},
      {"server killed mid-dialog: no reply at once", "TOpenDialog", plain, "", 120000, true, DLG_NO_REPLY, "",
       killed, 20000, true, false},
      {"request one byte over the limit: refused before it is sent", "TOpenDialog", tooLarge, "", 60000, false,
       DLG_NO_REPLY, "", RequestTooLargeText(limit + 1, limit), 10000, false, false},
      {"reply grown past the limit: reported by the server", "TOpenDialog", grows, cancel, 60000, false,
       DLG_NO_REPLY, "", grown, 15000, true, true},
  };
  ASSERT_EQ(kWineCopyDataLimit, limit) << "these sizes are Wine's";
  for (const Case& c : kCases)
    for (const FrontEnd frontEnd : {kLibrary, kDll, kDlgRun}) {
      SCOPED_TRACE(std::string(kFrontEndNames[frontEnd]) + ": " + c.label);
      // dlgrun's client has gone with its run; the library's may keep its server.
      const bool endsWithRun = frontEnd == kDll || (frontEnd == kLibrary && !c.libraryKeepsServer);
      const ULONGLONG start = GetTickCount64();
      Ended ended = RunThrough(c, frontEnd, [&](DWORD server) {
        EXPECT_TRUE(!endsWithRun || ProcessEndsWithin(server, 5000)) << "the server lives on";
      });
      EXPECT_LT(static_cast<double>(GetTickCount64() - start), c.withinMs);
      EXPECT_EQ(c.outcome, ended.outcome) << ended.failure;
      EXPECT_EQ(c.reply.size(), ended.reply.size());
      EXPECT_TRUE(c.reply == ended.reply) << "the reply differs";
      // dlgrun writes the failure on standard error after the outcome ("dlgrun: no reply: ").
      const bool failureSaid = frontEnd == kDlgRun ? ended.failure.find(": " + c.failure + "\n") != std::string::npos ||
                                                         c.failure.empty()
                                                   : ended.failure == c.failure;
      EXPECT_TRUE(failureSaid) << "the failure was: " << ended.failure;
      ASSERT_NE(0u, ended.server) << "no server started";
      EXPECT_EQ(c.dialog, ended.dialog);
      EXPECT_TRUE(ProcessEndsWithin(ended.server, 10000)) << "the server outlived its client";
    }
}

// dlgrun killed while its dialog is open: the server goes with it.
TEST(FrontEndTest, ServerEndsWhenDlgRunIsKilled) {
  ProgramRun run(ProgramDirectory() + "dlgrun.exe", {"TOpenDialog", "-"}, Text({"object X: TOpenDialog", "end"}));
  ASSERT_TRUE(run.started());
  ServerWatch watch([&run] { return run.err(); }, false);
  for (int i = 0; i < 600 && !watch.dialog(); ++i) Sleep(50);
  ASSERT_TRUE(watch.dialog()) << run.err();
  TerminateProcess(run.process(), 9);
  watch.stop();
  EXPECT_TRUE(ProcessEndsWithin(watch.server(), 10000)) << "the server outlived dlgrun";
}

}  // namespace
