#include "platform/window_query.h"

std::string WindowClassName(HWND window) {
  char name[256] = {};
  int n = GetClassNameA(window, name, sizeof name);
  return std::string(name, n > 0 ? n : 0);
}

namespace {
BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}
}  // namespace

std::vector<HWND> ThreadWindows(DWORD threadId) {
  std::vector<HWND> windows;
  EnumThreadWindows(threadId, CollectWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

HWND FindThreadWindow(DWORD threadId, const char* className) {
  for (HWND window : ThreadWindows(threadId))
    if (WindowClassName(window) == className) return window;
  return nullptr;
}

std::string WindowText(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length))
    return std::string();
  std::string text(length + 1, '\0');
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]),
                           SMTO_ABORTIFHUNG, 2000, &copied))
    return std::string();
  text.resize(copied < text.size() ? copied : text.size() - 1);
  return text;
}

std::string DialogItemText(HWND dialog, int id) {
  HWND item = GetDlgItem(dialog, id);
  return item ? WindowText(item) : std::string();
}

HWND OwnerOf(HWND window) { return GetWindow(window, GW_OWNER); }
