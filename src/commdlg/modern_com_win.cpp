#include "commdlg/modern_com_win.h"

namespace {
template <class Function>
void Find(HMODULE module, const char* name, Function& function) {
  if (module) function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}
}  // namespace

const ComCalls& Com() {
  static const ComCalls calls = [] {
    ComCalls c;
    HMODULE ole = LoadLibraryA("ole32.dll"), shell = LoadLibraryA("shell32.dll");
    Find(ole, "CoInitializeEx", c.initialize);
    Find(ole, "CoUninitialize", c.uninitialize);
    Find(ole, "CoCreateInstance", c.createInstance);
    Find(ole, "CoTaskMemFree", c.freeMemory);
    Find(shell, "SHCreateItemFromParsingName", c.itemFromPath);
    return c;
  }();
  return calls;
}

std::wstring TakeComText(LPWSTR text) {
  std::wstring result = text ? text : L"";
  if (text) Com().freeMemory(text);
  return result;
}

std::wstring ItemPath(IShellItem* item) {
  LPWSTR path = nullptr;
  if (!item || FAILED(item->GetDisplayName(SIGDN_FILESYSPATH, &path))) return std::wstring();
  return TakeComText(path);
}
