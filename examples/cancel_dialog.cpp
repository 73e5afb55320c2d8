// cancel_dialog.cpp: an open dialog through the C++ client library, cancelled by the program
// itself; prints the reply and a property read out of it, and exits with the outcome
// (0 accepted, 1 cancelled, 2 no reply, 3 time-out, 4 a reply code that is neither).
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "client/auto_driver.h"
#include "client/dialog_client.h"
#include "server/protocol.h"
#include "streaming/reply_reader.h"

int main() {
  // A program's own window class, registered as the platform's headers spell it: the client
  // library's headers change none of the includer's macros.
  WNDCLASS own{};
  own.lpfnWndProc = DefWindowProc;
  own.lpszClassName = TEXT("CancelDialogExample");
  RegisterClass(&own);

  std::vector<dlg::AutoStep> steps;
  std::string error;
  if (!dlg::ParseAutoSteps("cancel", steps, &error)) {
    std::fprintf(stderr, "steps: %s\n", error.c_str());
    return 2;
  }
  std::unique_ptr<dlg::AutoDriver> driver;
  dlg::DialogClient::Options options;  // dlgserver.exe beside this program
  options.runTimeoutMs = 30000;
  options.onDialogIdle = [&] {
    if (driver) driver->poll();
  };
  dlg::DialogClient client(options);
  if (!client.launch("TOpenDialog") || !client.waitReady()) {
    std::fprintf(stderr, "no server: %s\n", client.failure().c_str());
    return 2;
  }
  driver = std::make_unique<dlg::AutoDriver>(steps, client.window(), client.serverThreadId());
  dlg::RunResult r = client.run("object Request: TOpenDialog\r\nend\r\n");
  std::fwrite(r.text.data(), 1, r.text.size(), stdout);
  if (r.outcome == dlg::Outcome::NoReply) std::fprintf(stderr, "no reply: %s\n", r.failure.c_str());
  bool replied = r.outcome == dlg::Outcome::Accepted || r.outcome == dlg::Outcome::Cancelled;
  if (replied && r.replyCode != protocol::kAcceptedReply && r.replyCode != protocol::kCancelledReply) return 4;
  if (replied) {
    // A property read out of the reply, as the server reads a request.
    std::string style;
    if (TReplyReader(r.text).string("FileEditStyle", style) == ReadResult::Found)
      std::printf("FileEditStyle: %s\n", style.c_str());
  }
  return static_cast<int>(r.outcome);
}
