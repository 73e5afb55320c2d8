// Clients of one architecture with the server of the other, as a 64-bit program meets a 32-bit
// dlgserver.exe and the reverse: this 64-bit program's dlgclient.dll and its dlgrun.exe drive
// the 32-bit server, and the 32-bit dlgrun.exe drives the 64-bit one. Window handles cross on the
// command line as 32-bit numbers, the payload through the platform's WM_COPYDATA marshalling.
// DLG_WIN32_BIN names the 32-bit build's program folder; the prefix must run 32-bit programs.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "dlgclient.h"
#include "large_request.h"
#include "platform/copy_data.h"
#include "platform/process.h"
#include "testing/program_run_win.h"
#include "testing/watchdog_win.h"

using namespace dlg;  // the client library

namespace {

const bool kWatchdog = StartWatchdog(500);

std::string Win32Bin() {
  const char* dir = std::getenv("DLG_WIN32_BIN");
  return dir && *dir ? std::string(dir) + "\\" : std::string();
}

struct Result {
  int outcome = -1;  // dlgrun's exit status, dlgclient_run's answer
  std::string reply, failure;
};

Result ThroughDll(const std::string& server, const std::string& request, const char* steps) {
  Result result;
  DlgClient* client = dlgclient_create(server.c_str());
  if (!client) return result;
  dlgclient_drive(client, steps);
  result.outcome = dlgclient_run(client, "TOpenDialog", request.data(), static_cast<long>(request.size()), 120000);
  result.reply.resize(dlgclient_reply(client, nullptr, 0));
  dlgclient_reply(client, &result.reply[0], result.reply.size() + 1);
  result.failure.resize(dlgclient_failure(client, nullptr, 0));
  dlgclient_failure(client, &result.failure[0], result.failure.size() + 1);
  dlgclient_destroy(client);
  return result;
}

Result ThroughDlgRun(const std::string& dlgrun, const std::string& server, const std::string& request,
                     const char* steps) {
  ProgramRun run(dlgrun, {"--server", server, "--timeout", "120", "--auto", steps, "TOpenDialog", "-"}, request);
  Finished done = run.wait(150000);
  return {static_cast<int>(done.exitCode), done.out, done.err};
}

const std::string kRequest = "object X: TOpenDialog\r\nend\r\n";

TEST(CrossArchitectureTest, EachClientDrivesTheServerOfTheOtherArchitecture) {
  const std::string win32 = Win32Bin(), win64 = ProgramDirectory();
  ASSERT_FALSE(win32.empty()) << "DLG_WIN32_BIN is not set";
  static_assert(sizeof(void*) == 8, "the 64-bit side of the pair");
  for (const char* program : {"dlgserver.exe", "dlgrun.exe"}) {
    DWORD type = 99;
    ASSERT_TRUE(GetBinaryTypeA((win32 + program).c_str(), &type)) << "no 32-bit build in " << win32;
    ASSERT_EQ(static_cast<DWORD>(SCS_32BIT_BINARY), type) << win32 + program << " is not a 32-bit program";
  }

  const struct {
    const char* label;
    std::string request;
    const char* steps;
    int outcome;
    std::string reply;    // the whole reply, or empty when `contains` says enough
    std::string contains;  // in the reply (accepted) or in the failure text
  } kCases[] = {
      {"accepted", kRequest, "file=C:\\windows\\win.ini,ok", 0, "", "  FileName = 'C:\\windows\\win.ini'\r\n"},
      {"cancelled", kRequest, "cancel", 1, "object X: TOpenDialog\r\n  FileEditStyle = fsEdit\r\nend\r\n", ""},
      {"failure report", "object X TOpenDialog\r\nend\r\n", "ok", 2, "", "''='' expected on line 2"},
      {"reply at the most the platform carries", HistoryRequest(kWineCopyDataLimit, true), "cancel", 1,
       HistoryRequest(kWineCopyDataLimit, true), ""},
  };
  const struct {
    const char* label;
    std::function<Result(const std::string& request, const char* steps)> run;
  } kClients[] = {
      {"64-bit dlgclient.dll, 32-bit server",
       [&](const std::string& r, const char* s) { return ThroughDll(win32 + "dlgserver.exe", r, s); }},
      {"64-bit dlgrun, 32-bit server",
       [&](const std::string& r, const char* s) { return ThroughDlgRun(win64 + "dlgrun.exe", win32 + "dlgserver.exe", r, s); }},
      {"32-bit dlgrun, 64-bit server",
       [&](const std::string& r, const char* s) { return ThroughDlgRun(win32 + "dlgrun.exe", win64 + "dlgserver.exe", r, s); }},
  };
  for (const auto& client : kClients) {
    for (const auto& c : kCases) {
      SCOPED_TRACE(std::string(client.label) + ", " + c.label);
      Result result = client.run(c.request, c.steps);
      EXPECT_EQ(c.outcome, result.outcome) << result.failure;
      if (!c.reply.empty()) {
        EXPECT_TRUE(c.reply == result.reply) << result.reply.size() << " bytes came back";
      }
      const std::string& text = c.outcome == 2 ? result.failure : result.reply;
      EXPECT_NE(std::string::npos, text.find(c.contains)) << text.substr(0, 2000);
    }
  }
}

}  // namespace
