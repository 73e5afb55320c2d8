// dlgbench: how fast dlgserver.exe starts and answers, and what it costs while it waits.
//   start to ready notice, against ready_only.exe (a program that only sends the notice)
//   processor time of the server during a 5-second wait for a request
//   run request to running notice (the dialog is about to open)
// Run it under Wine with scripts/bench-server.sh. Figures are printed, never judged.
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <memory>
#include <string>
#include <vector>

#include "client/auto_driver.h"
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

void Print(const char* label, const Stats& stats) {
  std::printf("  %-34s median %8.1f ms   min %8.1f   max %8.1f   (n=%zu)\n", label, stats.median(), stats.min(),
              stats.max(), stats.values.size());
}

}  // namespace

int main(int argc, char** argv) {
  int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
  const std::string dir = ProgramDirectory();
  const std::string server = dir + "dlgserver.exe", readyOnly = dir + "ready_only.exe";

  // Start-up, side by side: one warm-up each, then alternating runs.
  ReadyTime(server), ReadyTime(readyOnly);
  Stats serverReady, minimalReady;
  for (int i = 0; i < runs; ++i) {
    serverReady.values.push_back(ReadyTime(server));
    minimalReady.values.push_back(ReadyTime(readyOnly));
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

  // Run request to running notice, the dialog cancelled as soon as it shows.
  Stats running;
  for (int i = 0; i < std::max(3, runs / 2); ++i) {
    std::unique_ptr<AutoDriver> driver;
    DialogClient::Options options;
    options.runTimeoutMs = 30000;
    options.onDialogIdle = [&] {
      if (driver) driver->poll();
    };
    DialogClient client(options);
    if (!client.launch("TOpenDialog") || !client.waitReady()) continue;
    std::vector<AutoStep> steps;
    ParseAutoSteps("cancel", steps, nullptr);
    driver = std::make_unique<AutoDriver>(steps, client.window(), client.serverThreadId());
    double start = MonotonicMs();
    client.run("object X: TOpenDialog\r\nend\r\n");
    for (const ReceivedCopyData& data : client.received())
      if (data.code == protocol::kRunningNotice) running.values.push_back(data.atMs - start);
  }

  std::printf("dlgserver benchmarks (under Wine; times on this machine, side by side in one run)\n");
  std::printf("start to ready notice:\n");
  Print("dlgserver.exe", serverReady);
  Print("ready_only.exe (sends the notice only)", minimalReady);
  std::printf("  ratio of medians                   %.2f\n",
              minimalReady.median() > 0 ? serverReady.median() / minimalReady.median() : 0.0);
  std::printf("processor time while waiting for a request (5 s, from 2 s after the ready notice):\n");
  std::printf("  %-38s %8s %8s  over\n", "", "Unix", "Windows");
  for (const auto& row : {std::make_pair("dlgserver.exe", serverIdle),
                          std::make_pair("ready_only.exe waiting in GetMessage", minimalIdle),
                          std::make_pair("ready_only.exe polling its queue", pollingIdle)})
    std::printf("  %-38s %5.0f ms %5.0f ms  %.0f ms\n", row.first, row.second.unixCpu, row.second.cpu,
                row.second.wall);
  std::printf("run request to running notice:\n");
  Print("dlgserver.exe", running);
  return 0;
}
