#include "commdlg/ansi_names_win.h"

#include <cstring>
#include <optional>

#include <shlobj.h>

#include "dialogs/file_names.h"

namespace {

ShortPathFunction& CustomShortPath() {
  static ShortPathFunction function;
  return function;
}

std::wstring PlatformShortPath(const std::wstring& path) {
  DWORD size = GetShortPathNameW(path.c_str(), nullptr, 0);
  if (size == 0) return std::wstring();
  std::wstring result(size, L'\0');
  size = GetShortPathNameW(path.c_str(), &result[0], size);
  result.resize(size);
  return result;
}

std::wstring ShortPath(const std::wstring& path) {
  return CustomShortPath() ? CustomShortPath()(path) : PlatformShortPath(path);
}

// The Unicode text of the file name box (cmb13 in some set-ups of the Explorer dialog, edt1 in
// others), as the user typed it.
std::wstring FileNameBoxText(HWND frame) {
  for (int id : {cmb13, edt1})
    if (HWND box = GetDlgItem(frame, id)) return WindowTextW(box);
  return std::wstring();
}

// The folder the Explorer dialog `frame` shows, in Unicode, ending in "\": the dialog copies out
// its item id list, which the shell (loaded with the dialog) makes a path. Empty when either
// is not there (a stand-in frame).
std::wstring FolderPathW(HWND frame) {
  using PathFromIdList = BOOL(WINAPI*)(PCIDLIST_ABSOLUTE, LPWSTR);
  const auto pathFromIdList = reinterpret_cast<PathFromIdList>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("shell32.dll"), "SHGetPathFromIDListW")));
  const LRESULT size = SendMessageW(frame, CDM_GETFOLDERIDLIST, 0, 0);
  if (!pathFromIdList || size <= 0) return std::wstring();
  std::vector<BYTE> idList(static_cast<size_t>(size));
  SendMessageW(frame, CDM_GETFOLDERIDLIST, static_cast<WPARAM>(size), reinterpret_cast<LPARAM>(idList.data()));
  wchar_t path[MAX_PATH] = {};
  if (!pathFromIdList(reinterpret_cast<PCIDLIST_ABSOLUTE>(idList.data()), path) || !path[0]) return std::wstring();
  std::wstring folder = path;
  return folder.back() == L'\\' ? folder : folder + L'\\';
}

// The Unicode path behind `ansiPath`: a selected item, or the typed name in the dialog's folder,
// with the extension the dialog appended to a name typed without one.
std::optional<std::wstring> UnicodePathOf(const std::string& ansiPath, const std::vector<std::wstring>& selected,
                                          HWND frame) {
  for (const std::wstring& path : selected)
    if (ToAnsi(path) == ansiPath) return path;
  const std::wstring typed = FileNameBoxText(frame);
  if (typed.empty()) return std::nullopt;
  // The answer's own folder is the ANSI one: "?" where the folder's name was lost.
  std::wstring folder = FolderPathW(frame);
  if (folder.empty()) folder = FromAnsi(ansiPath.substr(0, ansiPath.find_last_of('\\') + 1));
  const std::wstring typedPath = IsAbsolute(typed) ? typed : folder + typed;
  const std::string typedAnsi = ToAnsi(typedPath);
  if (typedAnsi == ansiPath) return typedPath;
  const std::string appended = ansiPath.size() > typedAnsi.size() ? ansiPath.substr(typedAnsi.size()) : std::string();
  if (ansiPath.compare(0, typedAnsi.size(), typedAnsi) == 0 && appended.size() > 1 && appended[0] == '.' &&
      appended.find_first_of(".\\", 1) == std::string::npos)
    return typedPath + FromAnsi(appended);
  return std::nullopt;
}

}  // namespace

std::wstring WindowTextW(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, &text[0], static_cast<int>(text.size()))));
  return text;
}

bool IsAbsolute(const std::wstring& name) {
  return (name.size() >= 2 && name[1] == L':') || (!name.empty() && name[0] == L'\\');
}

void TellNameUnusable(HWND frame, const std::wstring& path) {
  const std::wstring name = path.substr(path.find_last_of(L'\\') + 1);
  const std::wstring text = name + L"\nThe name has characters this program cannot use. Choose another name.";
  MessageBoxW(frame, text.c_str(), WindowTextW(frame).c_str(), MB_OK | MB_ICONEXCLAMATION);
}

std::vector<std::wstring> SelectedPathsW(HWND frame) {
  std::vector<std::wstring> paths;
  // The Explorer dialog hands out its shell browser (WM_GETISHELLBROWSER); the active view's
  // selection, as a data object, lists the items' paths in Unicode.
  auto* browser = reinterpret_cast<IShellBrowser*>(SendMessageW(frame, WM_USER + 7, 0, 0));
  IShellView* view = nullptr;
  if (!browser || FAILED(browser->QueryActiveShellView(&view)) || !view) return paths;
  IDataObject* data = nullptr;
  const HRESULT got = view->GetItemObject(SVGIO_SELECTION, __uuidof(IDataObject), reinterpret_cast<void**>(&data));
  view->Release();
  if (FAILED(got) || !data) return paths;
  FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  STGMEDIUM medium{};
  if (SUCCEEDED(data->GetData(&format, &medium)) && medium.tymed == TYMED_HGLOBAL) {
    if (const auto* drop = static_cast<const DROPFILES*>(GlobalLock(medium.hGlobal))) {
      const BYTE* list = reinterpret_cast<const BYTE*>(drop) + drop->pFiles;
      if (drop->fWide) {
        for (auto* name = reinterpret_cast<const wchar_t*>(list); *name; name += std::wcslen(name) + 1)
          paths.emplace_back(name);
      } else {
        for (auto* name = reinterpret_cast<const char*>(list); *name; name += std::strlen(name) + 1)
          paths.push_back(FromAnsi(name));
      }
      GlobalUnlock(medium.hGlobal);
    }
    // What ReleaseStgMedium does with a memory block, without importing ole32 for it.
    if (medium.pUnkForRelease)
      medium.pUnkForRelease->Release();
    else
      GlobalFree(medium.hGlobal);
  }
  data->Release();
  return paths;
}

void SetShortPathFunction(ShortPathFunction function) { CustomShortPath() = std::move(function); }

std::string UsableAnsiPath(const std::wstring& path) {
  if (SurvivesAnsi(path)) return ToAnsi(path);
  const size_t slash = path.find_last_of(L'\\');
  const std::wstring folder = path.substr(0, slash + 1);
  const std::wstring shortPath = ShortPath(path);
  if (shortPath.empty()) {
    // A file not made yet: its folder's short path and its name, which creates it there.
    const std::wstring name = path.substr(slash + 1);
    const std::wstring shortFolder = slash == std::wstring::npos || !SurvivesAnsi(name) ? std::wstring() : ShortPath(folder);
    if (shortFolder.empty() || !SurvivesAnsi(shortFolder)) return std::string();
    return ToAnsi(shortFolder.back() == L'\\' ? shortFolder + name : shortFolder + L'\\' + name);
  }
  const std::wstring shortName = shortPath.substr(shortPath.find_last_of(L'\\') + 1);
  if (SurvivesAnsi(folder) && SurvivesAnsi(shortName)) return ToAnsi(folder + shortName);
  return SurvivesAnsi(shortPath) ? ToAnsi(shortPath) : std::string();
}

std::string UsableSelectedPath(HWND frame, const std::string& ansiPath) {
  for (const std::wstring& path : SelectedPathsW(frame)) {
    if (ToAnsi(path) != ansiPath || SurvivesAnsi(path)) continue;
    const std::string usable = UsableAnsiPath(path);
    return usable.empty() ? ansiPath : usable;
  }
  return ansiPath;
}

bool MendTypedText(const std::wstring& typed, HWND frame, const std::function<void(const std::string&)>& replace) {
  if (SurvivesAnsi(typed)) return true;
  const std::string usable = UsableAnsiPath(typed);
  if (usable.empty()) {
    TellNameUnusable(frame, typed);
    return false;
  }
  replace(usable);
  return true;
}

bool MendTypedPath(HWND edit, HWND frame) {
  return !edit || MendTypedText(WindowTextW(edit), frame, [edit](const std::string& usable) {
    SetWindowTextA(edit, usable.c_str());
  });
}

bool MendAnswerNames(HWND frame, OPENFILENAMEA& record) {
  if (!record.lpstrFile || record.nMaxFile == 0) return true;
  const std::vector<std::wstring> selected = SelectedPathsW(frame);
  std::wstring unusable;
  auto replace = [&](const std::string& path) -> std::optional<std::string> {
    std::optional<std::wstring> chosen = UnicodePathOf(path, selected, frame);
    // Not known in Unicode: a name that lost nothing stays; one with "?" in it names no file.
    if (!chosen) {
      if (path.find('?') == std::string::npos) return path;
      unusable = FromAnsi(path);
      return std::nullopt;
    }
    std::string usable = UsableAnsiPath(*chosen);
    // A "?" is never part of a name: a folder lost on the way.
    if (usable.find('?') != std::string::npos) usable.clear();
    if (usable.empty()) unusable = *chosen;
    return usable.empty() ? std::nullopt : std::optional<std::string>(usable);
  };
  std::optional<std::string> answer = ReplaceAnswerNames(record.lpstrFile, record.nMaxFile, replace);
  if (!answer) {
    TellNameUnusable(frame, unusable);
    return false;
  }
  std::memcpy(record.lpstrFile, answer->data(), answer->size());
  // One name: the offsets of its file name and extension follow it.
  if (answer->find('\0') + 2 == answer->size()) {
    const std::string path = answer->substr(0, answer->find('\0'));
    const size_t name = path.find_last_of('\\') + 1, dot = path.find_last_of('.');
    record.nFileOffset = static_cast<WORD>(name);
    record.nFileExtension = static_cast<WORD>(dot != std::string::npos && dot >= name ? dot + 1 : 0);
  }
  return true;
}
