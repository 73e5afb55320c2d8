#include "commdlg/start_folder_win.h"

#include <shlobj.h>

#include <optional>

#include "dialogs/modern_file_dialog.h"
#include "platform/ansi_text.h"
#include "platform/win32.h"

namespace {
constexpr wchar_t kLastVisitedKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ComDlg32\\LastVisitedMRU";
constexpr wchar_t kOrderValue[] = L"MRUList";

// The registry key, closed at the end of its scope.
class Key {
 public:
  explicit Key(bool create) {
    const LSTATUS status = create ? RegCreateKeyExW(HKEY_CURRENT_USER, kLastVisitedKey, 0, nullptr, 0,
                                                    KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key_, nullptr)
                                  : RegOpenKeyExW(HKEY_CURRENT_USER, kLastVisitedKey, 0, KEY_QUERY_VALUE, &key_);
    if (status != ERROR_SUCCESS) key_ = nullptr;
  }
  ~Key() {
    if (key_) RegCloseKey(key_);
  }
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;

  // A value's data as UTF-16 text (NULs kept); empty when it is missing.
  std::wstring read(const std::wstring& name) const {
    DWORD size = 0;
    if (!key_ || RegQueryValueExW(key_, name.c_str(), nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS) return {};
    std::wstring data(size / sizeof(wchar_t), L'\0');
    if (RegQueryValueExW(key_, name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(&data[0]), &size) != ERROR_SUCCESS)
      return {};
    data.resize(size / sizeof(wchar_t));
    return data;
  }
  void write(const std::wstring& name, DWORD type, const std::wstring& data) const {
    if (key_)
      RegSetValueExW(key_, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.c_str()),
                     static_cast<DWORD>(data.size() * sizeof(wchar_t)));
  }

 private:
  HKEY key_ = nullptr;
};

std::wstring ProgramName() {
  wchar_t path[MAX_PATH] = {};
  const DWORD size = GetModuleFileNameW(nullptr, path, MAX_PATH);
  const std::wstring program(path, size < MAX_PATH ? size : 0);
  return program.substr(program.find_last_of(L'\\') + 1);
}

// The entries' letters, most recent first (the value ends in a NUL).
std::wstring Order(const Key& key) {
  const std::wstring order = key.read(kOrderValue);
  return order.substr(0, order.find(L'\0'));
}

struct Entry {
  wchar_t letter;
  std::wstring folder;
};

std::optional<Entry> ProgramEntry(const Key& key) {
  const std::wstring program = ProgramName();
  for (wchar_t letter : Order(key)) {
    const std::wstring data = key.read(std::wstring(1, letter));
    const size_t end = data.find(L'\0');
    if (end == std::wstring::npos || lstrcmpiW(data.substr(0, end).c_str(), program.c_str()) != 0) continue;
    return Entry{letter, data.substr(end + 1, data.find(L'\0', end + 1) - end - 1)};
  }
  return std::nullopt;
}

std::wstring CurrentFolder() {
  wchar_t path[MAX_PATH] = {};
  const DWORD size = GetCurrentDirectoryW(MAX_PATH, path);
  return size > 0 && size < MAX_PATH ? path : std::wstring();
}

// The current folder has an entry matching one of the filter's patterns (taken relative to it,
// each pattern text whole, as the classic dialog does).
bool CurrentFolderMatches(const std::string& filter) {
  for (const auto& pair : FilterPairs(filter)) {
    WIN32_FIND_DATAW data;
    HANDLE find = pair.second.empty() ? INVALID_HANDLE_VALUE : FindFirstFileW(FromAnsi(pair.second).c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) continue;
    FindClose(find);
    return true;
  }
  return false;
}

// The shell is loaded with the dialog library, so it is looked up, not imported.
std::wstring DocumentsFolder() {
  using FolderPath = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPWSTR);
  const auto folderPath = reinterpret_cast<FolderPath>(
      reinterpret_cast<void*>(GetProcAddress(LoadLibraryA("shell32.dll"), "SHGetFolderPathW")));
  wchar_t path[MAX_PATH] = {};
  return folderPath && SUCCEEDED(folderPath(nullptr, CSIDL_PERSONAL, nullptr, 0, path)) ? path : std::wstring();
}
}  // namespace

std::wstring ClassicStartFolder(const std::string& filter) {
  const Key key(false);
  const std::optional<Entry> last = ProgramEntry(key);
  if (last && !last->folder.empty() && GetFileAttributesW(last->folder.c_str()) != INVALID_FILE_ATTRIBUTES)
    return last->folder;
  if (CurrentFolderMatches(filter)) return CurrentFolder();
  return DocumentsFolder();
}

void RememberLastFolder(const std::wstring& folder) {
  const Key key(true);
  std::wstring order = Order(key);
  const std::optional<Entry> entry = ProgramEntry(key);
  // This program's letter, else the first free one, else the least recent one's.
  wchar_t letter = entry ? entry->letter : L'\0';
  for (wchar_t c = L'a'; !letter && c <= L'z'; ++c)
    if (order.find(c) == std::wstring::npos) letter = c;
  if (!letter) letter = order.back();
  key.write(std::wstring(1, letter), REG_BINARY, ProgramName() + L'\0' + folder + L'\0');
  if (order.find(letter) != std::wstring::npos) order.erase(order.find(letter), 1);
  key.write(kOrderValue, REG_SZ, letter + order + L'\0');
}
