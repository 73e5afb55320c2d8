// Help from the served dialogs, under Wine: each dialog's own Help button is pressed (the
// `pshhelp` step) and the test records what reaches the client: the server's help request
// (0x0F1F) at the help window, and the platform's "commdlg_help" at the owner window, which is
// where the platform sends it (the client's window is both).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "client/auto_driver.h"
#include "client/dialog_client.h"
#include "server/protocol.h"
#include "testing/watchdog_win.h"

using namespace dlg;  // the client library

namespace {

const bool kWatchdog = StartWatchdog(400);

// The platform's help messages that reached the client's window, counted beside its own
// handling.
WNDPROC g_clientProc = nullptr;
int g_platformHelp = 0;
LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  static const UINT kCommdlgHelp = RegisterWindowMessageA("commdlg_help");
  if (message == kCommdlgHelp) ++g_platformHelp;
  return CallWindowProcA(g_clientProc, window, message, wParam, lParam);
}

struct HelpRun {
  std::vector<std::pair<WPARAM, LPARAM>> requests;  // 0x0F1F at the help window
  int platformHelp = 0;                             // "commdlg_help" at the owner window
  uint32_t replyCode = 0;
  std::string log;
};

HelpRun PressHelp(const std::string& className, const std::string& requestLines, const std::string& steps) {
  HelpRun run;
  DialogClient::Options options;
  options.readyTimeoutMs = 20000;
  options.runTimeoutMs = 30000;
  options.narrate = [&run](const std::string& line) { run.log += line + "\n"; };
  options.onHelp = [&run](WPARAM w, LPARAM l) { run.requests.emplace_back(w, l); };
  std::unique_ptr<AutoDriver> driver;
  options.onDialogIdle = [&driver] {
    if (driver) driver->poll();
  };
  DialogClient client(options);
  g_platformHelp = 0;
  g_clientProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(client.window(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountingProc)));
  std::vector<AutoStep> parsed;
  std::string error;
  EXPECT_TRUE(ParseAutoSteps(steps, parsed, &error)) << error;
  EXPECT_TRUE(client.launch(className)) << client.failure();
  EXPECT_TRUE(client.waitReady()) << client.failure();
  driver = std::make_unique<AutoDriver>(parsed, client.window(), client.serverThreadId(), options.narrate);
  RunResult result = client.run("object Probe: " + className + "\r\n" + requestLines + "end\r\n");
  run.replyCode = result.replyCode;
  EXPECT_TRUE(driver->done()) << "steps left undone\n" << run.log;
  EXPECT_TRUE(client.waitForExit(15000)) << "the server is still running";
  run.platformHelp = g_platformHelp;
  return run;
}

std::string Lines(std::initializer_list<const char*> lines) {
  std::string text;
  for (const char* line : lines) text += std::string("  ") + line + "\r\n";
  return text;
}

// What pressing each dialog's Help button brings the client under Wine 8: the file dialogs send
// nothing at all (no "commdlg_help", and no CDN_HELP to the server's hook either); the font,
// colour and print dialogs send "commdlg_help" to their owner, the client's window, so the
// server never sees it and sends no help request of its own.
TEST(DialogHelp, HelpButtonReachesOnlyTheOwnerAndOnlyFromFontColourAndPrint) {
  struct Case {
    const char* label;
    const char* className;
    std::string request;
    int serverRequests;  // 0x0F1F from the server, lParam = HelpContext
    int platformHelp;    // "commdlg_help" from the platform, to the owner window
  } cases[] = {
      {"open, Explorer style", "TOpenDialog", Lines({"HelpContext = 31", "InitialDir = 'C:\\'", "Options = [ofShowHelp]"}), 0, 0},
      {"open, old style", "TOpenDialog",
       Lines({"HelpContext = 31", "InitialDir = 'C:\\'", "Options = [ofShowHelp, ofOldStyleDialog]"}), 0, 0},
      {"save, Explorer style", "TSaveDialog", Lines({"HelpContext = 32", "InitialDir = 'C:\\'", "Options = [ofShowHelp]"}), 0, 0},
      {"FSL open", "TFSL16OpenDialog", Lines({"HelpContext = 33", "InitialDir = 'C:\\'", "Options = [ofShowHelp]"}), 0, 0},
      {"font", "TFontDialog", Lines({"HelpContext = 34", "Options = [fdShowHelp]"}), 0, 1},
      {"colour", "TColorDialog", Lines({"HelpContext = 35", "Options = [cdShowHelp]"}), 0, 1},
      {"print", "TPrintDialog", Lines({"HelpContext = 36", "Options = [poHelp]"}), 0, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    HelpRun run = PressHelp(c.className, c.request, "pshhelp,wait=800,cancel");
    EXPECT_EQ(protocol::kCancelledReply, run.replyCode) << run.log;
    EXPECT_NE(std::string::npos, run.log.find("step: help button\n")) << "the Help button is not shown\n" << run.log;
    EXPECT_EQ(c.serverRequests, static_cast<int>(run.requests.size())) << run.log;
    EXPECT_EQ(c.platformHelp, run.platformHelp) << run.log;
  }
}

}  // namespace
