#include "platform/process.h"

#include <ntsecapi.h>  // RtlGenRandom, after <windows.h>

namespace dlg {

std::string CommandLineFor(const std::string& program, const std::vector<std::string>& arguments) {
  auto quote = [](const std::string& text) {
    if (!text.empty() && text.find_first_of(" \t\"") == std::string::npos) return text;
    // Backslashes are literal except before a quote, where they are doubled.
    std::string quoted = "\"";
    size_t backslashes = 0;
    for (char c : text) {
      if (c == '\\') {
        ++backslashes;
        continue;
      }
      if (c == '"') quoted.append(backslashes * 2 + 1, '\\');
      else quoted.append(backslashes, '\\');
      backslashes = 0;
      quoted += c;
    }
    quoted.append(backslashes * 2, '\\');
    return quoted + "\"";
  };
  std::string line = quote(program);
  for (const std::string& argument : arguments) line += " " + quote(argument);
  return line;
}

std::string ErrorText(DWORD error) {
  char* buffer = nullptr;
  DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                               FORMAT_MESSAGE_IGNORE_INSERTS,
                           nullptr, error, 0, reinterpret_cast<LPSTR>(&buffer), 0, nullptr);
  std::string text = n && buffer ? std::string(buffer, n) : "error " + std::to_string(error);
  if (buffer) LocalFree(buffer);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) text.pop_back();
  return text;
}

bool RandomBytes(void* buffer, unsigned long size) { return RtlGenRandom(buffer, size) != FALSE; }

namespace {
constexpr int kStartAttempts = 3;

std::wstring Wide(const std::string& text) {
  std::wstring wide(text.size(), L'\0');
  wide.resize(static_cast<size_t>(MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &wide[0],
                                                      static_cast<int>(wide.size()))));
  return wide;
}

// The parent's environment with `changes` made, as a block for CreateProcess with
// CREATE_UNICODE_ENVIRONMENT: the parent's own variables keep every character.
std::wstring EnvironmentBlock(const std::vector<EnvironmentEntry>& changes) {
  std::wstring block;
  wchar_t* strings = GetEnvironmentStringsW();
  for (const wchar_t* entry = strings; entry && *entry; entry += wcslen(entry) + 1) {
    bool replaced = false;
    for (const EnvironmentEntry& change : changes) {
      const std::wstring prefix = Wide(change.name) + L"=";
      replaced = replaced || _wcsnicmp(entry, prefix.c_str(), prefix.size()) == 0;
    }
    if (!replaced) block.append(entry).push_back(L'\0');
  }
  if (strings) FreeEnvironmentStringsW(strings);
  for (const EnvironmentEntry& change : changes)
    if (!change.value.empty()) block.append(Wide(change.name + "=" + change.value)).push_back(L'\0');
  block.push_back(L'\0');
  return block;
}
}  // namespace

bool StartInJob(const std::string& program, const std::vector<std::string>& arguments,
                ChildProcess& child, std::string* error, const std::vector<EnvironmentEntry>& environment,
                AssignToJob assign) {
  auto fail = [&](const std::string& what) {
    if (error) *error = what + ": " + ErrorText(GetLastError());
    EndChild(child);
    return false;
  };
  child = ChildProcess{};
  child.job = CreateJobObjectA(nullptr, nullptr);
  if (!child.job) return fail("cannot create a job object");
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
  limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
  if (!SetInformationJobObject(child.job, JobObjectExtendedLimitInformation, &limits, sizeof limits))
    return fail("cannot set up the job object");

  std::string line = CommandLineFor(program, arguments);
  std::wstring block;
  if (!environment.empty()) {
    block = EnvironmentBlock(environment);
  }
  HANDLE thread = nullptr;
  auto start = [&](DWORD flags) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!block.empty()) flags |= CREATE_UNICODE_ENVIRONMENT;
    // Under Wine a start now and then fails with "Internal error" (the loader could not set
    // the new process up) and succeeds when tried again; every other failure is final.
    for (int attempt = 1;; ++attempt) {
      if (CreateProcessA(program.c_str(), &line[0], nullptr, nullptr, FALSE, CREATE_SUSPENDED | flags,
                         block.empty() ? nullptr : &block[0], nullptr, &startup, &info))
        break;
      if (GetLastError() != ERROR_INTERNAL_ERROR || attempt == kStartAttempts) return false;
      Sleep(50);
    }
    child.process = info.hProcess;
    child.processId = info.dwProcessId;
    child.threadId = info.dwThreadId;
    thread = info.hThread;
    return true;
  };
  auto discard = [&] {
    TerminateProcess(child.process, 1);
    WaitForSingleObject(child.process, 5000);
    CloseHandle(child.process);
    CloseHandle(thread);
    child.process = nullptr;
  };
  if (!start(0)) return fail("cannot start " + program);
  if (!assign(child.job, child.process)) {
    // The parent's own job cannot hold a nested one: try the child outside it, else no job.
    discard();
    if (start(CREATE_BREAKAWAY_FROM_JOB) && assign(child.job, child.process)) {
      child.tie = ChildJob::BrokeAway;
    } else {
      if (child.process) discard();
      CloseHandle(child.job);
      child.job = nullptr;
      if (!start(0)) return fail("cannot start " + program);
      child.tie = ChildJob::None;
    }
  }
  ResumeThread(thread);
  CloseHandle(thread);
  return true;
}

void EndChild(ChildProcess& child) {
  if (child.job) {
    TerminateJobObject(child.job, 1);
    CloseHandle(child.job);
  } else if (child.process) {
    TerminateProcess(child.process, 1);
  }
  if (child.process) {
    WaitForSingleObject(child.process, 5000);
    CloseHandle(child.process);
  }
  child = ChildProcess{};
}

HMODULE ModuleAt(const void* address) {
  HMODULE module = nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     static_cast<LPCSTR>(address), &module);
  return module;
}

std::string ProgramDirectory() { return ModuleDirectory(nullptr); }

std::string ModuleDirectory(HMODULE module) {
  char path[MAX_PATH] = {};
  DWORD n = GetModuleFileNameA(module, path, MAX_PATH);
  std::string directory(path, n);
  size_t slash = directory.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : directory.substr(0, slash + 1);
}

}  // namespace dlg
