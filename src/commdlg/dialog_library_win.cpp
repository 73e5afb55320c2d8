#include "commdlg/dialog_library_win.h"

#include "base/errors.h"
#include "base/format.h"
#include "base/messages.h"

namespace {
constexpr char kLibraryName[] = "comdlg32.dll";

struct Library {
  HMODULE module = nullptr;
  bool loaded = false;  // the load was tried
};

Library& TheLibrary() {
  static Library library;
  return library;
}

// The module stays loaded for the life of the process.
HMODULE Module() {
  LoadDialogLibrary();
  HMODULE module = TheLibrary().module;
  if (!module) throw EDialogLibrary(Format(msg::kDialogLibraryMissing, {kLibraryName}));
  return module;
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

void LoadDialogLibrary() {
  Library& library = TheLibrary();
  if (library.loaded) return;
  library.module = LoadLibraryA(kLibraryName);
  library.loaded = true;
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
