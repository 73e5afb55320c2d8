// What the dialogs need of the application that runs them, held process-wide: the application
// window handle (the owner of dialogs; the server swaps it while a dialog runs), the hooks that
// see the application window's messages first, the registered dialog messages, the new-style
// controls flag and the 3D flag. One thread uses all of it.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/win32.h"

HWND ApplicationHandle();
void SetApplicationHandle(HWND window);

// A hook answers true when it handled the message; the first such hook ends the handling.
using MessageHook = std::function<bool(UINT message, WPARAM wParam, LPARAM lParam)>;
// Adds a hook after the others; returns its id for RemoveApplicationMessageHook.
int AddApplicationMessageHook(MessageHook hook);
void RemoveApplicationMessageHook(int id);
// Offers a message of the application window to the hooks, in the order they were added.
bool OfferApplicationMessage(UINT message, WPARAM wParam, LPARAM lParam);

// "commdlg_help" and "commdlg_FindReplace"; 0 until RegisterDialogMessages ran.
UINT HelpMessage();
UINT FindReplaceMessage();
void RegisterDialogMessages();

// On when the platform's major version is 4 or more; the server switches it on before a dialog.
bool NewStyleControls();
void SetNewStyleControls(bool on);

// Set by each standard dialog from its Ctl3D just before it runs; read by ClassicDialogHook.
bool Ctl3DFlag();
void SetCtl3DFlag(bool on);

// The application's context-help request; shows nothing unless a handler is installed.
using HelpHandler = std::function<void(int32_t helpContext)>;
void SetHelpHandler(HelpHandler handler);
void ShowHelpContext(int32_t helpContext);
