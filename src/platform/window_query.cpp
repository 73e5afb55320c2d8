#include "platform/window_query.h"

#include <commctrl.h>

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

HWND FindChildDialogWithItem(HWND frame, int id) {
  for (HWND child = FindWindowExA(frame, nullptr, "#32770", nullptr); child;
       child = FindWindowExA(frame, child, "#32770", nullptr))
    if (GetDlgItem(child, id)) return child;
  return nullptr;
}

namespace {
struct DescendantQuery {
  const char* className;
  const std::string* text;
  HWND found;
};

BOOL CALLBACK MatchDescendant(HWND window, LPARAM lParam) {
  auto* query = reinterpret_cast<DescendantQuery*>(lParam);
  if (WindowClassName(window) == query->className && WindowText(window) == *query->text) {
    query->found = window;
    return FALSE;
  }
  return TRUE;
}

bool SameNameIgnoringCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, a.data(),
                                                static_cast<int>(a.size()), b.data(),
                                                static_cast<int>(b.size())) == CSTR_EQUAL;
}
}  // namespace

HWND FindDescendant(HWND parent, const char* className, const std::string& text) {
  DescendantQuery query{className, &text, nullptr};
  EnumChildWindows(parent, MatchDescendant, reinterpret_cast<LPARAM>(&query));
  return query.found;
}

bool SelectListViewItem(HWND listView, const std::string& name) {
  DWORD processId = 0;
  GetWindowThreadProcessId(listView, &processId);
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
  if (!process) return false;
  // The list view reads and writes its records in its own process: they live there.
  constexpr size_t kTextSize = 520;
  auto* remote = static_cast<char*>(
      VirtualAllocEx(process, nullptr, sizeof(LVITEMA) + kTextSize, MEM_COMMIT, PAGE_READWRITE));
  if (!remote) {
    CloseHandle(process);
    return false;
  }
  auto* remoteItem = reinterpret_cast<LVITEMA*>(remote);
  char* remoteText = remote + sizeof(LVITEMA);
  auto send = [&](UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(listView, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result);
    return static_cast<LRESULT>(result);
  };
  const std::string bare = name.substr(0, name.find_last_of('.'));
  int found = -1;
  const int count = static_cast<int>(send(LVM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count && found < 0; ++i) {
    LVITEMA item{};
    item.pszText = remoteText;
    item.cchTextMax = kTextSize;
    WriteProcessMemory(process, remoteItem, &item, sizeof item, nullptr);
    int length = static_cast<int>(send(LVM_GETITEMTEXTA, i, reinterpret_cast<LPARAM>(remoteItem)));
    char text[kTextSize] = {};
    ReadProcessMemory(process, remoteText, text, kTextSize - 1, nullptr);
    std::string shown(text, length > 0 && length < static_cast<int>(kTextSize) ? length : 0);
    if (SameNameIgnoringCase(shown, name) || SameNameIgnoringCase(shown, bare)) found = i;
  }
  if (found >= 0) {
    LVITEMA state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = 0;
    WriteProcessMemory(process, remoteItem, &state, sizeof state, nullptr);
    send(LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(remoteItem));
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    WriteProcessMemory(process, remoteItem, &state, sizeof state, nullptr);
    send(LVM_SETITEMSTATE, static_cast<WPARAM>(found), reinterpret_cast<LPARAM>(remoteItem));
  }
  VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  CloseHandle(process);
  return found >= 0;
}

std::string HandleText(HWND window) { return std::to_string(HandleToLong(window)); }

bool WindowsOfOneProcess(HWND a, HWND b) {
  DWORD processA = 0, processB = 0;
  if (!a || !b || !GetWindowThreadProcessId(a, &processA) || !GetWindowThreadProcessId(b, &processB)) return false;
  return processA == processB;
}
