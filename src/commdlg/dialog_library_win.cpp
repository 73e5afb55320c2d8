#include "commdlg/dialog_library_win.h"

#include "base/errors.h"
#include "base/format.h"
#include "base/messages.h"

namespace {
constexpr char kLibraryName[] = "comdlg32.dll";

struct Library {
  HANDLE loader = nullptr;  // the background load, until it has been waited for
  HMODULE module = nullptr;
  bool ready = false;
};

Library& TheLibrary() {
  static Library library;
  return library;
}

// The load on the background thread: the platform's loader serialises it with anything the
// main thread loads meanwhile. The module stays loaded for the life of the process.
DWORD WINAPI Load(LPVOID) {
  LoadLibraryA(kLibraryName);
  return 0;
}

HMODULE Module() {
  Library& library = TheLibrary();
  if (!library.ready) {
    if (library.loader) {
      WaitForSingleObject(library.loader, INFINITE);
      CloseHandle(library.loader);
      library.loader = nullptr;
    }
    library.module = LoadLibraryA(kLibraryName);  // loaded by now: this only counts a reference
    library.ready = true;
  }
  if (!library.module) throw EDialogLibrary(Format(msg::kDialogLibraryMissing, {kLibraryName}));
  return library.module;
}

template <class Function>
Function Resolve(const char* name) {
  auto function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(Module(), name)));
  if (!function) throw EDialogLibrary(Format(msg::kDialogLibraryMissing, {kLibraryName}));
  return function;
}

using FileNameCall = BOOL(WINAPI*)(OPENFILENAMEA*);
using ColorCall = BOOL(WINAPI*)(CHOOSECOLORA*);
using FontCall = BOOL(WINAPI*)(CHOOSEFONTA*);
using PrintCall = BOOL(WINAPI*)(PRINTDLGA*);
using FindCall = HWND(WINAPI*)(FINDREPLACEA*);
}  // namespace

void StartLoadingDialogLibrary() {
  Library& library = TheLibrary();
  if (library.loader || library.ready) return;
  library.loader = CreateThread(nullptr, 0, Load, nullptr, 0, nullptr);
}

FileDialogFunction OpenFileNameFunction() {
  static const FileNameCall function = Resolve<FileNameCall>("GetOpenFileNameA");
  return function;
}

FileDialogFunction SaveFileNameFunction() {
  static const FileNameCall function = Resolve<FileNameCall>("GetSaveFileNameA");
  return function;
}

DialogFunction<CHOOSECOLORA> ChooseColorFunction() {
  static const ColorCall function = Resolve<ColorCall>("ChooseColorA");
  return function;
}

DialogFunction<CHOOSEFONTA> ChooseFontFunction() {
  static const FontCall function = Resolve<FontCall>("ChooseFontA");
  return function;
}

DialogFunction<PRINTDLGA> PrintDialogFunction() {
  static const PrintCall function = Resolve<PrintCall>("PrintDlgA");
  return function;
}

std::function<HWND(FINDREPLACEA*)> FindTextFunction() {
  static const FindCall function = Resolve<FindCall>("FindTextA");
  return function;
}
