// Help from the served dialogs, under Wine: each dialog's own Help button is pressed (the
// `pshhelp` step) and the test records what reaches the client: the server's help request
// (0x0F1F) at the help window, and the platform's "commdlg_help" at the owner window, which is
// where the platform sends it (the client's window is both).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testing/server_harness_win.h"
#include "testing/watchdog_win.h"

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

// Help requests at a help window apart from the client's, which stays owner and notify window.
std::vector<std::pair<WPARAM, LPARAM>> g_apartRequests;
LRESULT CALLBACK ApartHelpProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == protocol::kHelpRequest) g_apartRequests.emplace_back(wParam, lParam);
  return DefWindowProcA(window, message, wParam, lParam);
}

HWND ApartHelpWindow() {
  static HWND window = [] {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = ApartHelpProc;
    windowClass.lpszClassName = "ApartHelpWindow";
    RegisterClassA(&windowClass);
    return CreateWindowExA(0, "ApartHelpWindow", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
  }();
  return window;
}

struct HelpRun {
  std::vector<std::pair<WPARAM, LPARAM>> requests;  // 0x0F1F at the help window
  int platformHelp = 0;                             // "commdlg_help" at the owner window
  uint32_t replyCode = 0;
  std::string log;
};

// Runs `className` worked by `steps`; with `askServer`, "commdlg_help" is posted to the
// server's application window once the dialog is up, as the platform does for a dialog owned
// by it; with `helpApart`, the server's help window is another window than its owner.
HelpRun RunWithHelp(const std::string& className, const std::string& requestLines, const std::string& steps,
                    bool askServer = false, bool helpApart = false) {
  ServerHarness server;
  g_apartRequests.clear();
  server.Start(className, helpApart ? ApartHelpWindow() : nullptr);
  g_platformHelp = 0;
  g_clientProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(server.client_->window(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountingProc)));
  bool asked = false;
  server.idleHook_ = [&] {
    if (!askServer || asked || !server.driver_ || !server.driver_->dialog()) return;
    asked = true;
    PostMessageA(FindThreadWindow(server.client_->serverThreadId(), protocol::kApplicationClass),
                 RegisterWindowMessageA("commdlg_help"), 0, 0);
  };
  server.Steps(steps);
  RunResult result = server.client_->run("object Probe: " + className + "\r\n" + requestLines + "end\r\n");
  EXPECT_TRUE(server.StepsDone()) << "steps left undone\n" << server.log_;
  EXPECT_EQ(askServer, asked) << "the dialog was not seen";
  server.ExpectServerEndsWithZero();
  return HelpRun{helpApart ? g_apartRequests : server.help_, g_platformHelp, result.replyCode, server.log_};
}

// What reaches the client under Wine 8. Pressing each dialog's Help button: the file dialogs
// send nothing at all (no "commdlg_help", and no CDN_HELP to the server's hook either); the font,
// colour and print dialogs send "commdlg_help" to their owner, the client's window, so the server
// never sees it and sends no help request of its own. "Show help topic N" reaching the server's
// application window during a dialog (`askServer`) becomes the server's help request with that
// dialog's HelpContext; a dialog without one asks for nothing.
TEST(DialogHelp, HelpReachesTheClientFromThePlatformOrForwardedByTheServer) {
  using Requests = std::vector<std::pair<WPARAM, LPARAM>>;  // 0x0F1F at the help window
  const std::string root = "  InitialDir = 'C:\\'";
  const struct {
    const char* label;
    const char* className;
    std::string request;
    bool askServer;  // else the Help button is pressed
    bool helpApart;  // the help window is not the owner: the dialog is the owner's, help the other's
    Requests requests;
    int platformHelp;  // "commdlg_help" from the platform, to the owner window
  } cases[] = {
      {"open, Explorer style", "TOpenDialog", Text({"  HelpContext = 31", root, "  Options = [ofShowHelp]"}), false,
       false, {}, 0},
      {"open, old style", "TOpenDialog",
       Text({"  HelpContext = 31", root, "  Options = [ofShowHelp, ofOldStyleDialog]"}), false, false, {}, 0},
      {"save, Explorer style", "TSaveDialog", Text({"  HelpContext = 32", root, "  Options = [ofShowHelp]"}), false,
       false, {}, 0},
      {"FSL open", "TFSL16OpenDialog", Text({"  HelpContext = 33", root, "  Options = [ofShowHelp]"}), false, false,
       {}, 0},
      {"font", "TFontDialog", Text({"  HelpContext = 34", "  Options = [fdShowHelp]"}), false, false, {}, 1},
      {"colour", "TColorDialog", Text({"  HelpContext = 35", "  Options = [cdShowHelp]"}), false, false, {}, 1},
      {"print", "TPrintDialog", Text({"  HelpContext = 36", "  Options = [poHelp]"}), false, false, {}, 1},
      {"open, help asked of the server", "TOpenDialog", Text({"  HelpContext = 31", root}), true, false, {{1, 31}}, 0},
      {"colour, help asked of the server", "TColorDialog", Text({"  HelpContext = 35"}), true, false, {{1, 35}}, 0},
      {"open without a help context", "TOpenDialog", Text({root}), true, false, {}, 0},
      {"open, the help window apart from the owner", "TOpenDialog", Text({"  HelpContext = 37"}), true, true,
       {{1, 37}}, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    HelpRun run = RunWithHelp(c.className, c.request, c.askServer ? "wait=800,cancel" : "pshhelp,wait=800,cancel",
                              c.askServer, c.helpApart);
    EXPECT_EQ(protocol::kCancelledReply, run.replyCode) << run.log;
    EXPECT_TRUE(c.askServer || run.log.find("step: help button\n") != std::string::npos)
        << "the Help button is not shown\n" << run.log;
    EXPECT_EQ(c.requests, run.requests) << run.log;
    EXPECT_EQ(c.platformHelp, run.platformHelp) << run.log;
  }
}

}  // namespace
