#include "commdlg/dialog_library_win.h"

#include "base/errors.h"
#include "base/format.h"
#include "base/messages.h"

namespace {
constexpr char kLibraryName[] = "comdlg32.dll";

struct Library {
  HANDLE thread = nullptr;  // the background load and what follows it
  HANDLE loaded = nullptr;  // set once the background load is done
  void (*afterwards)() = nullptr;
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
  Library& library = TheLibrary();
  LoadLibraryA(kLibraryName);
  SetEvent(library.loaded);
  if (library.afterwards) library.afterwards();
  return 0;
}

HMODULE Module() {
  Library& library = TheLibrary();
  if (!library.ready) {
    if (library.loaded) WaitForSingleObject(library.loaded, INFINITE);
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

void StartLoadingDialogLibrary(void (*afterwards)()) {
  Library& library = TheLibrary();
  if (library.thread || library.ready) return;
  library.afterwards = afterwards;
  library.loaded = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  library.thread = CreateThread(nullptr, 0, Load, nullptr, 0, nullptr);
  if (!library.thread) {
    CloseHandle(library.loaded);
    library.loaded = nullptr;
  }
}

void FinishLoadingDialogLibrary(DWORD timeoutMs) {
  HANDLE thread = TheLibrary().thread;
  if (!thread) return;
  // What follows the load may send to this thread's windows and wait for the answer: messages
  // sent meanwhile are dealt with, the others stay queued.
  const ULONGLONG until = GetTickCount64() + timeoutMs;
  for (ULONGLONG now = GetTickCount64(); now < until; now = GetTickCount64()) {
    if (MsgWaitForMultipleObjects(1, &thread, FALSE, static_cast<DWORD>(until - now), QS_SENDMESSAGE) != WAIT_OBJECT_0 + 1)
      return;
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
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
