// A console program of ours (dlgrun.exe) run as scripts run it: arguments, a text on standard
// input, standard output and error caught in files, the exit status.
#pragma once

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/process.h"
#include "platform/win32.h"

inline std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteWholeFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

// A file name in the temporary folder, unique to this process.
inline std::string TempPath(const std::string& name) {
  char dir[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, dir);
  return std::string(dir) + "e2e-" + std::to_string(GetCurrentProcessId()) + "-" + name;
}

struct Finished {
  DWORD exitCode = 999;
  std::string out, err;
};

// Starts `program` with `arguments` and `input` on standard input; ended when destroyed.
class ProgramRun {
 public:
  ProgramRun(const std::string& program, const std::vector<std::string>& arguments,
             const std::string& input = std::string()) {
    outPath_ = TempPath("out"), errPath_ = TempPath("err"), inPath_ = TempPath("in");
    WriteWholeFile(inPath_, input);
    HANDLE in = Inheritable(inPath_, false), out = Inheritable(outPath_, true), err = Inheritable(errPath_, true);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = in, startup.hStdOutput = out, startup.hStdError = err;
    std::string line = dlg::CommandLineFor(program, arguments);
    PROCESS_INFORMATION info{};
    started_ = CreateProcessA(program.c_str(), &line[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &info);
    CloseHandle(in), CloseHandle(out), CloseHandle(err);
    if (started_) {
      process_ = info.hProcess;
      CloseHandle(info.hThread);
    }
  }
  ~ProgramRun() {
    if (process_) {
      TerminateProcess(process_, 1);
      CloseHandle(process_);
    }
    DeleteFileA(outPath_.c_str()), DeleteFileA(errPath_.c_str()), DeleteFileA(inPath_.c_str());
  }
  ProgramRun(const ProgramRun&) = delete;
  ProgramRun& operator=(const ProgramRun&) = delete;

  bool started() const { return started_; }
  HANDLE process() const { return process_; }
  std::string err() const { return ReadWholeFile(errPath_); }

  // The outcome once the program ended; exit code 999 when it did not within `ms`.
  Finished wait(DWORD ms = 60000) {
    Finished result;
    if (!process_ || WaitForSingleObject(process_, ms) != WAIT_OBJECT_0) return result;
    GetExitCodeProcess(process_, &result.exitCode);
    result.out = ReadWholeFile(outPath_);
    result.err = ReadWholeFile(errPath_);
    return result;
  }

 private:
  static HANDLE Inheritable(const std::string& path, bool write) {
    SECURITY_ATTRIBUTES security{sizeof security, nullptr, TRUE};
    return CreateFileA(path.c_str(), write ? GENERIC_WRITE : GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                       &security, write ? CREATE_ALWAYS : OPEN_EXISTING, 0, nullptr);
  }

  bool started_ = false;
  HANDLE process_ = nullptr;
  std::string outPath_, errPath_, inPath_;
};
