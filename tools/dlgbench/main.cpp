// dlgbench: how fast dlgserver.exe starts and answers, what it costs while it waits, and how
// big it is, each beside a yardstick where there is one:
//   start to ready notice, against ready_only.exe (creates one hidden window, sends the notice)
//   processor time of the server during a 5-second wait for a request
//   run request to running notice and to the dialog being visible
//   launch to accepted reply of an open dialog accepted at once, against inproc_open.exe (the
//   same dialog run in-process)
//   the first dialog, from the decision to show it to the dialog visible: dlgserver.exe left
//   idle for a while after its host form appeared, and sent the request the moment it appeared,
//   each with and without its warm-up, against inproc_first.exe (a running program, idle with
//   its window up, that loads comdlg32 and shows the same dialog)
//   the server's memory while it waits, with and without its warm-up
//   (`styles`) the first dialog in the modern file dialog style, against the classic style and
//   against inproc_first.exe showing the modern dialog
//   (`against SERVER`) the round trip and the first dialog, against another build of the server
//   the size of dlgserver.exe and its symbol table
// Run it under Wine with scripts/bench-server.sh. Figures are printed, never judged; the load
// average printed with them says how busy the machine was.
//
// Dialogs are closed by one DialogWatch for every program: it presses the button the moment
// the dialog is first seen visible, as AutoDriver's ok and cancel steps do but without their
// settling pause, so the accepted round trip has no fixed wait in it on either side.
#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "client/dialog_client.h"
#include "platform/process.h"
#include "platform/window_query.h"
#include "server/protocol.h"

#include <psapi.h>  // after <windows.h>, which platform/win32.h includes

using namespace dlg;  // the client library

namespace {

struct Stats {
  std::vector<double> values;
  double median() const {
    std::vector<double> v = values;
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
  }
  double min() const { return values.empty() ? 0 : *std::min_element(values.begin(), values.end()); }
  double max() const { return values.empty() ? 0 : *std::max_element(values.begin(), values.end()); }
};

double ReadyTime(const std::string& program) {
  DialogClient::Options options;
  options.serverPath = program;
  options.readyTimeoutMs = 20000;
  DialogClient client(options);
  double start = MonotonicMs();
  if (!client.launch("TOpenDialog") || !client.waitReadyNotice()) return -1;
  for (const ReceivedCopyData& data : client.received())
    if (data.code == protocol::kReadyNotice) return data.atMs - start;
  return -1;
}

double CpuMs(HANDLE process) {
  FILETIME created, ended, kernel, user;
  if (!GetProcessTimes(process, &created, &ended, &kernel, &user)) return -1;
  auto ms = [](FILETIME t) { return (static_cast<double>(t.dwHighDateTime) * 4294967296.0 + t.dwLowDateTime) / 1e4; };
  return ms(kernel) + ms(user);
}

std::string ReadWholeFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

// The /proc directory ("Z:\proc\N\"; drive Z: is the Unix root) of the Unix process behind a
// Wine program, found by a text its command line contains; empty when not found. Wine's own
// GetProcessTimes does not count everything a Wine process spends.
std::string UnixProcessDir(const std::string& program, const std::string& marker) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA("Z:\\proc\\*", &found);
  if (search == INVALID_HANDLE_VALUE) return "";
  std::string result;
  do {
    std::string name = found.cFileName;
    if (name.find_first_not_of("0123456789") != std::string::npos) continue;
    std::string dir = "Z:\\proc\\" + name + "\\";
    std::string text = ReadWholeFile(dir + "cmdline");
    for (char& c : text)
      if (c == '\0') c = ' ';
    if (text.find(program) != std::string::npos && text.find(" " + marker) != std::string::npos) {
      result = dir;
      break;
    }
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return result;
}

// User and system time of that Unix process, or -1.
double UnixCpuMs(const std::string& dir) {
  if (dir.empty()) return -1;
  std::string stat = ReadWholeFile(dir + "stat");
  size_t close = stat.rfind(')');
  if (close == std::string::npos) return -1;
  std::istringstream fields(stat.substr(close + 2));
  std::string field;
  double ticks = 0;
  for (int i = 3; fields >> field; ++i)
    if (i == 14 || i == 15) ticks += std::stod(field);
  return ticks * 1000.0 / 100.0;  // USER_HZ
}

// Its resident memory (VmRSS) in KiB, or -1.
double UnixResidentKb(const std::string& dir) {
  if (dir.empty()) return -1;
  std::istringstream status(ReadWholeFile(dir + "status"));
  std::string line;
  while (std::getline(status, line))
    if (line.compare(0, 6, "VmRSS:") == 0) return std::atof(line.c_str() + 6);
  return -1;
}

// The working set Windows reports for a process, in KiB, or -1. (Wine 8 reports no private
// bytes for another process.)
double WorkingSetKb(HANDLE process) {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (!GetProcessMemoryInfo(process, &counters, sizeof counters)) return -1;
  return counters.WorkingSetSize / 1024.0;
}

// Sets an environment variable (null: removes it) for the programs started while it lives (the
// server reads DLG_NO_WARMUP at its start).
class ScopedEnvironment {
 public:
  ScopedEnvironment(const char* name, const char* value) : name_(name) { SetEnvironmentVariableA(name, value); }
  ~ScopedEnvironment() { SetEnvironmentVariableA(name_, nullptr); }
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

 private:
  const char* name_;
};

// Watches, from a helper thread every millisecond, for the visible dialog (#32770) of thread
// `threadId` owned by `owner`; notes when it is first seen and presses `button` on it.
class DialogWatch {
 public:
  DialogWatch(DWORD threadId, HWND owner, int button)
      : thread_([this, threadId, owner, button] {
          while (!stop_) {
            if (HWND dialog = FindOwnedDialog(threadId, owner)) {
              seenAt_ = MonotonicMs();
              PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                           reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
              return;
            }
            Sleep(1);
          }
        }) {}
  ~DialogWatch() {
    stop_ = true;
    thread_.join();
  }
  DialogWatch(const DialogWatch&) = delete;
  DialogWatch& operator=(const DialogWatch&) = delete;
  // MonotonicMs when the dialog was first seen, or -1.
  double seenAt() const { return seenAt_; }

 private:
  std::atomic<bool> stop_{false};
  std::atomic<double> seenAt_{-1};
  std::thread thread_;
};

// When the client first received `code`, or -1.
double ReceivedAt(const DialogClient& client, uint32_t code) {
  for (const ReceivedCopyData& data : client.received())
    if (data.code == code) return data.atMs;
  return -1;
}

// Adds `at - start` when `at` was seen.
void Add(Stats& stats, double at, double start) {
  if (at >= 0) stats.values.push_back(at - start);
}

// The open dialog both sides of the round trip show, accepted at once with its file name.
constexpr char kFileName[] = "C:\\windows\\win.ini";
constexpr char kInitialDir[] = "C:\\windows";

std::string OpenRequest() {
  return std::string("object X: TOpenDialog\r\n  FileName = '") + kFileName + "'\r\n  InitialDir = '" + kInitialDir +
         "'\r\nend\r\n";
}

// Launch to the dialog visible and to the accepted reply.
struct Trip {
  Stats visible, reply;
};

// One server round trip: launch, waitReady, run request, accepted reply; `server` empty: the
// one beside dlgbench.
void RunServerTrip(Trip& trip, const std::string& server = "") {
  DialogClient::Options options;
  options.serverPath = server;
  options.runTimeoutMs = 30000;
  DialogClient client(options);
  double start = MonotonicMs();
  if (!client.launch("TOpenDialog")) return;
  DialogWatch watch(client.serverThreadId(), client.window(), IDOK);
  if (!client.waitReady()) return;
  RunResult result = client.run(OpenRequest());
  if (result.outcome != Outcome::Accepted) return;
  Add(trip.visible, watch.seenAt(), start);
  Add(trip.reply, ReceivedAt(client, protocol::kAcceptedReply), start);
}

// The same dialog in-process: launch of inproc_open.exe to its accepted notice.
void RunInprocTrip(const std::string& program, Trip& trip) {
  DialogClient::Options options;
  options.serverPath = program;
  DialogClient client(options);
  std::string owner = HandleText(client.window());
  double start = MonotonicMs();
  if (!client.launch({owner, kFileName, kInitialDir})) return;
  DialogWatch watch(client.serverThreadId(), client.window(), IDOK);
  client.waitForExit(30000);
  double accepted = ReceivedAt(client, protocol::kAcceptedReply);
  if (accepted < 0) return;
  Add(trip.visible, watch.seenAt(), start);
  Add(trip.reply, accepted, start);
}

// How long the in-process yardstick idles with its window up before it shows its first dialog.
constexpr DWORD kInprocIdleMs = 1000;

// The first dialog of a running program: inproc_first.exe idles, then decides, loads comdlg32
// and shows the dialog; from its decision to the dialog visible, or -1.
double InprocFirstDialog(const std::string& program, bool modern = false) {
  DialogClient::Options options;
  options.serverPath = program;
  DialogClient client(options);
  std::string notify = HandleText(client.window());
  std::vector<std::string> arguments{notify, kFileName, kInitialDir, std::to_string(kInprocIdleMs)};
  if (modern) arguments.push_back("modern");
  if (!client.launch(arguments) || !client.waitReadyNotice()) return -1;
  HWND window = client.received().front().sender;  // the ready notice names the program's window
  DialogWatch watch(client.serverThreadId(), window, IDCANCEL);
  client.waitForExit(30000);
  for (const ReceivedCopyData& data : client.received())
    if (data.code == protocol::kCancelledReply && watch.seenAt() >= 0)
      return watch.seenAt() - std::atof(data.data.c_str());
  return -1;
}

// The first dialog of the server, left idle `idleMs` after its host form appeared (0: the
// request goes the moment it appears); from the run request to the dialog visible, or -1.
double ServerFirstDialog(DWORD idleMs, const char* style = nullptr, const std::string& server = "") {
  ScopedEnvironment fileDialogStyle("DLG_FILE_DIALOG_STYLE", style);
  DialogClient::Options options;
  options.serverPath = server;
  options.runTimeoutMs = 30000;
  DialogClient client(options);
  if (!client.launch("TOpenDialog")) return -1;
  DialogWatch watch(client.serverThreadId(), client.window(), IDCANCEL);
  if (!client.waitReady()) return -1;
  if (idleMs) client.pump(idleMs);
  double start = MonotonicMs();
  if (client.run(OpenRequest()).outcome != Outcome::Cancelled || watch.seenAt() < 0) return -1;
  return watch.seenAt() - start;
}

// The file's size, and its COFF symbol table as the PE file header gives it (a stripped program
// has none): PointerToSymbolTable and NumberOfSymbols, at 8 and 12 in the header that follows
// the "PE\0\0" mark (whose offset is at 0x3C).
struct ProgramFile {
  size_t size = 0;
  uint32_t symbolTable = 0, symbols = 0;
};
ProgramFile ReadProgramFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  auto u32 = [&](size_t at) {
    uint32_t value = 0;
    if (at + 4 <= bytes.size()) std::memcpy(&value, bytes.data() + at, 4);
    return value;
  };
  ProgramFile result;
  result.size = bytes.size();
  size_t pe = u32(0x3C);
  if (pe + 20 <= bytes.size() && bytes.compare(pe, 4, std::string("PE\0\0", 4)) == 0) {
    result.symbolTable = u32(pe + 12);
    result.symbols = u32(pe + 16);
  }
  return result;
}

// The machine's load average over the last minute, from /proc (drive Z: is the Unix root): other
// work on the machine spreads every figure here.
std::string LoadAverage() {
  std::ifstream file("Z:\\proc\\loadavg");
  std::string load;
  file >> load;
  return load.empty() ? "?" : load;
}

// The load average at the start (`before`) and now.
void PrintLoad(const std::string& before) {
  std::printf("machine load (1-minute average) at the start and the end: %s, %s\n", before.c_str(),
              LoadAverage().c_str());
}

void Print(const char* label, const Stats& stats) {
  std::printf("  %-44s median %7.1f ms   min %7.1f   max %7.1f   (n=%zu)\n", label, stats.median(), stats.min(),
              stats.max(), stats.values.size());
}

void PrintRatio(const char* label, const Stats& over, const Stats& under) {
  std::printf("  %-44s %.3f\n", label, under.median() > 0 ? over.median() / under.median() : 0.0);
}

// A Print line followed by the ratio of its median to the yardstick's.
void PrintAgainst(const char* label, const Stats& stats, const Stats& yardstick) {
  std::printf("  %-44s median %7.1f ms   min %7.1f   max %7.1f   (n=%zu)   %.2f x\n", label, stats.median(),
              stats.min(), stats.max(), stats.values.size(),
              yardstick.median() > 0 ? stats.median() / yardstick.median() : 0.0);
}

// The first dialog, from the decision to show it to the dialog visible, cancelled when first
// seen: every kind once per round, in turn; measured, then printed.
void FirstDialogFigures(int runs, const std::string& inprocFirstProgram) {
  struct FirstDialog {
    const char* label;
    DWORD idleMs;  // the server's idle time after its host form appeared
    bool warmUp;
    Stats stats;
  };
  Stats inprocFirst;
  std::vector<FirstDialog> firsts = {
      {"server idle 1000 ms", 1000, true, {}},
      {"server idle 500 ms", 500, true, {}},
      {"server idle 200 ms", 200, true, {}},
      {"server, request at once", 0, true, {}},
      {"server idle 500 ms, no warm-up", 500, false, {}},
      {"server, request at once, no warm-up", 0, false, {}},
  };
  InprocFirstDialog(inprocFirstProgram), ServerFirstDialog(0);
  for (int i = 0; i < runs; ++i) {
    Add(inprocFirst, InprocFirstDialog(inprocFirstProgram), 0);
    for (FirstDialog& first : firsts) {
      ScopedEnvironment noWarmUp("DLG_NO_WARMUP", first.warmUp ? nullptr : "1");
      Add(first.stats, ServerFirstDialog(first.idleMs), 0);
    }
  }
  std::printf("first dialog, decision to show it to the dialog visible (%s in %s), ratio to in-process:\n",
              kFileName, kInitialDir);
  PrintAgainst("in-process: first GetOpenFileNameA, idle 1 s", inprocFirst, inprocFirst);
  for (const FirstDialog& first : firsts) PrintAgainst(first.label, first.stats, inprocFirst);
}

// One measurement of each side of a comparison, in ms (-1 when it failed).
struct Comparison {
  const char* label;
  std::function<double()> server, yardstick;
};

// Alternating pairs, so that the machine's drift over the run cancels out: `pairs` times, `runs`
// measurements of the server and then `runs` of its yardstick; each pair's ratio of medians, and
// the median of those ratios.
void PrintPairs(const std::vector<Comparison>& comparisons, int pairs, int runs) {
  std::printf("alternating pairs (%d of %d runs a side), ratio of the server's median to the yardstick's:\n", pairs,
              runs);
  for (const auto& comparison : comparisons) {
    comparison.server(), comparison.yardstick();  // one of each first, to warm the caches
    Stats ratios;
    std::printf("  %s\n", comparison.label);
    for (int pair = 1; pair <= pairs; ++pair) {
      Stats server, yardstick;
      for (int i = 0; i < runs; ++i) Add(server, comparison.server(), 0);
      for (int i = 0; i < runs; ++i) Add(yardstick, comparison.yardstick(), 0);
      const double ratio = yardstick.median() > 0 ? server.median() / yardstick.median() : 0;
      ratios.values.push_back(ratio);
      std::printf("    pair %d: %.3f   (server %.1f ms, yardstick %.1f ms)\n", pair, ratio, server.median(),
                  yardstick.median());
    }
    std::printf("    median of the pairs: %.3f\n", ratios.median());
  }
}

// A server's round trip, launch to the accepted reply (`server` empty: the one beside dlgbench).
double ServerTrip(const std::string& server = "") {
  Trip trip;
  RunServerTrip(trip, server);
  return trip.reply.values.empty() ? -1 : trip.reply.values[0];
}

// The server against its in-process yardsticks, in alternating pairs.
void PairedFigures(int pairs, int runs, const std::string& inprocOpen, const std::string& inprocFirst) {
  auto serverTrip = [] { return ServerTrip(); };
  auto inprocTrip = [&] {
    Trip trip;
    RunInprocTrip(inprocOpen, trip);
    return trip.reply.values.empty() ? -1 : trip.reply.values[0];
  };
  const std::vector<Comparison> comparisons = {
      {"round trip, launch to the accepted reply, against inproc_open.exe", serverTrip, inprocTrip},
      {"first dialog, request the moment the host form appears, against a running program's first",
       [] { return ServerFirstDialog(0); }, [&] { return InprocFirstDialog(inprocFirst); }},
      {"first dialog, server idle 500 ms, against a running program's first",
       [] { return ServerFirstDialog(500); }, [&] { return InprocFirstDialog(inprocFirst); }},
  };
  PrintPairs(comparisons, pairs, runs);
}

// The server against another build of it (`other`, a dlgserver.exe elsewhere: a build from before
// a change, say), in alternating pairs: the round trip and the first dialog, request at once and
// after 500 ms idle.
void AgainstFigures(int pairs, int runs, const std::string& other) {
  const std::vector<Comparison> comparisons = {
      {"round trip, launch to the accepted reply", [] { return ServerTrip(); }, [&] { return ServerTrip(other); }},
      {"first dialog, request the moment the host form appears", [] { return ServerFirstDialog(0); },
       [&] { return ServerFirstDialog(0, nullptr, other); }},
      {"first dialog, server idle 500 ms", [] { return ServerFirstDialog(500); },
       [&] { return ServerFirstDialog(500, nullptr, other); }},
  };
  PrintPairs(comparisons, pairs, runs);
}

// The modern file dialog against the classic one, and against a running program's first modern
// dialog, in alternating pairs.
void StyleFigures(int pairs, int runs, const std::string& inprocFirst) {
  const std::vector<Comparison> comparisons = {
      {"first dialog, server idle 500 ms: modern style against classic style",
       [] { return ServerFirstDialog(500, "modern"); }, [] { return ServerFirstDialog(500, "classic"); }},
      {"first dialog, modern style, server idle 500 ms, against a running program's first modern dialog",
       [] { return ServerFirstDialog(500, "modern"); }, [&] { return InprocFirstDialog(inprocFirst, true); }},
      {"first dialog, modern style, request at once, against a running program's first modern dialog",
       [] { return ServerFirstDialog(0, "modern"); }, [&] { return InprocFirstDialog(inprocFirst, true); }},
  };
  PrintPairs(comparisons, pairs, runs);
}

}  // namespace

int main(int argc, char** argv) {
  int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
  const std::string dir = ProgramDirectory();
  const std::string server = dir + "dlgserver.exe", readyOnly = dir + "ready_only.exe",
                    inproc = dir + "inproc_open.exe", inprocFirst = dir + "inproc_first.exe";
  const std::string loadBefore = LoadAverage();
  if (argc > 2 && std::strcmp(argv[2], "pairs") == 0) {
    std::printf("dlgserver against in-process, in alternating pairs (under Wine)\n");
    PairedFigures(argc > 3 ? std::max(1, std::atoi(argv[3])) : 3, runs, inproc, inprocFirst);
    PrintLoad(loadBefore);
    return 0;
  }
  if (argc > 3 && std::strcmp(argv[2], "against") == 0) {
    std::printf("dlgserver against %s, in alternating pairs (under Wine)\n", argv[3]);
    AgainstFigures(argc > 4 ? std::max(1, std::atoi(argv[4])) : 3, runs, argv[3]);
    PrintLoad(loadBefore);
    return 0;
  }
  if (argc > 2 && std::strcmp(argv[2], "styles") == 0) {
    std::printf("dlgserver's modern file dialog, in alternating pairs (under Wine)\n");
    StyleFigures(argc > 3 ? std::max(1, std::atoi(argv[3])) : 3, runs, inprocFirst);
    PrintLoad(loadBefore);
    return 0;
  }
  if (argc > 2 && std::strcmp(argv[2], "first") == 0) {
    std::printf("dlgserver first dialog (under Wine, side by side in one run)\n");
    FirstDialogFigures(runs, inprocFirst);
    PrintLoad(loadBefore);
    return 0;
  }

  // Start-up, side by side: one warm-up each, then alternating runs.
  ReadyTime(server), ReadyTime(readyOnly);
  Stats serverReady, minimalReady;
  for (int i = 0; i < runs; ++i) {
    Add(serverReady, ReadyTime(server), 0);
    Add(minimalReady, ReadyTime(readyOnly), 0);
  }

  // Waiting for a request: processor time over 5 s, from two seconds after the ready notice,
  // against a program that blocks in GetMessage and one that polls as the old main loop did.
  struct Idle {
    double cpu = -1, unixCpu = -1, wall = 0;
    double startUnixCpu = -1;  // from the start to the beginning of the wait
    double residentKb = -1;    // at the end of the wait
    double workingSetKb = -1;
  };
  auto idle = [](const std::string& program, std::vector<std::string> arguments) {
    Idle result;
    DialogClient::Options options;
    options.serverPath = program;
    DialogClient client(options);
    std::string handle = HandleText(client.window());
    for (std::string& argument : arguments)
      if (argument == "#") argument = handle;
    if (!client.launch(arguments) || !client.waitReadyNotice()) return result;
    client.pump(2000);  // start-up work that follows the ready notice is not waiting
    std::string unixDir = UnixProcessDir(program.substr(program.find_last_of('\\') + 1), handle);
    double before = CpuMs(client.serverProcess());
    double unixBefore = UnixCpuMs(unixDir);
    double start = MonotonicMs();
    client.pump(5000);
    result.wall = MonotonicMs() - start;
    result.cpu = CpuMs(client.serverProcess()) - before;
    double unixAfter = UnixCpuMs(unixDir);
    if (unixBefore >= 0 && unixAfter >= 0) result.unixCpu = unixAfter - unixBefore;
    result.startUnixCpu = unixBefore;
    result.residentKb = UnixResidentKb(unixDir);
    result.workingSetKb = WorkingSetKb(client.serverProcess());
    return result;
  };
  Idle serverIdle = idle(server, {"TOpenDialog", "#", "#", "#"});
  Idle coldIdle;
  {
    ScopedEnvironment noWarmUp("DLG_NO_WARMUP", "1");
    coldIdle = idle(server, {"TOpenDialog", "#", "#", "#"});
  }
  Idle minimalIdle = idle(readyOnly, {"TOpenDialog", "#", "#", "#", "wait"});
  Idle pollingIdle = idle(readyOnly, {"TOpenDialog", "#", "#", "#", "poll"});

  // Run request, sent as soon as the host form is found, to running notice and to the dialog
  // being visible; the dialog is cancelled as soon as it is seen.
  Stats running, visible;
  for (int i = 0; i < runs; ++i) {
    DialogClient::Options options;
    options.runTimeoutMs = 30000;
    DialogClient client(options);
    if (!client.launch("TOpenDialog") || !client.waitReady()) continue;
    DialogWatch watch(client.serverThreadId(), client.window(), IDCANCEL);
    double start = MonotonicMs();
    if (client.run("object X: TOpenDialog\r\nend\r\n").outcome != Outcome::Cancelled) continue;
    Add(running, ReceivedAt(client, protocol::kRunningNotice), start);
    Add(visible, watch.seenAt(), start);
  }

  // A whole accepted round trip against the same dialog in-process: one warm-up each, then
  // alternating runs.
  Trip serverTrip, inprocTrip, warmUp;
  RunServerTrip(warmUp), RunInprocTrip(inproc, warmUp);
  for (int i = 0; i < runs; ++i) {
    RunServerTrip(serverTrip);
    RunInprocTrip(inproc, inprocTrip);
  }

  ProgramFile serverFile = ReadProgramFile(server);

  std::printf("dlgserver benchmarks (under Wine; times on this machine, side by side in one run)\n");
  PrintLoad(loadBefore);
  std::printf("start to ready notice:\n");
  Print("dlgserver.exe", serverReady);
  Print("ready_only.exe (one hidden window, notice)", minimalReady);
  PrintRatio("ratio of medians", serverReady, minimalReady);
  std::printf("processor time while waiting for a request (5 s, from 2 s after the ready notice):\n");
  std::printf("  %-38s %8s %8s  over\n", "", "Unix", "Windows");
  const std::pair<const char*, Idle> idleRows[] = {
      {"dlgserver.exe", serverIdle},
      {"dlgserver.exe, no warm-up", coldIdle},
      {"ready_only.exe waiting in GetMessage", minimalIdle},
      {"ready_only.exe polling its queue", pollingIdle},
  };
  for (const auto& row : idleRows)
    std::printf("  %-38s %5.0f ms %5.0f ms  %.0f ms\n", row.first, row.second.unixCpu, row.second.cpu,
                row.second.wall);
  std::printf("memory at the end of that wait; processor time from the start to 2 s after the notice:\n");
  std::printf("  %-38s %10s %12s %9s\n", "", "Unix RSS", "working set", "start cpu");
  for (const auto& row : idleRows)
    std::printf("  %-38s %7.0f KB %9.0f KB %6.0f ms\n", row.first, row.second.residentKb, row.second.workingSetKb,
                row.second.startUnixCpu);
  std::printf("run request (sent when the host form is found) to:\n");
  Print("running notice (1027)", running);
  Print("dialog visible", visible);
  std::printf("launch to accepted open dialog (%s in %s, accepted when first visible):\n", kFileName,
              kInitialDir);
  Print("dlgserver.exe, to the reply (1025)", serverTrip.reply);
  Print("inproc_open.exe, to its notice (1025)", inprocTrip.reply);
  PrintRatio("ratio of medians", serverTrip.reply, inprocTrip.reply);
  Print("dlgserver.exe, to the dialog visible", serverTrip.visible);
  Print("inproc_open.exe, to the dialog visible", inprocTrip.visible);
  FirstDialogFigures(runs, inprocFirst);
  std::printf("size:\n");
  std::printf("  %-44s %zu bytes, ", "dlgserver.exe", serverFile.size);
  if (serverFile.symbols || serverFile.symbolTable)
    std::printf("symbol table of %u entries at %u\n", serverFile.symbols, serverFile.symbolTable);
  else
    std::printf("no symbol table\n");
  return 0;
}
