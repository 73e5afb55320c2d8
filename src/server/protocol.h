// The wire protocol for C++ code, from the C header that clients in any language use
// (dlgprotocol.h, which says what each code means).
#pragma once

#include <cstdint>

#include "server/dlgprotocol.h"

namespace protocol {

inline constexpr uint32_t kReadyNotice = DLG_READY_NOTICE;
inline constexpr uint32_t kRunRequest = DLG_RUN_REQUEST;
inline constexpr uint32_t kAcceptedReply = DLG_ACCEPTED_REPLY;
inline constexpr uint32_t kCancelledReply = DLG_CANCELLED_REPLY;
inline constexpr uint32_t kRunningNotice = DLG_RUNNING_NOTICE;
// A server started with a request key serves only this run request, and one started without
// answers it 0. The key reaches the server in its environment, which, unlike the command line
// and the windows, another program cannot read without the right to read its memory; the
// server takes it out of its environment at start.
inline constexpr uint32_t kKeyedRunRequest = DLG_KEYED_RUN_REQUEST;
inline constexpr char kRequestKeyVariable[] = DLG_REQUEST_KEY_VARIABLE;

inline constexpr char kFocusProbeMessage[] = DLG_FOCUS_PROBE_MESSAGE;
inline constexpr char kHostFormClass[] = DLG_HOST_FORM_CLASS;
inline constexpr char kHostFormCaption[] = DLG_HOST_FORM_CAPTION;
inline constexpr char kApplicationClass[] = DLG_APPLICATION_CLASS;
inline constexpr uint32_t kHelpRequest = DLG_HELP_REQUEST;

}  // namespace protocol
