// dlgbench: how fast dlgserver.exe starts and answers, what it costs while it waits, and how
// big it is, each beside a yardstick where there is one:
//   start to ready notice, against ready_only.exe (creates one hidden window, sends the notice)
//   processor time of the server during a 5-second wait for a request
//   run request to running notice and to the dialog being visible
//   launch to accepted reply of an open dialog accepted at once, against inproc_open.exe (the
//   same dialog run in-process)
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
#include <iterator>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "client/dialog_client.h"
#include "platform/process.h"
#include "server/protocol.h"

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

// The processor time of the Unix process behind a Wine program, read from /proc (drive Z: is
// the Unix root), found by a text its command line contains. Wine's own GetProcessTimes does not
// count everything a Wine process spends. -1 when not found.
double UnixCpuMs(const std::string& program, const std::string& marker) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA("Z:\\proc\\*", &found);
  if (search == INVALID_HANDLE_VALUE) return -1;
  double result = -1;
  do {
    std::string name = found.cFileName;
    if (name.find_first_not_of("0123456789") != std::string::npos) continue;
    std::string dir = "Z:\\proc\\" + name + "\\";
    std::ifstream cmdline(dir + "cmdline", std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(cmdline)), std::istreambuf_iterator<char>());
    for (char& c : text)
      if (c == '\0') c = ' ';
    if (text.find(program) == std::string::npos || text.find(" " + marker) == std::string::npos) continue;
    std::ifstream statFile(dir + "stat", std::ios::binary);
    std::string stat((std::istreambuf_iterator<char>(statFile)), std::istreambuf_iterator<char>());
    size_t close = stat.rfind(')');
    if (close == std::string::npos) continue;
    std::istringstream fields(stat.substr(close + 2));
    std::string field;
    double ticks = 0;
    for (int i = 3; fields >> field; ++i)
      if (i == 14 || i == 15) ticks += std::stod(field);
    result = ticks * 1000.0 / 100.0;  // USER_HZ
    break;
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return result;
}

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

// Launch to the dialog visible and to the accepted reply.
struct Trip {
  Stats visible, reply;
};

// One server round trip: launch, waitReady, run request, accepted reply.
void RunServerTrip(Trip& trip) {
  DialogClient::Options options;
  options.runTimeoutMs = 30000;
  DialogClient client(options);
  double start = MonotonicMs();
  if (!client.launch("TOpenDialog")) return;
  DialogWatch watch(client.serverThreadId(), client.window(), IDOK);
  if (!client.waitReady()) return;
  RunResult result = client.run(std::string("object X: TOpenDialog\r\n  FileName = '") + kFileName +
                                "'\r\n  InitialDir = '" + kInitialDir + "'\r\nend\r\n");
  if (result.outcome != Outcome::Accepted) return;
  Add(trip.visible, watch.seenAt(), start);
  Add(trip.reply, ReceivedAt(client, protocol::kAcceptedReply), start);
}

// The same dialog in-process: launch of inproc_open.exe to its accepted notice.
void RunInprocTrip(const std::string& program, Trip& trip) {
  DialogClient::Options options;
  options.serverPath = program;
  DialogClient client(options);
  std::string owner = std::to_string(reinterpret_cast<uintptr_t>(client.window()));
  double start = MonotonicMs();
  if (!client.launch({owner, kFileName, kInitialDir})) return;
  DialogWatch watch(client.serverThreadId(), client.window(), IDOK);
  client.waitForExit(30000);
  double accepted = ReceivedAt(client, protocol::kAcceptedReply);
  if (accepted < 0) return;
  Add(trip.visible, watch.seenAt(), start);
  Add(trip.reply, accepted, start);
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

void Print(const char* label, const Stats& stats) {
  std::printf("  %-44s median %7.1f ms   min %7.1f   max %7.1f   (n=%zu)\n", label, stats.median(), stats.min(),
              stats.max(), stats.values.size());
}

void PrintRatio(const char* label, const Stats& over, const Stats& under) {
  std::printf("  %-44s %.3f\n", label, under.median() > 0 ? over.median() / under.median() : 0.0);
}

}  // namespace

int main(int argc, char** argv) {
  int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
  const std::string dir = ProgramDirectory();
  const std::string server = dir + "dlgserver.exe", readyOnly = dir + "ready_only.exe",
                    inproc = dir + "inproc_open.exe";
  const std::string loadBefore = LoadAverage();

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
  };
  auto idle = [](const std::string& program, std::vector<std::string> arguments) {
    Idle result;
    DialogClient::Options options;
    options.serverPath = program;
    DialogClient client(options);
    std::string handle = std::to_string(reinterpret_cast<uintptr_t>(client.window()));
    for (std::string& argument : arguments)
      if (argument == "#") argument = handle;
    if (!client.launch(arguments) || !client.waitReadyNotice()) return result;
    client.pump(2000);  // start-up work that follows the ready notice is not waiting
    std::string name = program.substr(program.find_last_of('\\') + 1);
    double before = CpuMs(client.serverProcess());
    double unixBefore = UnixCpuMs(name, handle);
    double start = MonotonicMs();
    client.pump(5000);
    result.wall = MonotonicMs() - start;
    result.cpu = CpuMs(client.serverProcess()) - before;
    double unixAfter = UnixCpuMs(name, handle);
    if (unixBefore >= 0 && unixAfter >= 0) result.unixCpu = unixAfter - unixBefore;
    return result;
  };
  Idle serverIdle = idle(server, {"TOpenDialog", "#", "#", "#"});
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
  std::printf("machine load (1-minute average) at the start and the end: %s, %s\n", loadBefore.c_str(),
              LoadAverage().c_str());
  std::printf("start to ready notice:\n");
  Print("dlgserver.exe", serverReady);
  Print("ready_only.exe (one hidden window, notice)", minimalReady);
  PrintRatio("ratio of medians", serverReady, minimalReady);
  std::printf("processor time while waiting for a request (5 s, from 2 s after the ready notice):\n");
  std::printf("  %-38s %8s %8s  over\n", "", "Unix", "Windows");
  for (const auto& row : {std::make_pair("dlgserver.exe", serverIdle),
                          std::make_pair("ready_only.exe waiting in GetMessage", minimalIdle),
                          std::make_pair("ready_only.exe polling its queue", pollingIdle)})
    std::printf("  %-38s %5.0f ms %5.0f ms  %.0f ms\n", row.first, row.second.unixCpu, row.second.cpu,
                row.second.wall);
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
  std::printf("size:\n");
  std::printf("  %-44s %zu bytes, ", "dlgserver.exe", serverFile.size);
  if (serverFile.symbols || serverFile.symbolTable)
    std::printf("symbol table of %u entries at %u\n", serverFile.symbols, serverFile.symbolTable);
  else
    std::printf("no symbol table\n");
  return 0;
}
