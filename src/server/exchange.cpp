// The request exchange of the host form. A run request goes, in this order: find the dialog
// kind; create the object owned by the host form; read the request text into it; switch the
// new-style controls on; release the client; swap the application window handle for the
// client's owner window; running notice; execute; restore the handle; write the reply text;
// send the reply; terminate. A failure before the release is reported while the client still
// waits, so its call answers 0 only after the report was closed.
//
// The reply must fit what the platform carries between processes (Wine drops a larger
// WM_COPYDATA without a word, and the sender would wait for ever): a reply too large is a
// failure while writing it, reported like any other, and nothing is sent. The send itself is
// bounded, so a client that stopped handling its messages cannot hold the server.
#include <memory>
#include <string>

#include "base/errors.h"
#include "commdlg/dialog_host.h"
#include "commdlg/warm_up_win.h"
#include "objects/type_info.h"
#include "platform/copy_data.h"
#include "platform/window_query.h"
#include "server/application.h"
#include "server/host_form.h"
#include "server/protocol.h"
#include "streaming/convert.h"
#include "streaming/object_stream.h"

LRESULT THostForm::handleCopyData(HWND sender, const CopyDataMessage& message) {
  LRESULT result = 0;
  TMemoryStream request(message.data);
  switch (message.code) {
    case protocol::kReadyNotice:
      result = 1;
      break;
    case protocol::kRunRequest:
      // Only the client drives its server: a request sent from a window of another process
      // would hand that process the user's choice, or open a dialog on the user's screen for
      // it. It is answered 0, as an unknown code is, and the server goes on waiting.
      if (!WindowsOfOneProcess(sender, notifyWindow_)) break;
      // One dialog per process: after the reply the server ends. A class without a dialog kind
      // runs nothing, and the server goes on waiting.
      result = runDialog(sender, request);
      if (result) application_.terminate();
      break;
    default:
      break;
  }
  return result;
}

namespace {
// How long the reply send waits for the client to take it; after that the server goes on to
// end as after any reply.
constexpr UINT kReplyTimeoutMs = 60000;

std::string ReplyTooLargeText(size_t size) {
  return "The reply of " + std::to_string(size) + " bytes is larger than this platform can carry";
}

// Puts the application window handle back however the dialog ends.
class OwnerSwap {
 public:
  explicit OwnerSwap(HWND owner) : saved_(ApplicationHandle()) { SetApplicationHandle(owner); }
  ~OwnerSwap() { SetApplicationHandle(saved_); }
  OwnerSwap(const OwnerSwap&) = delete;
  OwnerSwap& operator=(const OwnerSwap&) = delete;

 private:
  HWND saved_;
};
}  // namespace

LRESULT THostForm::runDialog(HWND sender, TMemoryStream& request) {
  StopWarmUp();
  DialogKind kind = registry_.find(dialogClassName_);
  if (!kind.info || !kind.execute || !kind.info->create) {
    ReplyMessage(0);
    return 0;
  }
  std::unique_ptr<TComponent> dialog(kind.info->create(model_.get()));

  TMemoryStream binary;
  request.setPosition(0);
  ConvertTextToBinary(request, binary);
  binary.setPosition(0);
  ReadRootObject(binary, *dialog);

  SetNewStyleControls(true);
  LRESULT result = 1;
  if (InSendMessage()) ReplyMessage(1);

  bool accepted;
  {
    OwnerSwap swap(ownerWindow_);
    SendCopyData(notifyWindow_, window_, protocol::kRunningNotice);
    accepted = kind.execute(*dialog);
  }

  binary.clear();
  WriteRootObject(binary, *dialog);
  binary.setPosition(0);
  request.clear();
  ConvertBinaryToText(binary, request);

  if (!CopyDataFits(request.length(), CopyDataLimit())) throw Exception(ReplyTooLargeText(request.length()));
  LRESULT ignored = 0;
  SendCopyDataTimeout(sender, window_, accepted ? protocol::kAcceptedReply : protocol::kCancelledReply,
                      request.data(), request.length(), kReplyTimeoutMs, &ignored);
  return result;
}
