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
// True when both windows exist and belong to one process.
bool WindowsOfOneProcess(HWND a, HWND b);
// A window handle as the server's command line takes it: the decimal of its 32-bit value.
// Handles are 32-bit values on x64 too (sign-extended), which is what lets a client of either
// architecture drive a server of the other.
std::string HandleText(HWND window);
// The first child dialog (#32770) of `frame` that has a control with `id`, or null: the custom
// area of an Explorer dialog made from a template.
HWND FindChildDialogWithItem(HWND frame, int id);
// The first child of `parent`, at any depth, whose class is `className` and whose text is
// `text`, or null.
HWND FindDescendant(HWND parent, const char* className, const std::string& text);
// The same, whatever its text.
HWND FindDescendantOfClass(HWND parent, const char* className);
// Selects (and focuses) the item whose text is `name` in a list view of another process, ASCII
// case ignored; a name with an extension also matches an item shown without it. False when no
// item matches or the process cannot be reached.
bool SelectListViewItem(HWND listView, const std::string& name);
// Selects the items at `positions` (from 0) of a list view of another process, and no others;
// the focus goes to the last. False when a position is not in the list or the process cannot
// be reached.
bool SelectListViewItems(HWND listView, const std::vector<int>& positions);
