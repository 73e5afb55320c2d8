// Starting a child tied to this process: in a job of its own, or, on a platform whose jobs do
// not nest, by breaking away from this process's job or without a job; EndChild ends it in
// every case.
#include "platform/process.h"

#include <gtest/gtest.h>

#include <shellapi.h>

#include <cstring>
#include <string>
#include <vector>

using namespace dlg;  // the client library

namespace {

// Started with this argument, the test program is the child: it waits until it is ended.
constexpr char kChildArgument[] = "--child-waits";
const bool kIsChild = [] {
  if (std::strstr(GetCommandLineA(), kChildArgument)) {
    Sleep(60000);
    ExitProcess(3);
  }
  return false;
}();

int g_assignCalls = 0;
BOOL WINAPI AssignFailsOnce(HANDLE job, HANDLE process) {
  return ++g_assignCalls > 1 && AssignProcessToJobObject(job, process);
}
BOOL WINAPI AssignAlwaysFails(HANDLE, HANDLE) {
  SetLastError(ERROR_ACCESS_DENIED);
  return FALSE;
}

TEST(StartInJobTest, ChildIsTiedAndEndedWhateverJobsThePlatformAllows) {
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  const struct {
    const char* label;
    AssignToJob assign;
    ChildJob tie;
  } cases[] = {
      {"nested job", AssignProcessToJobObject, ChildJob::Own},
      {"no nested job: breaks away", AssignFailsOnce, ChildJob::BrokeAway},
      {"no nested job, no breaking away: no job", AssignAlwaysFails, ChildJob::None},
  };
  for (const auto& c : cases) {
    ChildProcess child;
    std::string error;
    ASSERT_TRUE(StartInJob(self, {kChildArgument}, child, &error, {}, c.assign)) << c.label << ": " << error;
    EXPECT_EQ(c.tie, child.tie) << c.label;
    EXPECT_EQ(c.tie != ChildJob::None, child.job != nullptr) << c.label;
    EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(child.process, 100)) << c.label << ": the child did not run";
    HANDLE process = nullptr;
    DuplicateHandle(GetCurrentProcess(), child.process, GetCurrentProcess(), &process, 0, FALSE, DUPLICATE_SAME_ACCESS);
    EndChild(child);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process, 5000)) << c.label << ": EndChild left it running";
    CloseHandle(process);
  }
}

TEST(StartInJobTest, AProgramThatCannotStartIsReportedAndLeavesNothingBehind) {
  const struct {
    const char* label;
    std::string program;
    AssignToJob assign;
  } cases[] = {
      {"no such file", "C:\\no\\such\\dlgserver.exe", AssignProcessToJobObject},
      {"no such file, no nested job", "C:\\no\\such\\dlgserver.exe", AssignAlwaysFails},
      {"a folder", ProgramDirectory(), AssignProcessToJobObject},
  };
  for (const auto& c : cases) {
    ChildProcess child;
    std::string error;
    EXPECT_FALSE(StartInJob(c.program, {}, child, &error, {}, c.assign)) << c.label;
    EXPECT_EQ(0u, error.rfind("cannot start " + c.program + ": ", 0)) << c.label << ": " << error;
    EXPECT_EQ(nullptr, child.process) << c.label;
    EXPECT_EQ(nullptr, child.job) << c.label;
  }
}

// The platform's own parser must give back each argument as it was.
TEST(CommandLineForTest, ThePlatformParsesTheArgumentsBackUnchanged) {
  const std::vector<std::string> cases[] = {
      {"plain", "two words"},
      {"say \"hi\"", "\"", "\"\""},
      {"C:\\dir\\", "C:\\my dir\\", "a\\\\"},  // trailing backslashes, with and without quoting
      {"a\\\"b", "a\\\\\"b c"},                  // backslashes before a quote
      {"", "x", ""},                                  // empty arguments
      {"tab\there", "\t"},
  };
  for (const auto& arguments : cases) {
    std::string line = CommandLineFor("C:\\Program Files\\dlgserver.exe", arguments);
    std::wstring wide(line.begin(), line.end());
    int count = 0;
    LPWSTR* parsed = CommandLineToArgvW(wide.c_str(), &count);
    ASSERT_NE(nullptr, parsed) << line;
    std::vector<std::string> back;
    for (int i = 1; i < count; ++i) back.emplace_back(parsed[i], parsed[i] + wcslen(parsed[i]));
    LocalFree(parsed);
    EXPECT_EQ(arguments, back) << "command line: " << line;
  }
}

}  // namespace
