#include "commdlg/common_dialog_win.h"

#include <optional>
#include <vector>

#include "commdlg/dialog_host.h"
#include "platform/thread_windows.h"

namespace {
// One pending failure per platform dialog call in progress, innermost last (calls nest: the FSL
// browse dialog runs inside an event of the open dialog), and below them one for what runs
// outside any call (the modeless find dialog). A call rethrows only its own.
struct RunFrame {
  const TCommonDialog* dialog;
  std::exception_ptr failure;
};

std::vector<RunFrame>& Runs() {
  static std::vector<RunFrame> runs{{nullptr, nullptr}};
  return runs;
}

// The frame of `dialog`'s call, or the innermost one.
RunFrame& FrameOf(const TCommonDialog* dialog) {
  std::vector<RunFrame>& runs = Runs();
  if (dialog)
    for (auto frame = runs.rbegin(); frame != runs.rend(); ++frame)
      if (frame->dialog == dialog) return *frame;
  return runs.back();
}

// A call's frame, for the life of that call.
class RunFrameScope {
 public:
  explicit RunFrameScope(const TCommonDialog& dialog) { Runs().push_back({&dialog, nullptr}); }
  ~RunFrameScope() { Runs().pop_back(); }
  RunFrameScope(const RunFrameScope&) = delete;
  RunFrameScope& operator=(const RunFrameScope&) = delete;
  std::exception_ptr failure() const { return Runs().back().failure; }
};

// Undoes what RunTaskModalCall did, whichever way the call ends.
class TaskModalState {
 public:
  explicit TaskModalState(TCommonDialog& dialog) : active_(GetActiveWindow()) {
    disabled_.emplace();
    hook_ = AddApplicationMessageHook(
        [&dialog](UINT message, WPARAM, LPARAM) { return HandleHelpMessage(dialog, message); });
  }
  ~TaskModalState() {
    RemoveApplicationMessageHook(hook_);
    disabled_.reset();  // enabled again before the formerly active window is activated
    if (active_) SetActiveWindow(active_);
  }
  TaskModalState(const TaskModalState&) = delete;
  TaskModalState& operator=(const TaskModalState&) = delete;

 private:
  HWND active_;
  std::optional<ThreadWindowsDisabled> disabled_;
  int hook_ = 0;
};

struct Ctl3DLibrary {
  HMODULE module = nullptr;
  HINSTANCE instance = nullptr;
  BOOL(WINAPI* subclassDlgEx)(HWND, DWORD) = nullptr;
  BOOL(WINAPI* autoSubclass)(HINSTANCE) = nullptr;
  BOOL(WINAPI* unAutoSubclass)() = nullptr;
  BOOL(WINAPI* unregister)(HINSTANCE) = nullptr;
};

Ctl3DLibrary& Ctl3D() {
  static Ctl3DLibrary library;
  return library;
}
}  // namespace

void KeepPendingFailure(std::exception_ptr failure, const TCommonDialog* dialog) {
  std::exception_ptr& kept = FrameOf(dialog).failure;
  if (!kept) kept = failure;
}

bool FailurePending(const TCommonDialog* dialog) { return FrameOf(dialog).failure != nullptr; }

void RethrowPendingFailure() {
  if (std::exception_ptr failure = Runs().back().failure) {
    Runs().back().failure = nullptr;
    std::rethrow_exception(failure);
  }
}

void FailDialog(HWND dialogWindow, const TCommonDialog* dialog) {
  KeepPendingFailure(std::current_exception(), dialog);
  if (dialogWindow) PostMessageA(dialogWindow, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

bool HandleHelpMessage(TCommonDialog& dialog, UINT message) {
  if (message == 0 || message != HelpMessage() || dialog.FHelpContext == 0) return false;
  ShowHelpContext(dialog.FHelpContext);
  return true;
}

BOOL RunTaskModalCall(TCommonDialog& dialog, const std::function<BOOL()>& call) {
  // A dialog around this one has failed and is ending: nothing new opens on it.
  for (const RunFrame& frame : Runs())
    if (frame.failure) return FALSE;
  BOOL answer;
  std::exception_ptr failure;
  {
    RunFrameScope frame(dialog);
    {
      TaskModalState state(dialog);
      answer = call();
    }
    failure = frame.failure();
  }
  if (failure) std::rethrow_exception(failure);
  return answer;
}

void CenterOnScreen(HWND window) {
  RECT rect;
  if (!GetWindowRect(window, &rect)) return;
  int left = (GetSystemMetrics(SM_CXSCREEN) - (rect.right - rect.left)) / 2;
  int top = (GetSystemMetrics(SM_CYSCREEN) - (rect.bottom - rect.top)) / 3;
  SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

UINT_PTR CALLBACK ClassicDialogHook(HWND window, UINT message, WPARAM, LPARAM) {
  try {
    switch (message) {
      case WM_INITDIALOG:
        if (Ctl3DFlag() && Ctl3DLibraryInUse()) {
          Ctl3D().subclassDlgEx(window, 0xFFFF);
          Ctl3D().autoSubclass(Ctl3D().instance);
        }
        CenterOnScreen(window);
        return 1;
      case WM_DESTROY:
        if (Ctl3DFlag() && Ctl3DLibraryInUse()) Ctl3D().unAutoSubclass();
        return 0;
    }
  } catch (...) {
    FailDialog(window);
  }
  return 0;
}

void LoadCtl3DLibrary(HINSTANCE instance) {
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof version;
  if (!GetVersionExA(&version)) return;
  if (!(version.dwMajorVersion < 4 && version.dwMinorVersion < 89)) return;
  UINT oldMode = SetErrorMode(SEM_NOOPENFILEERRORBOX);
  HMODULE module = LoadLibraryA("CTL3D32.DLL");
  SetErrorMode(oldMode);
  if (!module) return;
  auto registerApp = reinterpret_cast<BOOL(WINAPI*)(HINSTANCE)>(
      reinterpret_cast<void*>(GetProcAddress(module, "Ctl3dRegister")));
  Ctl3DLibrary& library = Ctl3D();
  library.subclassDlgEx = reinterpret_cast<BOOL(WINAPI*)(HWND, DWORD)>(
      reinterpret_cast<void*>(GetProcAddress(module, "Ctl3dSubclassDlgEx")));
  library.autoSubclass = reinterpret_cast<BOOL(WINAPI*)(HINSTANCE)>(
      reinterpret_cast<void*>(GetProcAddress(module, "Ctl3dAutoSubclass")));
  library.unAutoSubclass = reinterpret_cast<BOOL(WINAPI*)()>(
      reinterpret_cast<void*>(GetProcAddress(module, "Ctl3dUnAutoSubclass")));
  library.unregister = reinterpret_cast<BOOL(WINAPI*)(HINSTANCE)>(
      reinterpret_cast<void*>(GetProcAddress(module, "Ctl3dUnregister")));
  if (!registerApp || !library.subclassDlgEx || !library.autoSubclass || !library.unAutoSubclass ||
      !library.unregister || !registerApp(instance)) {
    FreeLibrary(module);
    library = Ctl3DLibrary{};
    return;
  }
  library.module = module;
  library.instance = instance;
}

void UnloadCtl3DLibrary() {
  Ctl3DLibrary& library = Ctl3D();
  if (!library.module) return;
  library.unregister(library.instance);
  FreeLibrary(library.module);
  library = Ctl3DLibrary{};
}

bool Ctl3DLibraryInUse() { return Ctl3D().module != nullptr; }
