// The wire protocol between a client and dlgserver.exe. Everything travels as WM_COPYDATA
// (wParam = the sending window, lParam = {dwData: code, cbData: size, lpData: bytes}), plus one
// registered message. Component text is 8-bit text without a terminating NUL.
#pragma once

#include <cstdint>

namespace protocol {

// server -> notify window (command-line argument 4), no data, once start-up has finished.
// wParam is 0: the host form's window does not exist yet. Sent to the server: answered 1.
inline constexpr uint32_t kReadyNotice = 1024;
// client -> host form: component text of the dialog object to run. Answered 1 when a dialog
// will run (the client is released before it opens), 0 otherwise.
inline constexpr uint32_t kRunRequest = 1025;
// server -> the window that sent the run request (its wParam): the object's component text
// after the dialog closed; cbData = the text's length. 1025 accepted, 1026 cancelled.
inline constexpr uint32_t kAcceptedReply = 1025;
inline constexpr uint32_t kCancelledReply = 1026;
// server -> notify window, no data, wParam = host form: the dialog is about to open.
inline constexpr uint32_t kRunningNotice = 1027;
// client -> host form, from a client that started the server with a request key (below): the
// key's characters, then the component text, as for kRunRequest. Such a server serves no other
// run request; a server started without a key answers this code 0.
inline constexpr uint32_t kKeyedRunRequest = 1028;

// The environment variable through which a client hands its server the request key: a secret
// of the client's choosing (the client library makes 32 random hexadecimal digits). The server
// takes it out of its environment at start. Unlike the command line and the windows, the
// environment of another process cannot be read without the right to read its memory.
inline constexpr char kRequestKeyVariable[] = "DLGSERVER_REQUEST_KEY";

// Registered message sent to the host form; answered 1.
inline constexpr char kFocusProbeMessage[] = "QTM_FocusMyDialog";
// Window classes a client looks for among the server thread's top-level windows.
inline constexpr char kHostFormClass[] = "TDialogForm";
inline constexpr char kHostFormCaption[] = "GetOpenFileName";
inline constexpr char kApplicationClass[] = "TApplication";  // owns the failure report box
// Help request a dialog may send to the help window (argument 2): wParam 1, lParam the context.
inline constexpr uint32_t kHelpRequest = 0x0F1F;

}  // namespace protocol
