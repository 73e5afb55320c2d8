// The open dialog record dlgserver.exe builds for a TOpenDialog request with FileName and
// InitialDir set, for the in-process yardsticks to show the very same dialog: the record as of
// version 4 (76 bytes on 32-bit), Explorer style, the server's centring hook.
#pragma once

#include <cstring>

#include "platform/record_sizes.h"

// What the server's hook does: centre the frame, which is the hook window's parent.
inline UINT_PTR CALLBACK CentringHook(HWND window, UINT message, WPARAM, LPARAM lParam) {
  if (message != WM_NOTIFY || reinterpret_cast<const NMHDR*>(lParam)->code != CDN_INITDONE) return 0;
  HWND frame = GetParent(window);
  RECT rect;
  if (!GetWindowRect(frame, &rect)) return 0;
  int left = (GetSystemMetrics(SM_CXSCREEN) - (rect.right - rect.left)) / 2;
  int top = (GetSystemMetrics(SM_CYSCREEN) - (rect.bottom - rect.top)) / 3;
  SetWindowPos(frame, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  return 0;
}

// `file` is the name buffer (MAX_PATH bytes) and receives the chosen name; `dir` must outlive
// the record.
inline OPENFILENAMEA ServerOpenRecord(HWND owner, HINSTANCE instance, char* file, const char* dir) {
  OPENFILENAMEA record{};
  record.lStructSize = record_size::kOpenFileName;
  record.hwndOwner = owner;
  record.hInstance = instance;
  record.nFilterIndex = 1;
  record.lpstrFile = file;
  record.nMaxFile = MAX_PATH;
  record.lpstrInitialDir = dir;
  record.lpstrTitle = "";
  record.Flags = OFN_ENABLEHOOK | OFN_EXPLORER;
  record.lpfnHook = CentringHook;
  return record;
}

// The yardstick program's own window, of a class named `name`, with `style` and `bounds`.
inline HWND YardstickWindow(HINSTANCE instance, const char* name, DWORD style, RECT bounds) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.hInstance = instance;
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = name;
  RegisterClassA(&windowClass);
  return CreateWindowExA(0, name, name, style, bounds.left, bounds.top, bounds.right - bounds.left,
                         bounds.bottom - bounds.top, nullptr, nullptr, instance, nullptr);
}
