#include "commdlg/find_dialog_win.h"

#include <cstdio>
#include <utility>

#include "base/errors.h"
#include "base/messages.h"
#include "commdlg/dialog_host.h"
#include "commdlg/dialog_library_win.h"
#include "dialogs/find_options.h"
#include "platform/record_sizes.h"

static_assert(fr::kDown == FR_DOWN && fr::kWholeWord == FR_WHOLEWORD && fr::kMatchCase == FR_MATCHCASE &&
                  fr::kFindNext == FR_FINDNEXT && fr::kReplace == FR_REPLACE &&
                  fr::kReplaceAll == FR_REPLACEALL && fr::kDialogTerm == FR_DIALOGTERM &&
                  fr::kShowHelp == FR_SHOWHELP && fr::kEnableHook == FR_ENABLEHOOK &&
                  fr::kNoUpDown == FR_NOUPDOWN && fr::kNoMatchCase == FR_NOMATCHCASE &&
                  fr::kNoWholeWord == FR_NOWHOLEWORD && fr::kHideUpDown == FR_HIDEUPDOWN &&
                  fr::kHideMatchCase == FR_HIDEMATCHCASE && fr::kHideWholeWord == FR_HIDEWHOLEWORD,
              "flag constants match the platform's");

namespace {

HWND& ModelessDialog() {
  static HWND window = nullptr;
  return window;
}

std::function<bool(HWND)>& FormWindowTest() {
  static std::function<bool(HWND)> isForm;
  return isForm;
}

BOOL CALLBACK TakeFirstForm(HWND window, LPARAM found) {
  if (!FormWindowTest()(window)) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

HWND FirstFormWindow() {
  HWND found = nullptr;
  if (FormWindowTest()) EnumThreadWindows(GetCurrentThreadId(), TakeFirstForm, reinterpret_cast<LPARAM>(&found));
  return found;
}

class FindWindowState;

// The find window's owner: a window without content that hands the window's notices (and the
// help message) to the find dialog it is tied to. It frees itself on the release message.
class TRedirectorWindow {
 public:
  TRedirectorWindow(FindWindowState* dialog, HWND parent);
  ~TRedirectorWindow();
  TRedirectorWindow(const TRedirectorWindow&) = delete;
  TRedirectorWindow& operator=(const TRedirectorWindow&) = delete;

  HWND handle() const { return window_; }
  // After this no message reaches the dialog, which may be gone by the time the posted release
  // message arrives.
  void untie() { dialog_ = nullptr; }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  FindWindowState* dialog_;
  HWND window_ = nullptr;
};

// The platform side of a find dialog: the record the platform reads (and writes its notices
// into), the open window and its owner.
class FindWindowState : public FindDialogWindow {
 public:
  explicit FindWindowState(TFindDialog& dialog) : dialog_(dialog) {
    record_.lStructSize = record_size::kFindReplace;
    record_.hwndOwner = ApplicationHandle();
    record_.hInstance = GetModuleHandleA(nullptr);
    record_.lpstrFindWhat = dialog.findTextBuffer();
    record_.wFindWhatLen = kFindTextBufferSize;
    record_.lpstrReplaceWith = dialog.FReplaceText;
    record_.wReplaceWithLen = kFindTextBufferSize;
    record_.lCustData = reinterpret_cast<LPARAM>(this);
    record_.lpfnHook = FindReplaceHook;
  }

  // WM_CLOSE makes the window report FR_DIALOGTERM, which records Position and releases the
  // redirector; a redirector still here takes any window it owns with it.
  ~FindWindowState() override {
    if (findWindow_ && IsWindow(findWindow_)) SendMessageA(findWindow_, WM_CLOSE, 0, 0);
    delete redirector_;
  }

  bool run(const FindTextCall& function) {
    if (findWindow_) {
      BringWindowToTop(findWindow_);
      return true;
    }
    SetCtl3DFlag(dialog_.FCtl3D);
    // A failed run may have left its redirector.
    delete redirector_;
    redirector_ = nullptr;
    redirector_ = new TRedirectorWindow(this, FirstFormWindow());
    record_.hwndOwner = redirector_->handle();
    record_.Flags = FindDialogFlags(dialog_.FOptions);
    record_.lpfnHook = FindReplaceHook;
    findWindow_ = function(&record_);
    // The platform may create the window hidden and leave the showing to its caller.
    if (findWindow_) ShowWindow(findWindow_, SW_SHOW);
    RethrowPendingFailure();
    return findWindow_ != nullptr;
  }

  FindPosition topLeft() const {
    RECT rect;
    if (findWindow_ && GetWindowRect(findWindow_, &rect)) return {rect.left, rect.top};
    return dialog_.FPosition;
  }

  // The redirector's messages: the help message, and the find window's notices about this
  // record. True when handled.
  bool handleMessage(UINT message, LPARAM lParam) {
    if (HandleHelpMessage(dialog_, message)) return true;
    if (message == 0 || message != FindReplaceMessage() || lParam != reinterpret_cast<LPARAM>(&record_))
      return false;
    const DWORD flags = record_.Flags;
    dialog_.FOptions = FindOptionsFromFlags(flags);
    if (flags & FR_FINDNEXT) {
      dialog_.FOnFind(&dialog_);
    } else if (flags & (FR_REPLACE | FR_REPLACEALL)) {
      dialog_.FOnReplace(&dialog_);
    } else if (flags & FR_DIALOGTERM) {
      dialog_.FPosition = topLeft();
      findWindow_ = nullptr;
      // The window is still inside its closing: the redirector, its owner, goes later.
      if (redirector_) {
        redirector_->untie();
        PostMessageA(redirector_->handle(), kRedirectorReleaseMessage, 0, 0);
        redirector_ = nullptr;
      }
    }
    return true;
  }

  TFindDialog& dialog() { return dialog_; }

 private:
  TFindDialog& dialog_;
  FINDREPLACEA record_{};
  HWND findWindow_ = nullptr;
  TRedirectorWindow* redirector_ = nullptr;
};

TRedirectorWindow::TRedirectorWindow(FindWindowState* dialog, HWND parent) : dialog_(dialog) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA windowClass{};
  if (!GetClassInfoA(instance, kRedirectorWindowClass, &windowClass)) {
    windowClass = WNDCLASSA{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kRedirectorWindowClass;
    RegisterClassA(&windowClass);
  }
  // No size: visible in name only.
  window_ = CreateWindowExA(0, kRedirectorWindowClass, "", WS_POPUP | WS_VISIBLE, 0, 0, 0, 0, parent, nullptr,
                            instance, this);
  if (!window_) throw EOutOfResources(msg::kWindowCreateError);
}

TRedirectorWindow::~TRedirectorWindow() {
  if (!window_) return;
  SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
  DestroyWindow(window_);
}

LRESULT CALLBACK TRedirectorWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE)
    SetWindowLongPtrA(window, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
  auto* self = reinterpret_cast<TRedirectorWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (message == kRedirectorReleaseMessage) {
    delete self;
    return 0;
  }
  LRESULT result = DefWindowProcA(window, message, wParam, lParam);
  if (result == 0 && self && self->dialog_) {
    try {
      result = self->dialog_->handleMessage(message, lParam) ? 1 : 0;
    } catch (...) {
      KeepPendingFailure(std::current_exception());
    }
  }
  return result;
}

FindWindowState* StateOf(const TFindDialog& dialog) { return static_cast<FindWindowState*>(dialog.FWindow.get()); }

}  // namespace

bool RunFindDialog(TFindDialog& dialog, const FindTextCall& function) {
  if (!dialog.FWindow) dialog.FWindow = std::make_unique<FindWindowState>(dialog);
  return StateOf(dialog)->run(function);
}

bool ExecuteFindDialog(TComponent& dialog) {
  return RunFindDialog(dynamic_cast<TFindDialog&>(dialog), FindTextFunction());
}

FindPosition FindDialogTopLeft(const TFindDialog& dialog) {
  const FindWindowState* state = StateOf(dialog);
  return state ? state->topLeft() : dialog.FPosition;
}

UINT_PTR CALLBACK FindReplaceHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  UINT_PTR result = ClassicDialogHook(window, message, wParam, lParam);
  if (message != WM_INITDIALOG) return result;
  try {
    auto* state = reinterpret_cast<FindWindowState*>(reinterpret_cast<FINDREPLACEA*>(lParam)->lCustData);
    const FindPosition at = FindDialogTopLeft(state->dialog());
    if (at.left != -1 || at.top != -1)
      SetWindowPos(window, nullptr, at.left, at.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetPropA(window, MAKEINTATOM(WndProcPtrAtom()), reinterpret_cast<HANDLE>(GetWindowLongPtrA(window, GWLP_WNDPROC)));
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FindReplaceWndProc));
  } catch (...) {
    KeepPendingFailure(std::current_exception());
  }
  return 1;
}

LRESULT CALLBACK FindReplaceWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto previous = reinterpret_cast<WNDPROC>(GetPropA(window, MAKEINTATOM(WndProcPtrAtom())));
  HWND& modeless = ModelessDialog();
  switch (message) {
    case WM_NCACTIVATE:
      if (wParam && !modeless) modeless = window;
      if (!wParam && modeless == window) modeless = nullptr;
      break;
    case WM_DESTROY:
      if (modeless == window) modeless = nullptr;
      break;
    case WM_NCDESTROY: {
      LRESULT result = previous ? CallWindowProcA(previous, window, message, wParam, lParam) : 0;
      RemovePropA(window, MAKEINTATOM(WndProcPtrAtom()));
      return result;
    }
  }
  if (!previous) return DefWindowProcA(window, message, wParam, lParam);
  return CallWindowProcA(previous, window, message, wParam, lParam);
}

ATOM WndProcPtrAtom() {
  static const struct Atom {
    ATOM atom;
    Atom() {
      char name[32];
      std::snprintf(name, sizeof name, "WndProcPtr%.8X%.8X",
                    static_cast<unsigned>(reinterpret_cast<uintptr_t>(GetModuleHandleA(nullptr))),
                    static_cast<unsigned>(GetCurrentThreadId()));
      atom = GlobalAddAtomA(name);
    }
    ~Atom() {
      if (atom) GlobalDeleteAtom(atom);
    }
  } holder;
  return holder.atom;
}

HWND ModelessDialogWindow() { return ModelessDialog(); }

void SetFormWindowTest(std::function<bool(HWND)> isForm) { FormWindowTest() = std::move(isForm); }
