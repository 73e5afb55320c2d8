// The missing-FSL warning, shown modally over the FSL open dialog.
#pragma once

#include <cstdint>
#include <string>

#include "platform/win32.h"

// Shows the warning for `dataFile` owned by `owner`, every other window of the thread disabled
// meanwhile; true when the user chose "I want to select an FSL file" and pressed OK, false for
// the other choice, for closing the window and for a WM_QUIT (which is posted again). Help
// sends the help request with `helpContext`, whatever its value. Throws when the form's
// description cannot be read.
bool ShowFSLWarning(const std::string& dataFile, int32_t helpContext, HWND owner);

// The client's help window, which the warning's Help button sends 0x0F1F (wParam 1, lParam the
// help context) to, synchronously. Nothing is sent while it is 0.
void SetHelpRequestWindow(HWND window);
// Asks the client to show help topic `helpContext`: message 0x0F1F with wParam 1 to that help
// window, sent (the caller waits until the client has handled it), never posted.
void SendHelpRequest(int32_t helpContext);
