// The host form: the window a client finds (class TDialogForm, caption "GetOpenFileName"; never
// shown, off screen), the components a request's object may not be named after (DialogForm,
// Button1, OpenDialog1), the command line and the registry, and the request exchange.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "base/stream.h"
#include "dialogs/dialog_form.h"
#include "platform/copy_data.h"
#include "platform/win32.h"
#include "server/dialog_kinds.h"

class TApplication;

class THostForm {
 public:
  THostForm(TApplication& application, std::vector<std::string> arguments);
  ~THostForm();
  THostForm(const THostForm&) = delete;
  THostForm& operator=(const THostForm&) = delete;

  // The creation handler: fills the registry, hides the application window, moves the form off
  // screen, reads the four arguments and sends the ready notice; on a wrong argument count or
  // any failure it asks the application to terminate instead, silently.
  void formCreate();
  // Creates the (invisible) window with its button Button1; 0 until then. The button is there
  // as the form's component; nothing runs when it is pressed, since the form is never shown
  // and only another program's message could press it.
  void createWindow(HINSTANCE instance);
  HWND handle() const { return window_; }

  const std::string& dialogClassName() const { return dialogClassName_; }
  HWND helpWindow() const { return helpWindow_; }
  HWND ownerWindow() const { return ownerWindow_; }
  HWND notifyWindow() const { return notifyWindow_; }
  const DialogKindRegistry& registry() const { return registry_; }

  // Design size and the position the creation handler gives it.
  int left() const { return left_; }
  int top() const { return top_; }
  static constexpr int kWidth = 482;
  static constexpr int kHeight = 342;
  static constexpr int kButton1Id = 1;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // WM_COPYDATA from `sender`; the answer is 0 unless a run request ran a dialog.
  LRESULT handleCopyData(HWND sender, CopyDataMessage& message);
  // The request text of a run request this server serves now, or null: only while it waits,
  // only from the client's process, with the client's key when it has one. Throws when the
  // text is larger than the platform carries.
  const std::string* servedRequest(HWND sender, CopyDataMessage& message);
  // Runs the command line's dialog class with the request's properties and sends the reply.
  // 1 when a dialog ran, 0 when the class has no registry entry. Failures pass on.
  LRESULT runDialog(HWND sender, TMemoryStream& request);

  // Waiting -> Reading (the request is read; the client still waits for the answer) ->
  // Running (released; dialog and reply) -> Served. A failure while Reading goes back to
  // Waiting, so the client can send again; one after the release leaves the server Served.
  // Only a Waiting server takes a run request: one dialog, one reply per process.
  enum class RunState { Waiting, Reading, Running, Served };

  TApplication& application_;
  std::vector<std::string> arguments_;
  std::unique_ptr<TDialogForm> model_;  // the components: DialogForm, Button1, OpenDialog1
  DialogKindRegistry registry_;
  std::string dialogClassName_;
  HWND helpWindow_ = nullptr;
  HWND ownerWindow_ = nullptr;
  HWND notifyWindow_ = nullptr;
  HWND window_ = nullptr;
  int left_ = 433;
  int top_ = 257;
  UINT focusProbe_ = 0;
  RunState runState_ = RunState::Waiting;
  std::string requestKey_;  // empty: the server was started without one
};
