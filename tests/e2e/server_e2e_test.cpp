// The real dlgserver.exe under Wine, driven through the client library from this process: the
// start-up and command line, the request exchange, and real open and save dialogs over real
// files.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "client/printer_choice.h"
#include "client/server_idle_watch.h"
#include "large_request.h"
#include "platform/copy_data.h"
#include "testing/printers_win.h"
#include "testing/program_run_win.h"
#include "testing/server_harness_win.h"
#include "testing/watchdog_win.h"

#include <psapi.h>  // after <windows.h>, which platform/win32.h includes

namespace {

const bool kWatchdog = StartWatchdog(540);

std::string Hex(uintptr_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "%X", static_cast<unsigned>(value));
  return text;
}

// A folder of real files on drive C, private to this test process.
class Files {
 public:
  Files() {
    dir_ = "C:\\dlg-e2e-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(dir_.c_str(), nullptr);
    CreateDirectoryA((dir_ + "\\My Data").c_str(), nullptr);
    for (const char* name : {"a.txt", "b.txt", "c.dat", "My Data\\a b.txt"}) Touch(dir_ + "\\" + name);
    for (const char* tag : {"a", "b"}) Touch("C:\\" + rootName(tag));
  }
  // A file of this process in the root of drive C.
  static std::string rootName(const std::string& tag) {
    return "dlg-e2e-" + std::to_string(GetCurrentProcessId()) + "-" + tag + ".txt";
  }
  ~Files() {
    for (const char* name : {"a.txt", "b.txt", "c.dat", "My Data\\a b.txt", "new.txt"})
      DeleteFileA((dir_ + "\\" + name).c_str());
    for (const char* tag : {"a", "b"}) DeleteFileA(("C:\\" + rootName(tag)).c_str());
    RemoveDirectoryA((dir_ + "\\My Data").c_str());
    RemoveDirectoryA(dir_.c_str());
  }
  const std::string& dir() const { return dir_; }

 private:
  std::string dir_;
};

Files& TestFiles() {
  static Files files;
  return files;
}

// One dialog run: the request's properties, the steps that work the dialog, and the outcome and
// properties of the reply (the object is named X in both).
struct DialogCase {
  const char* label;
  const char* className;
  std::vector<std::string> properties;
  std::string steps;
  Outcome outcome;
  std::vector<std::string> reply;
};

class ServerTest : public ::testing::Test, public ServerHarness {
 protected:
  // Runs the case and expects its reply exactly, then the server's end; the focus probe is
  // answered while the dialog is open, too.
  void ExpectReply(const DialogCase& c) {
    const std::string header = std::string("object X: ") + c.className;
    auto object = [&](const std::vector<std::string>& lines) {
      std::vector<std::string> all{header};
      all.insert(all.end(), lines.begin(), lines.end());
      all.push_back("end");
      return Text(all);
    };
    LRESULT probeAnswer = -1;
    idleHook_ = [&] {
      if (probeAnswer == -1 && driver_ && driver_->dialog())
        client_->sendMessage(RegisterWindowMessageA("QTM_FocusMyDialog"), 0, 0, &probeAnswer);
    };
    RunResult result = RunServer(c.className, object(c.properties), c.steps);
    idleHook_ = nullptr;
    EXPECT_EQ(1, probeAnswer) << c.label << ": the focus probe";
    EXPECT_EQ(c.outcome, result.outcome) << c.label << ": " << result.failure << "\n" << log_;
    EXPECT_EQ(object(c.reply), result.text) << c.label;
    EXPECT_EQ(FileDialogStyle::ModernExpected(c.className, object(c.properties)), modernDialog_)
        << c.label << ": the modern dialog shown";
    ExpectServerEndsWithZero();
  }
};

// --- Start-up and command line -------------------------------------------------------------

TEST_F(ServerTest, WrongArgumentCountsOrBadArgumentsEndSilently) {
  DialogClient& client = NewClient();
  const std::string h = HandleText(client.window());
  const struct {
    const char* label;
    std::vector<std::string> arguments;
  } kCases[] = {
      {"none", {}},
      {"three", {"TOpenDialog", h, h}},
      {"five", {"TOpenDialog", h, h, h, h}},
      {"help not a number", {"TOpenDialog", "abc", h, h}},
      {"owner not a number", {"TOpenDialog", h, "12x", h}},
      {"notify not a number", {"TOpenDialog", h, h, "$"}},
      {"notify empty", {"TOpenDialog", h, h, ""}},
  };
  for (const auto& c : kCases) {
    ASSERT_TRUE(client.launch(c.arguments)) << c.label << ": " << client.failure();
    DWORD exitCode = 99;
    EXPECT_TRUE(client.waitForExit(15000, &exitCode)) << c.label << ": still running";
    EXPECT_EQ(0u, exitCode) << c.label;
    client.pump(100);
    EXPECT_EQ(0u, client.received().size()) << c.label << ": a message reached the notify window";
  }
}

TEST_F(ServerTest, HandlesAreReadInDecimalOrDollarHexWithBlanksAndSign) {
  DialogClient& client = NewClient();
  const uintptr_t h = reinterpret_cast<uintptr_t>(client.window());
  const std::vector<std::string> kSpellings = {
      std::to_string(h), "$" + Hex(h), " " + std::to_string(h), "+" + std::to_string(h), "  $" + Hex(h),
  };
  for (const std::string& notify : kSpellings) {
    ASSERT_TRUE(client.launch({"TOpenDialog", "0", "0", notify})) << client.failure();
    EXPECT_TRUE(client.waitReady()) << "notify window written as '" << notify << "': " << client.failure();
    client.endServer();
  }
}

TEST_F(ServerTest, ReadyNoticeCarriesCode1024NoDataAndWParamZero) {
  Start("TOpenDialog");
  ASSERT_EQ(1u, client_->received().size());
  const ReceivedCopyData& ready = client_->received()[0];
  EXPECT_EQ(protocol::kReadyNotice, ready.code);
  EXPECT_EQ(nullptr, ready.sender);
  EXPECT_EQ("", ready.data);
}

// The modules the server has loaded, by name in lower case; empty when they cannot be read.
std::vector<std::string> LoadedModules(HANDLE process) {
  HMODULE modules[1024];
  DWORD bytes = 0;
  std::vector<std::string> names;
  if (!EnumProcessModules(process, modules, sizeof modules, &bytes)) return names;
  for (DWORD i = 0; i < bytes / sizeof(HMODULE) && i < 1024; ++i) {
    char name[MAX_PATH] = {};
    if (!GetModuleBaseNameA(process, modules[i], name, MAX_PATH)) continue;
    CharLowerA(name);
    names.push_back(name);
  }
  return names;
}

bool Contains(const std::vector<std::string>& names, const char* name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

// The dialog library loads after the ready notice, which comes as soon as it can, and before the
// host form appears, so that a request sent the moment it appears finds the dialogs ready.
TEST_F(ServerTest, DialogLibraryLoadsAfterTheReadyNoticeAndBeforeTheHostForm) {
  std::vector<std::string> atNotice;
  // Narrated while the server waits for the notice to be taken.
  narrateHook_ = [&](const std::string& line) {
    if (line.rfind("ready notice", 0) == 0) atNotice = LoadedModules(client_->serverProcess());
  };
  Start("TOpenDialog");
  narrateHook_ = nullptr;
  const std::vector<std::string> atHostForm = LoadedModules(client_->serverProcess());
  ASSERT_TRUE(Contains(atNotice, "dlgserver.exe")) << "the server's modules could not be read";
  EXPECT_FALSE(Contains(atNotice, "comdlg32.dll")) << "loaded before the ready notice";
  EXPECT_TRUE(Contains(atHostForm, "comdlg32.dll")) << "not loaded when the host form appeared";
}

// The client looks for the host form often only once the server first waits for input: by
// then the host form is up.
std::atomic<int> g_wakes{0};
LRESULT CALLBACK WakeWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NULL) ++g_wakes;
  return DefWindowProcA(window, message, wParam, lParam);
}

TEST(ServerIdleWatchTest, TheServerFirstWaitsForInputWithItsHostFormUp) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = WakeWindowProc;
  windowClass.lpszClassName = "IdleWatchTest";
  RegisterClassA(&windowClass);
  HWND window = CreateWindowExA(0, "IdleWatchTest", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
  const std::string handle = HandleText(window);
  ChildProcess server;
  std::string error;
  ASSERT_TRUE(StartInJob(ProgramDirectory() + "dlgserver.exe", {"TOpenDialog", handle, handle, handle}, server, &error))
      << error;
  ServerIdleWatch watch;
  watch.start(server.process, window);
  // This thread takes the ready notice meanwhile.
  MSG message;
  while (!watch.idle()) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
  }
  const HWND hostForm = FindThreadWindow(server.threadId, protocol::kHostFormClass);
  EXPECT_NE(nullptr, hostForm) << "the server waited for input before its host form was up";
  EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(server.process, 0)) << "the server ended";
  for (int i = 0; i < 100 && g_wakes == 0; ++i) {
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    Sleep(10);
  }
  EXPECT_EQ(1, g_wakes.load()) << "the client's window was not woken";
  EndChild(server);
  DestroyWindow(window);
}

TEST_F(ServerTest, ServerShowsNoWindowAndItsHostFormLiesOffScreen) {
  Start("TOpenDialog");
  for (HWND window : ThreadWindows(client_->serverThreadId()))
    EXPECT_FALSE(IsWindowVisible(window)) << "visible server window of class " << WindowClassName(window);
  HWND form = client_->hostForm();
  EXPECT_EQ("TDialogForm", WindowClassName(form));
  EXPECT_EQ("GetOpenFileName", WindowText(form));
  RECT rect{};
  GetWindowRect(form, &rect);
  EXPECT_EQ(-482, rect.left);
  EXPECT_EQ(-342, rect.top);
  EXPECT_EQ(482, rect.right - rect.left);
  EXPECT_EQ(342, rect.bottom - rect.top);
  HWND application = FindThreadWindow(client_->serverThreadId(), protocol::kApplicationClass);
  ASSERT_NE(nullptr, application);
  EXPECT_EQ("dlgserver", WindowText(application));
  LONG exStyle = GetWindowLongA(application, GWL_EXSTYLE);
  EXPECT_EQ(static_cast<LONG>(WS_EX_TOOLWINDOW | WS_EX_APPWINDOW), exStyle & (WS_EX_TOOLWINDOW | WS_EX_APPWINDOW));
}

// The manifest asks for the current common controls and declares the Windows versions, and no
// DPI awareness: font sizes on the wire are what a DPI-unaware program computes.
TEST(ServerProgramTest, ManifestAsksForCommonControls6AndNoDpiAwareness) {
  HMODULE server = LoadLibraryExA((ProgramDirectory() + "dlgserver.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(nullptr, server);
  HRSRC resource = FindResourceA(server, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24) /* RT_MANIFEST */);
  ASSERT_NE(nullptr, resource) << "no application manifest";
  const std::string manifest(static_cast<const char*>(LockResource(LoadResource(server, resource))),
                             SizeofResource(server, resource));
  FreeLibrary(server);
  for (const char* needed : {"name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
                             "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"})
    EXPECT_NE(std::string::npos, manifest.find(needed)) << needed;
  EXPECT_EQ(std::string::npos, manifest.find("dpiAware")) << "DPI awareness declared";
}

TEST_F(ServerTest, ServerWaitsForARequestAndAnswersProbes) {
  Start("TOpenDialog");
  ExpectStillRunning();
  LRESULT answer = -1;
  ASSERT_TRUE(client_->sendMessage(RegisterWindowMessageA("QTM_FocusMyDialog"), 0, 0, &answer));
  EXPECT_EQ(1, answer) << "focus probe";
  const struct {
    uint32_t code;
    LRESULT answer;
  } kCodes[] = {{1024, 1}, {7, 0}, {1026, 0}, {1027, 0}, {0, 0}};
  for (const auto& c : kCodes) {
    answer = -1;
    ASSERT_TRUE(client_->send(c.code, "object X: TOpenDialog\r\nend\r\n", &answer)) << c.code;
    EXPECT_EQ(c.answer, answer) << "code " << c.code;
  }
  ExpectStillRunning();
  EXPECT_EQ(std::vector<uint32_t>{protocol::kReadyNotice}, Codes());
}

TEST_F(ServerTest, ClosingTheHostFormEndsTheServer) {
  Start("TOpenDialog");
  ASSERT_TRUE(PostMessageA(client_->hostForm(), WM_CLOSE, 0, 0));
  ExpectServerEndsWithZero();
}

// What a window of the client's process received.
std::vector<uint32_t> g_caught;
LRESULT CALLBACK CatchCopyData(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COPYDATA) g_caught.push_back(static_cast<uint32_t>(reinterpret_cast<COPYDATASTRUCT*>(lParam)->dwData));
  return DefWindowProcA(window, message, wParam, lParam);
}

// Without a key, a window of the client's process may send the request: the reply goes to it.
TEST_F(ServerTest, WithoutAKeyTheReplyGoesToTheSendersWindow) {
  useRequestKey_ = false;
  Start("TOpenDialog");
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = CatchCopyData;
  windowClass.lpszClassName = "CatchCopyData";
  RegisterClassA(&windowClass);
  HWND other = CreateWindowExA(0, "CatchCopyData", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
  LRESULT answer = 0;
  ASSERT_TRUE(SendCopyDataTimeout(client_->hostForm(), other, protocol::kRunRequest, "object X: TOpenDialog\r\nend\r\n",
                                  10000, &answer));
  EXPECT_EQ(1, answer);
  for (int i = 0; i < 500 && g_caught.empty(); ++i) {
    client_->pump(20);
    if (HWND dialog = FindOwnedDialog(client_->serverThreadId(), client_->window()))
      PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  }
  EXPECT_EQ(std::vector<uint32_t>{protocol::kCancelledReply}, g_caught);
  // The client takes no notice of a request it did not send.
  EXPECT_EQ(std::vector<uint32_t>{protocol::kReadyNotice}, Codes());
  ExpectServerEndsWithZero();
  DestroyWindow(other);
}

// Another program on the desktop knows the server's windows and the client's: whatever it
// sends or posts, the only reply is the client's own, and "accepted" only when the dialog's own
// OK was pressed. Each case is done by a second process while the server waits for the
// request, or while the client's dialog runs, whose steps then press OK on a.txt.
TEST_F(ServerTest, AnotherProgramsMessagesNeverDecideTheReply) {
  const std::string dir = TestFiles().dir();
  const std::string request = Text({"object X: TOpenDialog", "  InitialDir = '" + dir + "'", "end"});
  const std::string accepted = Text({"object X: TOpenDialog", "  FileEditStyle = fsEdit", "  FileName = '" + dir +
                                     "\\a.txt'", "  FilterIndex = 0", "  InitialDir = '" + dir + "'", "end"});
  const std::string cancelled =
      Text({"object X: TOpenDialog", "  FileEditStyle = fsEdit", "  InitialDir = '" + dir + "'", "end"});
  enum When { Waiting, DuringDialog };
  // The foreign program's arguments from the host form, the client's window, the server's
  // thread and its application window.
  using Arguments = std::function<std::vector<std::string>(HWND, HWND, DWORD, HWND)>;
  auto hostForm = [](const std::vector<std::string>& rest) -> Arguments {
    return [rest](HWND form, HWND, DWORD, HWND) {
      std::vector<std::string> all{rest[0], HandleText(form)};
      all.insert(all.end(), rest.begin() + 1, rest.end());
      return all;
    };
  };
  const Arguments inClientsName = [](HWND form, HWND client, DWORD, HWND) {
    return std::vector<std::string>{"send", HandleText(form), HandleText(client)};
  };
  const Arguments guessedKey = [](HWND form, HWND client, DWORD, HWND) {
    return std::vector<std::string>{"send", HandleText(form), HandleText(client), "1028"};
  };
  const Arguments forgedReply = [](HWND, HWND client, DWORD, HWND) {
    return std::vector<std::string>{"send", HandleText(client), "self", "1025"};
  };
  const Arguments quit = [](HWND, HWND, DWORD thread, HWND) {
    return std::vector<std::string>{"quit", std::to_string(thread)};
  };
  const Arguments closeApplication = [](HWND, HWND, DWORD, HWND application) {
    return std::vector<std::string>{"post", HandleText(application), std::to_string(WM_CLOSE)};
  };
  const Arguments button1 = [](HWND form, HWND, DWORD, HWND) {
    return std::vector<std::string>{"post", HandleText(form), std::to_string(WM_COMMAND),
                                    std::to_string(MAKEWPARAM(1, BN_CLICKED)),
                                    HandleText(GetDlgItem(form, 1))};
  };
  const struct {
    const char* label;
    bool key;
    When when;
    Arguments arguments;
    DWORD exitCode;  // the foreign program's
    Outcome outcome;
  } kCases[] = {
      {"a request from its own window", true, Waiting, hostForm({"send", "self"}), 0, Outcome::Accepted},
      {"a request from its own window to a server without a key", false, Waiting, hostForm({"send", "self"}), 0,
       Outcome::Accepted},
      {"a request in the client's name", true, Waiting, inClientsName, 0, Outcome::Accepted},
      {"a request with a guessed key", true, Waiting, guessedKey, 0, Outcome::Accepted},
      {"a request in the client's name", true, DuringDialog, inClientsName, 0, Outcome::Accepted},
      {"a request in the name of a client without a key", false, DuringDialog, inClientsName, 0, Outcome::Accepted},
      {"a reply sent to the client by another window", true, DuringDialog, forgedReply, 0, Outcome::Accepted},
      {"WM_CLOSE to the host form", true, DuringDialog, hostForm({"post", std::to_string(WM_CLOSE)}), 0,
       Outcome::Accepted},
      {"WM_CLOSE to the application window", true, DuringDialog, closeApplication, 0, Outcome::Accepted},
      {"WM_QUIT to the server's thread", true, DuringDialog, quit, 0, Outcome::Accepted},
      {"Button1 pressed", true, Waiting, button1, 0, Outcome::Accepted},
      {"Button1 pressed", true, DuringDialog, button1, 0, Outcome::Accepted},
      {"the host form renamed", true, Waiting, hostForm({"settext", "Evil"}), 0, Outcome::Accepted},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(std::string(c.label) + (c.when == Waiting ? ", while waiting" : ", during the dialog"));
    useRequestKey_ = c.key;
    log_.clear();
    Start("TOpenDialog");
    ASSERT_FALSE(HasFatalFailure());
    auto foreign = [&] {
      const HWND application = FindThreadWindow(client_->serverThreadId(), protocol::kApplicationClass);
      ProgramRun program(ProgramDirectory() + "foreign_sender.exe",
                         c.arguments(client_->hostForm(), client_->window(), client_->serverThreadId(), application));
      // The client's window takes what is sent to it meanwhile.
      for (int i = 0; i < 500 && WaitForSingleObject(program.process(), 0) == WAIT_TIMEOUT; ++i) client_->pump(20);
      EXPECT_EQ(c.exitCode, program.wait().exitCode);
      client_->pump(300);
      // Nothing opened for it: only the client's own dialog, if any, is on screen.
      int dialogs = 0;
      for (HWND window : ThreadWindows(client_->serverThreadId())) dialogs += IsWindowVisible(window) ? 1 : 0;
      EXPECT_EQ(c.when == DuringDialog && c.outcome == Outcome::Accepted ? 1 : 0, dialogs);
    };
    bool done = false;
    idleHook_ = [&] {
      if (!done && c.when == DuringDialog && FindOwnedDialog(client_->serverThreadId(), client_->window())) {
        done = true;
        foreign();
      }
    };
    if (c.when == Waiting) foreign();
    EXPECT_EQ("GetOpenFileName", WindowText(client_->hostForm()));
    Steps("file=a.txt,ok");
    RunResult result = client_->run(request);
    idleHook_ = nullptr;
    EXPECT_EQ(c.outcome, result.outcome) << result.failure << "\n" << log_;
    EXPECT_EQ(c.outcome == Outcome::Accepted ? accepted : cancelled, result.text);
    EXPECT_EQ((std::vector<uint32_t>{1024, 1027, c.outcome == Outcome::Accepted ? 1025u : 1026u}), Codes());
    ExpectServerEndsWithZero();
  }
}

// A run request that comes while the client's own dialog runs, from the client's own window:
// answered 0, nothing opens, and one reply follows, the dialog's.
TEST_F(ServerTest, ASecondRequestDuringTheDialogIsAnsweredZero) {
  useRequestKey_ = false;
  LRESULT answer = -1;
  idleHook_ = [&] {
    if (answer == -1 && FindOwnedDialog(client_->serverThreadId(), client_->window()))
      SendCopyDataTimeout(client_->hostForm(), client_->window(), protocol::kRunRequest,
                          "object Y: TOpenDialog\r\nend\r\n", 10000, &answer);
  };
  RunResult result = RunServer("TOpenDialog", Text({"object X: TOpenDialog", "end"}), "wait=300,cancel");
  EXPECT_EQ(0, answer);
  EXPECT_EQ(Outcome::Cancelled, result.outcome) << result.failure << "\n" << log_;
  EXPECT_EQ(Text({"object X: TOpenDialog", "  FileEditStyle = fsEdit", "end"}), result.text);
  EXPECT_EQ((std::vector<uint32_t>{1024, 1027, 1026}), Codes());
  ExpectServerEndsWithZero();
}

// --- Failed requests -------------------------------------------------------------------------

TEST_F(ServerTest, FailedRequestsAreReportedAndTheServerKeepsRunning) {
  const struct {
    const char* className;
    std::string request;
    std::string report;
    LRESULT answer = 0;  // a failure after the release: the request was answered 1 before it
    std::vector<uint32_t> codes = {protocol::kReadyNotice};
  } kCases[] = {
      {"TNoSuchDialog", Text({"object X: TOpenDialog", "end"}), "Class TNoSuchDialog not found."},
      {"TOpenDialog", Text({"object Button1: TOpenDialog", "end"}), "A component named Button1 already exists."},
      {"TOpenDialog", Text({"object openDIALOG1: TOpenDialog", "end"}),
       "A component named openDIALOG1 already exists."},
      {"TOpenDialog", Text({"object X: TOpenDialog", "  Title 'x'", "end"}), "''='' expected on line 2."},
      {"TOpenDialog", Text({"object X: TOpenDialog", "  Colour = 1", "end"}),
       "Error reading X.Colour: Property does not exist."},
      {"TSaveDialog", "", "OBJECT expected on line 1."},
      {"TColorDialog", Text({"object X: TColorDialog", "  CustomColors.Strings = (", "    'ColorA=12G')", "end"}),
       "'$12G' is not a valid integer value.", 1, {protocol::kReadyNotice, protocol::kRunningNotice}},
  };
  for (const auto& c : kCases) {
    Start(c.className);
    RunResult result = client_->run(c.request);
    EXPECT_EQ(Outcome::NoReply, result.outcome) << c.report;
    EXPECT_EQ(c.answer, result.answer) << c.report;
    EXPECT_EQ(c.report, result.failure);
    EXPECT_EQ("dlgserver", client_->failureCaption()) << c.report;
    ExpectStillRunning();
    EXPECT_EQ(c.codes, Codes()) << c.report << ": no reply may follow the failure";
    // A request that failed before its dialog opened leaves the server waiting for the next;
    // one that failed after the release ended the server's only run.
    Steps("cancel");
    RunResult again = client_->run(Text({"object Y: TOpenDialog", "end"}));
    const bool served = c.answer == 0 && std::string(c.className) != "TNoSuchDialog";
    EXPECT_EQ(served ? 1 : 0, again.answer) << c.report << ": " << again.failure;
  }
}

TEST_F(ServerTest, KnownClassWithoutDialogKindIsAnsweredZeroWithoutReport) {
  for (const char* className : {"TCommonDialog", "TComponent", "tcommondialog"}) {
    Start(className);
    RunResult result = client_->run(Text({"object X: TOpenDialog", "end"}));
    EXPECT_EQ(Outcome::NoReply, result.outcome) << className;
    EXPECT_EQ(0, result.answer) << className;
    EXPECT_EQ(0u, client_->failureReports().size()) << className << ": " << client_->failure();
    ExpectStillRunning();
    EXPECT_EQ(std::vector<uint32_t>{protocol::kReadyNotice}, Codes()) << className;
  }
}

// --- Accepted and cancelled runs ---------------------------------------------------------------

// With the warm-up off, and with the request arriving past the warm-up's grace, while its
// thread is at work: the same reply in the same time.
TEST_F(ServerTest, AcceptedOpenDialogRepliesWithTheChosenFileThenEnds) {
  for (const char* style : kFileDialogStyles)
  for (const bool warmUp : {false, true}) {
    FileDialogStyle use(style);
    SCOPED_TRACE(warmUp ? "request during the warm-up" : "no warm-up");
    SetEnvironmentVariableA("DLG_NO_WARMUP", warmUp ? nullptr : "1");
    const std::string dir = TestFiles().dir();
    Start("TOpenDialog");
    ASSERT_FALSE(HasFatalFailure());
    if (warmUp) Sleep(50);
    Steps("file=a.txt,ok");
    const double start = MonotonicMs();
    RunResult result = client_->run(Text({"object OpenDialog2: TOpenDialog", "  Filter = 'Text|*.txt|All|*.*'",
                                          "  InitialDir = '" + dir + "\\'", "  Title = 'Pick one'", "end"}));
    EXPECT_LT(MonotonicMs() - start, 10000.0);
    SetEnvironmentVariableA("DLG_NO_WARMUP", nullptr);
    EXPECT_EQ(Outcome::Accepted, result.outcome) << result.failure << "\n" << log_;
    EXPECT_EQ(1, result.answer);
    EXPECT_EQ(Text({"object OpenDialog2: TOpenDialog", "  FileEditStyle = fsEdit", "  FileName = '" + dir + "\\a.txt'",
                    "  Filter = 'Text|*.txt|All|*.*'", "  InitialDir = '" + dir + "'", "  Title = 'Pick one'", "end"}),
              result.text);
    EXPECT_EQ((std::vector<uint32_t>{1024, 1027, 1025}), Codes());
    ASSERT_EQ(3u, client_->received().size());
    EXPECT_EQ("", client_->received()[1].data) << "running notice carries no data";
    EXPECT_EQ(client_->hostForm(), client_->received()[1].sender);
    EXPECT_EQ(client_->hostForm(), client_->received()[2].sender);
    EXPECT_EQ(result.text.size(), client_->received()[2].data.size()) << "cbData is the text's length";
    EXPECT_EQ("Pick one|", dialogCaption_);
    EXPECT_EQ(std::string(style) == "modern", modernDialog_) << "the modern dialog shown";
    EXPECT_EQ(client_->window(), dialogOwner_) << "the dialog is owned by the client's window";
    ExpectServerEndsWithZero();
  }
}

TEST_F(ServerTest, ObjectNamedAfterTheHostFormIsRenamed) {
  RunResult result = RunServer("TOpenDialog", Text({"object DialogForm: TOpenDialog", "end"}), "cancel");
  EXPECT_EQ(Outcome::Cancelled, result.outcome) << result.failure;
  EXPECT_EQ(Text({"object DialogForm_1: TOpenDialog", "  FileEditStyle = fsEdit", "end"}), result.text);
}

// Every file dialog is centred: the Explorer one in both styles, and the old-style one.
TEST_F(ServerTest, FileDialogsAreCentredOnTheScreen) {
  const struct {
    const char* style;
    const char* options;
    bool modern;
  } kCases[] = {{"classic", "[]", false}, {"modern", "[]", true}, {"classic", "[ofOldStyleDialog]", false}};
  for (const auto& c : kCases) {
    FileDialogStyle use(c.style);
    SCOPED_TRACE(std::string(c.style) + " " + c.options);
    const std::string request = Text({"object X: TOpenDialog", std::string("  Options = ") + c.options, "end"});
    RunResult result = RunServer("TOpenDialog", request, "wait=300,cancel");
    EXPECT_EQ(Outcome::Cancelled, result.outcome) << result.failure;
    EXPECT_EQ(c.modern, modernDialog_) << "the modern dialog shown";
    EXPECT_EQ("|", dialogCaption_) << "an empty Title is the caption in every style";
    int width = dialogRect_.right - dialogRect_.left, height = dialogRect_.bottom - dialogRect_.top;
    ASSERT_GT(width, 0);
    EXPECT_EQ((GetSystemMetrics(SM_CXSCREEN) - width) / 2, dialogRect_.left);
    EXPECT_EQ((GetSystemMetrics(SM_CYSCREEN) - height) / 3, dialogRect_.top);
  }
}

// --- Requests and replies larger than the platform carries ----------------------------------

// Under Wine the request lies on the server's stack while its dialog runs: a request at the
// limit runs in the dialogs that need the most stack, and one beyond it, which the client
// library never sends, is refused by the server with the client's own text, the server alive.
TEST_F(ServerTest, RequestsUpToTheLimitRunAndTheServerRefusesLargerOnes) {
  const size_t limit = CopyDataLimit();
  ASSERT_EQ(kWineCopyDataLimit, limit) << "these sizes are Wine's";
  const struct {
    const char* style;
    const char* className;
    std::string request;
  } kRuns[] = {
      {"classic", "TFSL16OpenDialog", FslHistoryRequest(limit)},
      {"modern", "TFSL16OpenDialog", FslHistoryRequest(limit)},
      {"modern", "TOpenDialog", HistoryRequest(limit, true)},
  };
  for (const auto& c : kRuns) {
    FileDialogStyle use(c.style);
    SCOPED_TRACE(c.className);
    log_.clear();
    RunResult result = RunServer(c.className, c.request, "wait=300,cancel");
    EXPECT_EQ(Outcome::Cancelled, result.outcome) << result.failure << "\n" << log_;
    EXPECT_EQ(std::string(c.style) == "modern", modernDialog_) << "the modern dialog shown";
    EXPECT_EQ(c.request.size(), result.text.size());
    EXPECT_TRUE(c.request == result.text) << "the reply is not the request";
    ExpectServerEndsWithZero();
  }
  useRequestKey_ = false;
  for (size_t size : {limit + 1, size_t{2050000}, size_t{2100000}}) {
    SCOPED_TRACE(size);
    Start("TFSL16OpenDialog");
    LRESULT answer = -1;
    ASSERT_TRUE(client_->send(protocol::kRunRequest, FslHistoryRequest(size), &answer));
    EXPECT_EQ(0, answer);
    EXPECT_EQ(RequestTooLargeText(size, limit) + ".", client_->failure());
    ExpectStillRunning();
    EXPECT_EQ(std::vector<uint32_t>{protocol::kReadyNotice}, Codes());
  }
}

// --- Open and save dialogs -----------------------------------------------------------------------

TEST_F(ServerTest, FileDialogAnswersAreWrittenBack) {
  const std::string dir = TestFiles().dir();
  const std::string start = "object X: TOpenDialog";
  const DialogCase kCases[] = {
      {"explorer multi-select", "TOpenDialog",
       {"  Options = [ofAllowMultiSelect]", "  InitialDir = '" + dir + "'"}, "file=\"b.txt\" \"a.txt\",ok",
       Outcome::Accepted,
       {"  FileEditStyle = fsEdit", "  FileName = '" + dir + "\\b.txt'", "  FilterIndex = 0",
        "  InitialDir = '" + dir + "'", "  Options = [ofAllowMultiSelect]"}},
      {"explorer multi-select in the drive root", "TOpenDialog",
       {"  Options = [ofAllowMultiSelect]", "  InitialDir = 'C:\\'"},
       "file=\"" + TestFiles().rootName("b") + "\" \"" + TestFiles().rootName("a") + "\",ok", Outcome::Accepted,
       {"  FileEditStyle = fsEdit", "  FileName = 'C:\\" + TestFiles().rootName("b") + "'", "  FilterIndex = 0",
        "  InitialDir = 'C:\\'", "  Options = [ofAllowMultiSelect]"}},
      {"name with blanks, old style", "TOpenDialog",
       {"  Options = [ofOldStyleDialog]", "  InitialDir = '" + dir + "\\My Data'"}, "file=a b.txt,ok",
       Outcome::Accepted,
       {"  FileEditStyle = fsEdit", "  FileName = '" + dir + "\\My Data\\a b.txt'",
        "  InitialDir = '" + dir + "\\My Data'", "  Options = [ofOldStyleDialog]"}},
      {"a TCommonDialog child is read and dropped", "TOpenDialog",
       {"  InitialDir = '" + dir + "'", "  object Child: TCommonDialog", "    HelpContext = 5", "  end"},
       "file=a.txt,ok", Outcome::Accepted,
       {"  FileEditStyle = fsEdit", "  FileName = '" + dir + "\\a.txt'", "  FilterIndex = 0",
        "  InitialDir = '" + dir + "'"}},
      {"read-only box and filter index", "TOpenDialog",
       {"  Filter = 'Text|*.txt|Data|*.dat|All|*.*'", "  InitialDir = '" + dir + "'"},
       "readonly,filter=2,file=c.dat,ok", Outcome::Accepted,
       {"  FileEditStyle = fsEdit", "  FileName = '" + dir + "\\c.dat'", "  Filter = 'Text|*.txt|Data|*.dat|All|*.*'",
        "  FilterIndex = 2", "  InitialDir = '" + dir + "'", "  Options = [ofReadOnly]"}},
      {"read-only option removed when the box is clear", "TOpenDialog",
       {"  InitialDir = '" + dir + "'", "  Options = [ofReadOnly]"}, "noreadonly,file=a.txt,ok",
       Outcome::Accepted,
       {"  FileEditStyle = fsEdit", "  FileName = '" + dir + "\\a.txt'", "  FilterIndex = 0",
        "  InitialDir = '" + dir + "'"}},
      {"save over an existing file, prompt answered yes", "TSaveDialog",
       {"  InitialDir = '" + dir + "'", "  Options = [ofOverwritePrompt]"}, "file=a.txt,ok,yes", Outcome::Accepted,
       {"  FileEditStyle = fsEdit", "  FileName = '" + dir + "\\a.txt'", "  FilterIndex = 0",
        "  InitialDir = '" + dir + "'", "  Options = [ofOverwritePrompt]"}},
      {"save cancelled: the object as it came", "TSaveDialog",
       {"  DefaultExt = 'html'", "  FileName = 'keep.txt'", "  FilterIndex = 2", "  InitialDir = '" + dir + "'",
        "  Options = [ofReadOnly, ofHideReadOnly]"},
       "file=b.txt,cancel", Outcome::Cancelled,
       {"  DefaultExt = 'html'", "  FileEditStyle = fsEdit", "  FileName = 'keep.txt'", "  FilterIndex = 2",
        "  InitialDir = '" + dir + "'", "  Options = [ofReadOnly, ofHideReadOnly]"}},
      {"save, overwrite refused, then cancelled", "TSaveDialog",
       {"  InitialDir = '" + dir + "'", "  Options = [ofOverwritePrompt]"}, "file=a.txt,ok,no,cancel",
       Outcome::Cancelled,
       {"  FileEditStyle = fsEdit", "  InitialDir = '" + dir + "'", "  Options = [ofOverwritePrompt]"}},
      {"save a new file", "TSaveDialog", {"  InitialDir = '" + dir + "'", "  DefaultExt = 'txt'"}, "file=new,ok",
       Outcome::Accepted,
       {"  DefaultExt = 'txt'", "  FileEditStyle = fsEdit", "  FileName = '" + dir + "\\new.txt'",
        "  FilterIndex = 0", "  InitialDir = '" + dir + "'"}},
      {"save over a file of another extension than the default: the name as typed, after the prompt", "TSaveDialog",
       {"  InitialDir = '" + dir + "'", "  DefaultExt = 'txt'", "  Options = [ofOverwritePrompt]"}, "file=c.dat,ok,yes",
       Outcome::Accepted,
       {"  DefaultExt = 'txt'", "  FileEditStyle = fsEdit", "  FileName = '" + dir + "\\c.dat'", "  FilterIndex = 0",
        "  InitialDir = '" + dir + "'", "  Options = [ofOverwritePrompt]"}},
      // The servers start in C:\ (this program's current folder, set below).
      {"initial folder relative to the current one", "TOpenDialog", {"  InitialDir = '" + dir.substr(3) + "'"},
       "select=a.txt,ok", Outcome::Accepted,
       {"  FileEditStyle = fsEdit", "  FileName = '" + dir + "\\a.txt'", "  FilterIndex = 0",
        "  InitialDir = '" + dir.substr(3) + "'"}},
      // The same rule in both styles: where the classic dialog's answer is the platform's.
      {"a filter index past the last filter: the first", "TOpenDialog",
       {"  Filter = 'Text|*.txt|All|*.*'", "  FilterIndex = 5", "  InitialDir = '" + dir + "'"}, "file=a.txt,ok",
       Outcome::Accepted,
       {"  FileEditStyle = fsEdit", "  FileName = '" + dir + "\\a.txt'", "  Filter = 'Text|*.txt|All|*.*'",
        "  InitialDir = '" + dir + "'"}},
      {"an extension typed, not the default one", "TSaveDialog",
       {"  DefaultExt = 'txt'", "  Filter = 'Data|*.dat|All|*.*'", "  InitialDir = '" + dir + "'"}, "file=x.dat,ok",
       Outcome::Accepted,
       {"  DefaultExt = 'txt'", "  FileEditStyle = fsEdit", "  FileName = '" + dir + "\\x.dat'",
        "  Filter = 'Data|*.dat|All|*.*'", "  InitialDir = '" + dir + "'"}},
      {"the filter's extension appended, not the default one", "TSaveDialog",
       {"  DefaultExt = 'txt'", "  Filter = 'Data|*.dat|All|*.*'", "  InitialDir = '" + dir + "'"}, "file=x,ok",
       Outcome::Accepted,
       {"  DefaultExt = 'txt'", "  FileEditStyle = fsEdit", "  FileName = '" + dir + "\\x.dat'",
        "  Filter = 'Data|*.dat|All|*.*'", "  InitialDir = '" + dir + "'", "  Options = [ofExtensionDifferent]"}},
      // Without a folder the dialog opens where this program last chose a file: the row before.
      {"a file chosen in a folder of its own", "TOpenDialog", {"  InitialDir = '" + dir + "\\My Data'"},
       "file=a b.txt,ok", Outcome::Accepted,
       {"  FileEditStyle = fsEdit", "  FileName = '" + dir + "\\My Data\\a b.txt'", "  FilterIndex = 0",
        "  InitialDir = '" + dir + "\\My Data'"}},
      {"no folder asked: the folder last chosen in", "TOpenDialog", {}, "file=a b.txt,ok", Outcome::Accepted,
       {"  FileEditStyle = fsEdit", "  FileName = '" + dir + "\\My Data\\a b.txt'", "  FilterIndex = 0"}},
      {"read-only asked with the box hidden", "TOpenDialog",
       {"  InitialDir = '" + dir + "'", "  Options = [ofReadOnly, ofHideReadOnly]"}, "file=a.txt,ok", Outcome::Accepted,
       {"  FileEditStyle = fsEdit", "  FileName = '" + dir + "\\a.txt'", "  FilterIndex = 0",
        "  InitialDir = '" + dir + "'", "  Options = [ofReadOnly, ofHideReadOnly]"}},
  };
  char current[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, current);
  SetCurrentDirectoryA("C:\\");
  for (const char* style : kFileDialogStyles) {
    FileDialogStyle use(style);
    for (const DialogCase& c : kCases) ExpectReply(c);
  }
  SetCurrentDirectoryA(current);
}

// An association file named as a pipe is never opened: the lookup reads it as a missing file,
// and the pipe's server sees no connection while a file is selected in the FSL dialog.
TEST_F(ServerTest, AnIniFileThatNamesAPipeIsNeverOpened) {
  const std::string pipeName = "\\\\.\\pipe\\dlg-e2e-" + std::to_string(GetCurrentProcessId());
  HANDLE pipe = CreateNamedPipeA(pipeName.c_str(), PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED, PIPE_TYPE_BYTE, 1, 4096,
                                 4096, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, pipe);
  OVERLAPPED connect{};
  connect.hEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  ASSERT_FALSE(ConnectNamedPipe(pipe, &connect));
  ASSERT_EQ(static_cast<DWORD>(ERROR_IO_PENDING), GetLastError());
  const std::string dir = TestFiles().dir();
  RunResult result = RunServer("TFSL16OpenDialog",
                         Text({"object X: TFSL16OpenDialog", "  FileName = '" + dir + "\\a.txt'",
                               "  InitialDir = '" + dir + "'", "  IniFile = '" + pipeName + "'", "end"}),
                         "select=b.txt,select=a.txt,wait=300,cancel");
  EXPECT_EQ(Outcome::Cancelled, result.outcome) << result.failure << "\n" << log_;
  EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), WaitForSingleObject(connect.hEvent, 0)) << "the server opened the pipe";
  CancelIo(pipe);
  CloseHandle(connect.hEvent);
  CloseHandle(pipe);
}

// The style comes from dlgserver.ini beside the server, the environment wins, and a request the
// modern dialog cannot honour runs the classic one. The server runs from a copy in a folder of
// its own here, so that its settings file changes no other test's server.
TEST_F(ServerTest, FileDialogStyleIsChosenBesideTheServerAndFallsBackForClassicOnlyRequests) {
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  const std::string source = std::string(self).substr(0, std::string(self).find_last_of('\\') + 1) + "dlgserver.exe";
  const std::string folder = TempPath("style");
  CreateDirectoryA(folder.c_str(), nullptr);
  serverPath_ = folder + "\\dlgserver.exe";
  ASSERT_TRUE(CopyFileA(source.c_str(), serverPath_.c_str(), FALSE)) << source;
  const std::string settings = folder + "\\dlgserver.ini";
  const struct {
    const char* settings;     // the file's Style line; null: no file
    const char* environment;  // null: not set
    const char* options;
    bool modern;
  } kCases[] = {
      {nullptr, nullptr, "[]", false},
      {"Style=modern", nullptr, "[]", true},
      {"Style=MODERN", nullptr, "[ofHideReadOnly]", true},
      {"Style=classic", nullptr, "[]", false},
      {"Style=modern", "classic", "[]", false},
      {nullptr, "modern", "[]", true},
      {nullptr, "Modern", "[ofShowHelp]", false},
      {"Style=modern", nullptr, "[ofOldStyleDialog]", false},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(std::string(c.settings ? c.settings : "no file") + ", " + (c.environment ? c.environment : "unset") +
                 ", " + c.options);
    DeleteFileA(settings.c_str());
    if (c.settings) WriteWholeFile(settings, std::string("[FileDialogs]\r\n") + c.settings + "\r\n");
    SetEnvironmentVariableA("DLG_FILE_DIALOG_STYLE", c.environment);
    RunResult result = RunServer("TOpenDialog", Text({"object X: TOpenDialog", std::string("  Options = ") + c.options, "end"}),
                           "wait=300,cancel");
    EXPECT_EQ(Outcome::Cancelled, result.outcome) << result.failure << "\n" << log_;
    EXPECT_EQ(c.modern, modernDialog_);
    ExpectServerEndsWithZero();
  }
  SetEnvironmentVariableA("DLG_FILE_DIALOG_STYLE", nullptr);
  DeleteFileA(settings.c_str());
  DeleteFileA(serverPath_.c_str());
  RemoveDirectoryA(folder.c_str());
}

// --- Colour and font dialogs ----------------------------------------------------------------

// The custom colour list after an accepted colour dialog: `head` as it was, then every entry it
// lacked, ColorA to ColorP in order, unset ones as eight F digits.
std::vector<std::string> CustomColorLines(const std::vector<std::string>& head) {
  std::vector<std::string> lines{"  CustomColors.Strings = ("};
  for (const std::string& line : head) lines.push_back("    '" + line + "'");
  for (char tag = 'A'; tag <= 'P'; ++tag) {
    std::string name = std::string("Color") + tag;
    bool present = false;
    for (const std::string& line : head) present = present || line.rfind(name + "=", 0) == 0;
    if (!present) lines.push_back("    '" + name + "=FFFFFFFF'");
  }
  lines.back() += ")";
  return lines;
}

std::vector<std::string> Join(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TEST_F(ServerTest, ColourAndFontDialogsReturnTheChoice) {
  const std::string btnFace = "  Color = " + std::to_string(GetSysColor(COLOR_BTNFACE));
  const std::vector<std::string> customRequest = {"  Color = clBtnFace", "  CustomColors.Strings = (",
                                                  "    'x=1'", "    'colorb=123456')"};
  const std::vector<std::string> font = {"  Font.Name = 'Tahoma'", "  Font.Height = -16",
                                         "  Options = [fdEffects, fdApplyButton]"};
  const std::vector<std::string> fontTail = {"  MinFontSize = 0", "  MaxFontSize = 0",
                                             "  Options = [fdEffects, fdApplyButton]"};
  const DialogCase kCases[] = {
      {"colour: a system colour comes back as its RGB value, 16 custom colours", "TColorDialog",
       {"  Color = clBtnFace"}, "ok", Outcome::Accepted, Join({"  Ctl3D = True", btnFace}, CustomColorLines({}))},
      {"colour: a basic colour; entries rewritten in place", "TColorDialog", customRequest, "basic=5,ok",
       Outcome::Accepted, Join({"  Ctl3D = True", "  Color = 16744448"}, CustomColorLines({"x=1", "ColorB=123456"}))},
      {"colour: typed red, green and blue", "TColorDialog", {"  Color = clRed"}, "rgb=102030,ok", Outcome::Accepted,
       Join({"  Ctl3D = True", "  Color = 3153936"}, CustomColorLines({}))},
      {"colour: cancelled, returned as received", "TColorDialog", customRequest, "basic=5,cancel",
       Outcome::Cancelled,
       {"  Ctl3D = True", "  Color = clBtnFace", "  CustomColors.Strings = (", "    'x=1'", "    'colorb=123456')"}},
      {"font: face, style, size and colour as chosen", "TFontDialog", font,
       "face=Courier,style=Bold,size=20,fontcolor=1,ok", Outcome::Accepted,
       Join({"  Font.Color = clMaroon", "  Font.Height = -27", "  Font.Name = 'Courier'", "  Font.Style = [fsBold]"},
            fontTail)},
      {"font: applied, then cancelled: the applied font comes back", "TFontDialog", font, "style=Bold,apply,cancel",
       Outcome::Cancelled,
       Join({"  Font.Color = clWindowText", "  Font.Height = -16", "  Font.Name = 'Tahoma'", "  Font.Style = [fsBold]"},
            fontTail)},
  };
  for (const DialogCase& c : kCases) ExpectReply(c);
}

// --- Print dialogs (over the prefix's test printer and a queue of the host) ------------------

// A print row: the dialog case, the printer the dialog ends on, and the reason a step could not
// be applied ("" for none).
struct PrintCase {
  DialogCase dialog;
  std::string endsOn;
  std::string stepFailure;
};

// Where the print dialogs say a printer is: the test printer on its file port, a host's queue
// on the print system's.
std::string PortOf(const std::string& printer) { return printer == kTestPrinter ? "FILE:" : "CUPS:" + printer; }

// The server opens the dialogs on the default printer: the test printer, then the host's first
// queue where it has one, each made the default in turn; the steps choose the other printer.
TEST_F(ServerTest, PrintDialogsReturnTheChoice) {
  const std::vector<std::string> queues = HostQueues();
  if (!ExpectedHostQueues().empty()) {
    EXPECT_EQ(ExpectedHostQueues(), queues);
  }
  std::vector<std::string> listed = queues;
  listed.push_back(kTestPrinter);
  std::sort(listed.begin(), listed.end(), [](const std::string& a, const std::string& b) {
    return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1) == CSTR_LESS_THAN;
  });
  std::string listText;
  for (const std::string& name : listed) listText += (listText.empty() ? "" : ", ") + name;

  const std::vector<std::string> request = {"  Copies = 3", "  MinPage = 1", "  MaxPage = 9", "  Options = [poPageNums]"};
  std::vector<std::string> collated = request;
  collated.insert(collated.begin(), "  Collate = True");
  std::vector<std::string> defaults{kTestPrinter};
  if (!queues.empty()) defaults.push_back(queues.front());
  for (const std::string& printer : defaults) {
    SCOPED_TRACE("default printer " + printer);
    DefaultPrinter chosen(printer);
    ASSERT_TRUE(chosen.made());
    const std::string other = printer == kTestPrinter && !queues.empty() ? queues.front() : kTestPrinter;
    const PrintCase kCases[] = {
        {{"print: Copies 3 accepted unchanged", "TPrintDialog", request, "printer=" + printer + ",ok",
          Outcome::Accepted,
          {"  Copies = 3", "  FromPage = 1", "  MinPage = 1", "  MaxPage = 9", "  Options = [poPageNums]",
           "  ToPage = 1"}}, printer, ""},
        {{"print: the copies and pages typed", "TPrintDialog", request, "copies=4,pages=2-5,ok", Outcome::Accepted,
          {"  Copies = 4", "  FromPage = 2", "  MinPage = 1", "  MaxPage = 9", "  Options = [poPageNums]",
           "  PrintRange = prPageNums", "  ToPage = 5"}}, printer, ""},
        // Another printer starts with its own settings: the copies are typed after it.
        {{"print: another printer, its copies, collation and pages", "TPrintDialog", collated,
          "printer=" + other + ",copies=2,pages=3-4,ok", Outcome::Accepted,
          {"  Collate = True", "  Copies = 2", "  FromPage = 3", "  MinPage = 1", "  MaxPage = 9",
           "  Options = [poPageNums]", "  PrintRange = prPageNums", "  ToPage = 4"}}, other, ""},
        {{"print: cancelled, returned as received", "TPrintDialog", request, "copies=4,pages=2-5,cancel",
          Outcome::Cancelled, request}, printer, ""},
        {{"print: a printer not listed stops the steps", "TPrintDialog", request, "copies=4,printer=No Such,ok",
          Outcome::Cancelled, request}, printer,
         "step 'printer=No Such': not in the printer list (listed: " + listText + ")"},
        {{"printer set-up: only the common properties", "TPrinterSetupDialog", {"  HelpContext = 7"}, "ok",
          Outcome::Accepted, {"  HelpContext = 7"}}, printer, ""},
        {{"printer set-up: another printer, landscape", "TPrinterSetupDialog", {"  HelpContext = 7"},
          "printer=" + other + ",orientation=landscape,ok", Outcome::Accepted, {"  HelpContext = 7"}}, other, ""},
    };
    for (const PrintCase& c : kCases) {
      shownPrinter_.clear();
      printerWhere_.clear();
      ExpectReply(c.dialog);
      EXPECT_EQ(printer, shownPrinter_) << c.dialog.label << ": the printer the dialog opened on";
      EXPECT_EQ(PortOf(c.endsOn), printerWhere_) << c.dialog.label << ": where the printer it ended on is";
      EXPECT_EQ(c.stepFailure, driver_->failure()) << c.dialog.label;
    }
  }
}

// --- Find dialog ----------------------------------------------------------------------------

TEST_F(ServerTest, FindRequestIsAnsweredAtOnceAndTheServerEnds) {
  Start("TFindDialog");
  const std::string longText(300, 'x');
  RunResult result = client_->run(
      Text({"object F: TFindDialog", "  FindText = '" + longText + "'", "  Options = [frDown, frHideMatchCase]", "end"}));
  EXPECT_EQ(Outcome::Accepted, result.outcome) << result.failure << "\n" << log_;
  EXPECT_EQ(Text({"object F: TFindDialog", "  FindText = '" + longText.substr(0, 255) + "'",
                  "  Options = [frDown, frHideMatchCase]", "end"}),
            result.text);
  // The find window is closed with the object: nothing keeps the server alive.
  ExpectServerEndsWithZero();
}

}  // namespace
