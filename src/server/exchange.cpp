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
#include "server/quit_message_filter.h"
#include "streaming/convert.h"
#include "streaming/object_stream.h"

LRESULT THostForm::handleCopyData(HWND sender, CopyDataMessage& message) {
  if (message.code == protocol::kReadyNotice) return 1;
  const std::string* text = servedRequest(sender, message);
  if (!text) return 0;
  TMemoryStream request(*text);
  runState_ = RunState::Reading;
  LRESULT result = 0;
  try {
    result = runDialog(sender, request);
  } catch (...) {
    // Reported while no other request is taken. A failure before the release leaves the
    // client waiting for the answer 0, after which it may send again; one after the release
    // ends this server's only run.
    const bool released = runState_ != RunState::Reading;
    if (released) runState_ = RunState::Served;
    application_.showException(std::current_exception());
    if (!released) runState_ = RunState::Waiting;
    return 0;
  }
  // A class without a dialog kind runs nothing, and the server goes on waiting; after a reply
  // it ends.
  runState_ = result ? RunState::Served : RunState::Waiting;
  if (result) application_.terminate();
  return result;
}

namespace {
// Compares without stopping at the first difference, so the time taken tells nothing of how
// much of a guess was right.
bool SameKey(const std::string& key, const std::string& data) {
  if (data.size() < key.size()) return false;
  unsigned char difference = 0;
  for (size_t i = 0; i < key.size(); ++i) difference |= static_cast<unsigned char>(key[i] ^ data[i]);
  return difference == 0;
}
}  // namespace

const std::string* THostForm::servedRequest(HWND sender, CopyDataMessage& message) {
  // One dialog per process: while a request is read or its dialog runs, and after its reply,
  // another is answered 0 and changes nothing.
  if (runState_ != RunState::Waiting) return nullptr;
  const uint32_t expected = requestKey_.empty() ? protocol::kRunRequest : protocol::kKeyedRunRequest;
  if (message.code != expected) return nullptr;
  // Only the client drives its server: a request sent from a window of another process would
  // hand that process the user's choice, or open a dialog on the user's screen for it.
  if (!WindowsOfOneProcess(sender, notifyWindow_)) return nullptr;
  // With a key, only a request that brings it: the sender's window handle and the notify
  // window are in view of every program on the desktop, the key is not.
  if (!requestKey_.empty()) {
    if (!SameKey(requestKey_, message.data)) return nullptr;
    message.data.erase(0, requestKey_.size());
  }
  const size_t limit = CopyDataLimit();
  if (!CopyDataFits(message.data.size(), limit)) throw Exception(RequestTooLargeText(message.data.size(), limit));
  return &message.data;
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

  runState_ = RunState::Running;
  bool accepted;
  {
    OwnerSwap swap(ownerWindow_);
    QuitMessageFilter onlyTheDialogEndsTheDialog;
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
