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
  if (WindowClassName(window) == query->className && (!query->text || WindowText(window) == *query->text)) {
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

HWND FindDescendantOfClass(HWND parent, const char* className) {
  DescendantQuery query{className, nullptr, nullptr};
  EnumChildWindows(parent, MatchDescendant, reinterpret_cast<LPARAM>(&query));
  return query.found;
}

namespace {
// An LVITEMA and its text in the list view's process, where the list view reads and writes them.
class RemoteListItem {
 public:
  explicit RemoteListItem(HWND listView) : listView_(listView) {
    DWORD processId = 0;
    GetWindowThreadProcessId(listView, &processId);
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (process_)
      remote_ = static_cast<char*>(VirtualAllocEx(process_, nullptr, sizeof(LVITEMA) + kTextSize, MEM_COMMIT, PAGE_READWRITE));
  }
  ~RemoteListItem() {
    if (remote_) VirtualFreeEx(process_, remote_, 0, MEM_RELEASE);
    if (process_) CloseHandle(process_);
  }
  RemoteListItem(const RemoteListItem&) = delete;
  RemoteListItem& operator=(const RemoteListItem&) = delete;

  bool ready() const { return remote_ != nullptr; }
  LRESULT send(UINT message, WPARAM wParam, LPARAM lParam) const {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(listView_, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result);
    return static_cast<LRESULT>(result);
  }
  int count() const { return static_cast<int>(send(LVM_GETITEMCOUNT, 0, 0)); }
  std::string text(int index) const {
    LVITEMA item{};
    item.pszText = remote_ + sizeof(LVITEMA);
    item.cchTextMax = kTextSize;
    WriteProcessMemory(process_, remote_, &item, sizeof item, nullptr);
    int length = static_cast<int>(send(LVM_GETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(remote_)));
    char text[kTextSize] = {};
    ReadProcessMemory(process_, remote_ + sizeof(LVITEMA), text, kTextSize - 1, nullptr);
    return std::string(text, length > 0 && length < static_cast<int>(kTextSize) ? length : 0);
  }
  // Item `index` (-1: every item) selected and focused, or neither.
  void setSelected(int index, bool selected) const {
    LVITEMA state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = selected ? LVIS_SELECTED | LVIS_FOCUSED : 0;
    WriteProcessMemory(process_, remote_, &state, sizeof state, nullptr);
    send(LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(remote_));
  }

 private:
  static constexpr size_t kTextSize = 520;
  HWND listView_;
  HANDLE process_ = nullptr;
  char* remote_ = nullptr;
};
}  // namespace

bool SelectListViewItems(HWND listView, const std::vector<int>& positions) {
  RemoteListItem item(listView);
  if (!item.ready()) return false;
  const int count = item.count();
  for (int position : positions)
    if (position < 0 || position >= count) return false;
  item.setSelected(-1, false);
  for (int position : positions) item.setSelected(position, true);
  return true;
}

bool SelectListViewItem(HWND listView, const std::string& name) {
  RemoteListItem item(listView);
  if (!item.ready()) return false;
  const std::string bare = name.substr(0, name.find_last_of('.'));
  const int count = item.count();
  for (int i = 0; i < count; ++i) {
    const std::string shown = item.text(i);
    if (SameNameIgnoringCase(shown, name) || SameNameIgnoringCase(shown, bare)) return SelectListViewItems(listView, {i});
  }
  return false;
}

std::string HandleText(HWND window) { return std::to_string(HandleToLong(window)); }

bool WindowsOfOneProcess(HWND a, HWND b) {
  DWORD processA = 0, processB = 0;
  if (!a || !b || !GetWindowThreadProcessId(a, &processA) || !GetWindowThreadProcessId(b, &processB)) return false;
  return processA == processB;
}
