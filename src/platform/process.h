// Child processes tied to their parent: started inside a job object that ends them when the
// last handle to the job closes, so no child outlives the process that started it.
#pragma once

#include <string>
#include <vector>

#include <windows.h>  // as the includer has it: no macro of theirs changed

namespace dlg {

// How a child is tied to its parent.
enum class ChildJob {
  Own,        // in a kill-on-close job of its own
  BrokeAway,  // the parent's job allows no nested job: started outside it, then in its own
  None,       // neither was possible: only an explicit EndChild ends it
};

struct ChildProcess {
  HANDLE process = nullptr;
  HANDLE job = nullptr;
  ChildJob tie = ChildJob::Own;
  DWORD processId = 0;
  DWORD threadId = 0;  // the main thread: the one that owns a GUI program's windows
};

// A variable the child's environment gets beside (or instead of) the parent's own of that name;
// an empty value leaves the variable out.
struct EnvironmentEntry {
  std::string name;
  std::string value;
};

// The command line that hands `arguments` to a program as they are (quoted where needed).
std::string CommandLineFor(const std::string& program, const std::vector<std::string>& arguments);
// Starts `program` suspended, puts it into a kill-on-close job, then lets it run. When the
// parent runs in a job that cannot be nested (Windows before 8), the child breaks away from that
// job into its own, or, where breaking away is not allowed either, runs without a job
// (`child.tie` says which). On failure answers false and describes it in `error`.
// `assign` puts a process into a job; a test passes its own to act as a platform without
// nested jobs.
// `environment` changes the child's environment from the parent's.
using AssignToJob = BOOL(WINAPI*)(HANDLE job, HANDLE process);
bool StartInJob(const std::string& program, const std::vector<std::string>& arguments,
                ChildProcess& child, std::string* error, const std::vector<EnvironmentEntry>& environment = {},
                AssignToJob assign = AssignProcessToJobObject);
// Ends the child (if still running) and closes its handles.
void EndChild(ChildProcess& child);
// The directory of the running program, with a trailing backslash.
std::string ProgramDirectory();
// The directory of `module` (a program or library; null: the running program), with a
// trailing backslash.
std::string ModuleDirectory(HMODULE module);
// The module whose image holds `address` (e.g. a function of a library), or null.
HMODULE ModuleAt(const void* address);
// Fills `buffer` from the platform's cryptographic random source; false when it fails.
bool RandomBytes(void* buffer, unsigned long size);
// The platform's text for an error code, without the line end.
std::string ErrorText(DWORD error);

}  // namespace dlg
