// Finding and inspecting windows, also those of other processes.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/win32.h"

std::string WindowClassName(HWND window);
// The top-level windows of a thread, in the platform's order.
std::vector<HWND> ThreadWindows(DWORD threadId);
// The first top-level window of the thread whose class name is `className`, or null.
HWND FindThreadWindow(DWORD threadId, const char* className);
// Text of a control of another process's dialog (WM_GETTEXT, not GetWindowText).
std::string DialogItemText(HWND dialog, int id);
// The window's own text read with WM_GETTEXT.
std::string WindowText(HWND window);
HWND OwnerOf(HWND window);
