// The real dlgserver.exe under Wine, driven from this process through the client library: the
// one start-drive-reply harness of the end-to-end programs, each a table of cases over it, and
// the small text and file helpers they share.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "client/auto_driver.h"
#include "client/dialog_client.h"
#include "client/printer_choice.h"
#include "platform/window_query.h"
#include "server/protocol.h"
#include "testing/file_dialog_style_win.h"

// The end-to-end programs name the client library's types as its own code does.
using namespace dlg;

// Component text with CR LF line ends from lines without them.
inline std::string Text(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

// One property line of an object's component text.
inline std::string Line(const std::string& name, const std::string& value) {
  return "  " + name + " = " + value + "\r\n";
}

// An empty file, made or emptied.
inline void Touch(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
}

// Text in the program's code page; characters it lacks become its best fit or '?'.
inline std::string Ansi(const std::wstring& text) {
  std::string out(text.size() * 2 + 1, '\0');
  out.resize(static_cast<size_t>(WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), &out[0],
                                                     static_cast<int>(out.size()), nullptr, nullptr)));
  return out;
}

// The short path of an existing file or folder; empty when there is none.
inline std::string ShortPath(const std::wstring& path) {
  wchar_t buffer[MAX_PATH] = {};
  const DWORD n = GetShortPathNameW(path.c_str(), buffer, MAX_PATH);
  return n < MAX_PATH ? Ansi(std::wstring(buffer, n)) : std::string();
}
inline std::string ShortPath(const std::string& path) {
  char buffer[MAX_PATH] = {};
  const DWORD n = GetShortPathNameA(path.c_str(), buffer, MAX_PATH);
  return std::string(buffer, n < MAX_PATH ? n : 0);
}

class ServerHarness {
 public:
  // A new client for the next server; what the last run saw is forgotten.
  DialogClient& NewClient() {
    log_.clear();
    help_.clear();
    helpSent_.clear();
    dialogCaption_.clear();
    dialogRect_ = RECT{};
    dialogOwner_ = nullptr;
    modernDialog_ = false;
    driver_.reset();
    DialogClient::Options options;
    options.readyTimeoutMs = 20000;
    options.runTimeoutMs = runTimeoutMs_;
    options.narrate = [this](const std::string& line) {
      log_ += line + "\n";
      if (narrateHook_) narrateHook_(line);
    };
    options.onHelp = [this](WPARAM wParam, LPARAM lParam) {
      help_.emplace_back(wParam, lParam);
      helpSent_.push_back(InSendMessage() != 0);
    };
    options.serverPath = serverPath_;
    options.useRequestKey = useRequestKey_;
    options.onDialogIdle = [this] { watchDialog(); };
    client_ = std::make_unique<DialogClient>(options);
    return *client_;
  }

  // Starts the server for `className` and waits until it is ready. The client's window is its
  // help, owner and notify window, unless `helpWindow` is given for help.
  void Start(const std::string& className, HWND helpWindow = nullptr) {
    NewClient();
    const std::string own = HandleText(client_->window());
    ASSERT_TRUE(client_->launch({className, helpWindow ? HandleText(helpWindow) : own, own, own})) << client_->failure();
    ASSERT_TRUE(client_->waitReady()) << client_->failure() << "\n" << log_;
  }

  // Lets `steps` (dlgrun's --auto steps) work the dialogs of the next run.
  void Steps(const std::string& steps) {
    std::vector<AutoStep> parsed;
    std::string error;
    EXPECT_TRUE(ParseAutoSteps(steps, parsed, &error)) << error;
    driver_ = std::make_unique<AutoDriver>(parsed, client_->window(), client_->serverThreadId(),
                                           [this](const std::string& line) { log_ += line + "\n"; });
  }

  // Starts the server for `className`, sends `request` and works the dialog with `steps`.
  RunResult RunServer(const std::string& className, const std::string& request, const std::string& steps) {
    Start(className);
    if (::testing::Test::HasFatalFailure()) return RunResult{};
    Steps(steps);
    return client_->run(request);
  }

  bool StepsDone() const { return driver_ && driver_->done(); }

  // The codes of what the client's window took from its server, in order.
  std::vector<uint32_t> Codes() const {
    std::vector<uint32_t> codes;
    for (const ReceivedCopyData& data : client_->received()) codes.push_back(data.code);
    return codes;
  }

  void ExpectServerEndsWithZero() {
    DWORD exitCode = 99;
    EXPECT_TRUE(client_->waitForExit(15000, &exitCode)) << "the server is still running";
    EXPECT_EQ(0u, exitCode);
  }

  // Running means answering: after a while the server still answers the focus probe, and only
  // the client's WM_CLOSE ends it, with exit code 0.
  void ExpectStillRunning() {
    client_->pump(500);
    LRESULT answer = -1;
    EXPECT_TRUE(client_->sendMessage(RegisterWindowMessageA("QTM_FocusMyDialog"), 0, 0, &answer) && answer == 1)
        << "the server no longer answers (" << answer << ")\n" << log_;
    EXPECT_TRUE(client_->serverRunning()) << log_;
  }

  // Settings of the next client.
  std::string serverPath_;  // empty: the server beside this program
  bool useRequestKey_ = true;
  DWORD runTimeoutMs_ = 40000;
  std::function<void()> idleHook_;                       // first on every idle pass of a dialog
  std::function<void(const std::string&)> narrateHook_;  // on every line the client narrates

  std::unique_ptr<DialogClient> client_;
  std::unique_ptr<AutoDriver> driver_;
  // What the last run brought and what was seen of its dialog.
  std::string log_;
  std::vector<std::pair<WPARAM, LPARAM>> help_;  // help requests at the client's help window
  std::vector<bool> helpSent_;                   // each arrived sent (the server waiting), not posted
  std::string dialogCaption_;                    // the first dialog's caption and "|"
  RECT dialogRect_{};
  HWND dialogOwner_ = nullptr;
  bool modernDialog_ = false;  // the modern file dialog was shown
  std::string shownPrinter_;   // the printer a print dialog showed first
  std::string printerWhere_;   // where it said its printer was last

 private:
  void watchDialog() {
    if (idleHook_) idleHook_();
    const HWND own = FindOwnedDialog(client_->serverThreadId(), client_->window());
    // Seen once is enough: the controls go before the frame as it closes.
    modernDialog_ = modernDialog_ || IsModernFileDialog(own);
    if (!driver_) return;
    driver_->poll();
    if (HWND dialog = driver_->dialog(); dialog && IsWindow(dialog)) {
      if (dialogCaption_.empty()) dialogCaption_ = WindowText(dialog) + "|";
      GetWindowRect(dialog, &dialogRect_);
      if (HWND owner = OwnerOf(dialog)) dialogOwner_ = owner;  // none once the frame is going
      if (HWND printers = PrinterList(dialog)) {
        if (shownPrinter_.empty()) shownPrinter_ = WindowText(printers);
        // Where the chosen printer is: the dialog says so once it has taken the choice.
        if (std::string where = DialogItemText(dialog, stc14); !where.empty()) printerWhere_ = where;
      }
    }
  }
};
