// dlgrun [options] CLASS [REQUEST|-]
// Runs one dialog in dlgserver.exe: sends the request file (standard input for "-" or none)
// with code 1025 and prints the reply's component text on standard output, exactly. Standard
// error narrates the exchange. Exit status: 0 accepted, 1 cancelled, 2 no reply (the failure's
// text is printed), 3 time-out, 4 usage.
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>

#include "client/auto_driver.h"
#include "client/dialog_client.h"
#include "dlg_version.h"

using namespace dlg;  // the client library

namespace {
constexpr int kAccepted = 0, kCancelled = 1, kNoReply = 2, kTimedOut = 3, kUsage = 4, kStepFailed = 5;
constexpr DWORD kAutoTimeoutMs = 60000;

// The steps' list comes from the driver's own table.
std::string UsageText() {
  return "usage: dlgrun [-h|--help] [--version] [options] CLASS [REQUEST|-]\n"
         "  --server PATH     dlgserver.exe to run (default: beside dlgrun.exe)\n"
         "  --timeout SEC     give up SEC seconds after the request was sent (default: none; 60 with\n"
         "                    --auto); the server's start-up has its own limit\n"
         "  --auto STEPS      drive the dialog with these steps, separated by commas (ok is added\n"
         "                    when no step closes the dialog); a step that cannot be applied\n"
         "                    cancels the dialog and ends the run with status 5:\n" +
         AutoStepHelp("      ") +
         "  --lenient         a step that cannot be applied is only narrated; the steps go on\n"
         "  --help-log FILE   append the help requests that reach dlgrun's help window to FILE\n"
         "exit status: 0 accepted, 1 cancelled, 2 no reply, 3 time-out, 4 usage, 5 a step could not\n"
         "be applied\n";
}

int Usage(const std::string& problem) {
  std::cerr << "dlgrun: " << problem << "\n" << UsageText();
  return kUsage;
}

bool ReadAll(const std::string& path, std::string& text) {
  if (path == "-") {
    _setmode(_fileno(stdin), _O_BINARY);
    text.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
    return true;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}
}  // namespace

int main(int argc, char** argv) {
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  std::string serverPath, autoSteps, helpLog, className, requestPath = "-";
  long timeoutSec = -1;
  bool haveAuto = false, lenient = false;
  int positional = 0;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    auto value = [&](std::string& out) {
      if (i + 1 >= argc) return false;
      out = argv[++i];
      return true;
    };
    if (arg == "--server") {
      if (!value(serverPath)) return Usage("--server needs a path");
    } else if (arg == "--auto") {
      std::string steps;
      if (!value(steps)) return Usage("--auto needs steps");
      autoSteps += (autoSteps.empty() ? "" : ",") + steps;
      haveAuto = true;
    } else if (arg == "--lenient") {
      lenient = true;
    } else if (arg == "--help-log") {
      if (!value(helpLog)) return Usage("--help-log needs a file");
    } else if (arg == "--timeout") {
      std::string text;
      if (!value(text)) return Usage("--timeout needs seconds");
      char* end = nullptr;
      timeoutSec = std::strtol(text.c_str(), &end, 10);
      if (text.empty() || *end || timeoutSec <= 0) return Usage("--timeout needs a positive number of seconds");
    } else if (arg == "-h" || arg == "--help") {
      std::cout << UsageText();
      return 0;
    } else if (arg == "--version") {
      std::cout << "dlgrun " DLG_VERSION_TEXT "\n";
      return 0;
    } else if (arg.size() > 1 && arg[0] == '-' && arg != "-") {
      return Usage("unknown option " + arg);
    } else if (positional == 0) {
      className = arg;
      ++positional;
    } else if (positional == 1) {
      requestPath = arg;
      ++positional;
    } else {
      return Usage("too many arguments");
    }
  }
  if (className.empty()) return Usage("no CLASS given");

  std::vector<AutoStep> steps;
  std::string stepError;
  if (haveAuto && !ParseAutoSteps(autoSteps, steps, &stepError)) return Usage(stepError);

  std::string request;
  if (!ReadAll(requestPath, request)) {
    std::cerr << "dlgrun: cannot read " << requestPath << "\n";
    return kUsage;
  }

  auto narrate = [](const std::string& line) { std::cerr << "dlgrun: " << line << "\n" << std::flush; };
  std::unique_ptr<AutoDriver> driver;
  DialogClient::Options options;
  options.serverPath = serverPath;
  options.narrate = narrate;
  if (timeoutSec > 0) options.runTimeoutMs = static_cast<DWORD>(timeoutSec * 1000);
  else if (haveAuto) options.runTimeoutMs = kAutoTimeoutMs;
  options.onDialogIdle = [&] {
    if (driver) driver->poll();
  };
  options.onHelp = [&](WPARAM wParam, LPARAM lParam) {
    if (helpLog.empty()) return;
    std::ofstream log(helpLog, std::ios::binary | std::ios::app);
    log << "0x0F1F " << wParam << " " << static_cast<long>(lParam) << "\n";
  };

  DialogClient client(options);
  if (!client.launch(className)) {
    std::cerr << "dlgrun: " << client.failure() << "\n";
    return kNoReply;
  }
  if (haveAuto) {
    driver.reset(new AutoDriver(steps, client.window(), client.serverThreadId(), narrate));
    driver->setLenient(lenient);
  }
  if (!client.waitReady()) {
    std::cerr << "dlgrun: " << client.failure() << "\n";
    return client.failure().find("time limit") != std::string::npos ? kTimedOut : kNoReply;
  }
  RunResult result = client.run(request);
  switch (result.outcome) {
    case Outcome::Accepted:
    case Outcome::Cancelled: {
      // A step that could not be applied cancelled the dialog: its reply is not the user's.
      const bool stepFailed = driver && !lenient && !driver->failure().empty();
      if (!stepFailed) {
        std::fwrite(result.text.data(), 1, result.text.size(), stdout);
        std::fflush(stdout);
      }
      DWORD exitCode = 0;
      if (client.waitForExit(10000, &exitCode))
        narrate("server ended (exit code " + std::to_string(exitCode) + ")");
      if (stepFailed) {
        std::cerr << "dlgrun: " << driver->failure() << " (could not be applied)\n";
        return kStepFailed;
      }
      return result.outcome == Outcome::Accepted ? kAccepted : kCancelled;
    }
    case Outcome::NoReply:
      std::cerr << "dlgrun: no reply: " << result.failure << "\n";
      return kNoReply;
    case Outcome::TimedOut:
      std::cerr << "dlgrun: time-out: " << result.failure << "\n";
      return kTimedOut;
  }
  return kNoReply;
}
