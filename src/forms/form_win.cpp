#include "forms/form_win.h"

#include <algorithm>
#include <string>

#include "base/errors.h"
#include "base/format.h"
#include "base/messages.h"
#include "base/stream.h"
#include "platform/screen.h"
#include "platform/system_color.h"
#include "platform/thread_windows.h"
#include "streaming/object_stream.h"

namespace {

HINSTANCE Instance() { return GetModuleHandleA(nullptr); }

// The window class and style of a control's window; nullptr for a control without one.
const char* ControlWindowClass(const TControl& control, DWORD& style) {
  if (auto* label = dynamic_cast<const TLabel*>(&control)) {
    style |= label->FWordWrap ? SS_LEFT : SS_LEFTNOWORDWRAP;
    if (label->FOnClick) style |= SS_NOTIFY;
    return "STATIC";
  }
  if (auto* button = dynamic_cast<const TButton*>(&control)) {
    style |= button->FDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    return "BUTTON";
  }
  if (dynamic_cast<const TCheckBox*>(&control)) {
    style |= BS_AUTOCHECKBOX;
    return "BUTTON";
  }
  if (dynamic_cast<const TRadioButton*>(&control)) {
    style |= BS_AUTORADIOBUTTON;
    return "BUTTON";
  }
  return nullptr;
}

// Checkable controls: their check state, as the window shows it.
bool IsCheckable(const TControl& control) {
  return dynamic_cast<const TCheckBox*>(&control) || dynamic_cast<const TRadioButton*>(&control);
}

void SetChecked(TControl& control, bool checked) {
  if (auto* box = dynamic_cast<TCheckBox*>(&control))
    box->FChecked = checked;
  else if (auto* radio = dynamic_cast<TRadioButton*>(&control))
    radio->setChecked(checked);
}

bool IsChecked(const TControl& control) {
  if (auto* box = dynamic_cast<const TCheckBox*>(&control)) return box->FChecked;
  if (auto* radio = dynamic_cast<const TRadioButton*>(&control)) return radio->checked();
  return false;
}

}  // namespace

void ReadFormResource(TForm& form, const char* name) {
  RegisterFormClasses();
  HMODULE module = Instance();
  HRSRC resource = FindResourceA(module, name, RT_RCDATA);
  HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes) throw EResNotFound(Format(msg::kResourceNotFound, {name}));
  TMemoryStream stream(std::string(static_cast<const char*>(bytes), SizeofResource(module, resource)));
  ReadRootObject(stream, form);
}

FormWindow::~FormWindow() {
  if (window_) DestroyWindow(window_);
  if (font_) DeleteObject(font_);
}

HWND FormWindow::controlWindow(const TControl& control) const {
  for (const Control& c : controls_)
    if (c.control == &control) return c.window;
  return nullptr;
}

int FormWindow::scaled(int value) const {
  if (form_.FPixelsPerInch <= 0) return value;
  return MulDiv(value, screenPixelsPerInch_, form_.FPixelsPerInch);
}

void FormWindow::fillWindowParams(WindowParams& params) {
  params.className = form_.className();
  params.caption = form_.FCaption;
  params.style = WS_CAPTION | WS_THICKFRAME | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  TBorderIcons icons = form_.FBorderIcons;
  if (InSet(icons, biSystemMenu)) {
    params.style |= WS_SYSMENU;
    if (InSet(icons, biMinimize)) params.style |= WS_MINIMIZEBOX;
    if (InSet(icons, biMaximize)) params.style |= WS_MAXIMIZEBOX;
    // The platform shows the help button only on a frame without minimize and maximize boxes.
    if (InSet(icons, biHelp) && !InSet(icons, biMinimize) && !InSet(icons, biMaximize))
      params.exStyle |= WS_EX_CONTEXTHELP;
  }
  RECT frame{0, 0, scaled(form_.FClientWidth), scaled(form_.FClientHeight)};
  AdjustWindowRectEx(&frame, params.style, FALSE, params.exStyle);
  int width = frame.right - frame.left;
  int height = frame.bottom - frame.top;
  bool placed = form_.FPosition == poDesigned || form_.FPosition == poDefaultSizeOnly;
  bool sized = form_.FPosition != poDefault && form_.FPosition != poDefaultSizeOnly;
  if (placed) {
    params.x = form_.FLeft;
    params.y = form_.FTop;
  } else if (form_.FPosition == poScreenCenter) {
    params.x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    params.y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  }
  if (sized) {
    params.width = width;
    params.height = height;
  }
}

void FormWindow::createWindow() {
  screenPixelsPerInch_ = PlatformScreen().pixelsPerInch();
  WindowParams params;
  fillWindowParams(params);
  WNDCLASSA windowClass{};
  if (!GetClassInfoA(Instance(), params.className.c_str(), &windowClass)) {
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = Instance();
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = params.className.c_str();
    RegisterClassA(&windowClass);
  }
  CreateWindowExA(params.exStyle, params.className.c_str(), params.caption.c_str(), params.style, params.x,
                  params.y, params.width, params.height, params.owner, nullptr, Instance(), this);
  if (!window_) throw EOutOfResources(msg::kWindowCreateError);
  // Straight to the default handling in Unicode: the window procedure is ANSI and would lose it.
  if (!params.unicodeCaption.empty())
    DefWindowProcW(window_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(params.unicodeCaption.c_str()));
  createFont();
  createControls();
}

void FormWindow::createFont() {
  const TFont& font = form_.FFont;
  LOGFONTA logFont{};
  logFont.lfHeight = scaled(font.height());
  logFont.lfWeight = InSet(font.style(), fsBold) ? FW_BOLD : FW_NORMAL;
  logFont.lfItalic = InSet(font.style(), fsItalic);
  logFont.lfUnderline = InSet(font.style(), fsUnderline);
  logFont.lfStrikeOut = InSet(font.style(), fsStrikeOut);
  logFont.lfCharSet = DEFAULT_CHARSET;
  logFont.lfPitchAndFamily = font.pitch() == fpFixed ? FIXED_PITCH : font.pitch() == fpVariable ? VARIABLE_PITCH : DEFAULT_PITCH;
  font.name().copy(logFont.lfFaceName, LF_FACESIZE - 1);
  font_ = CreateFontIndirectA(&logFont);
}

// Controls without a window of their own first, in description order; then the windowed ones
// in tab order, which the platform's keyboard navigation follows as the order of creation.
void FormWindow::createControls() {
  std::vector<Control> order;
  for (TComponent* component : form_.components())
    if (auto* control = dynamic_cast<TControl*>(component))
      order.push_back({control, nullptr, kFirstControlId + static_cast<int>(order.size())});
  auto tabOrder = [](const Control& c) {
    auto* windowed = dynamic_cast<const TWinControl*>(c.control);
    if (!windowed) return -1;
    return windowed->FTabOrder < 0 ? INT32_MAX : windowed->FTabOrder;
  };
  std::stable_sort(order.begin(), order.end(),
                   [&](const Control& a, const Control& b) { return tabOrder(a) < tabOrder(b); });

  bool afterRadioButton = false;
  for (Control& c : order) {
    DWORD style = WS_CHILD;
    const char* windowClass = ControlWindowClass(*c.control, style);
    if (!windowClass) continue;
    if (c.control->FVisible) style |= WS_VISIBLE;
    if (auto* windowed = dynamic_cast<const TWinControl*>(c.control)) {
      if (windowed->FTabStop) style |= WS_TABSTOP;
      // Radio buttons next to each other form one group: checking one clears the others.
      bool radio = dynamic_cast<const TRadioButton*>(c.control) != nullptr;
      if (!(radio && afterRadioButton)) style |= WS_GROUP;
      afterRadioButton = radio;
    }
    c.window = CreateWindowExA(0, windowClass, c.control->FCaption.c_str(), style, scaled(c.control->FLeft),
                               scaled(c.control->FTop), scaled(c.control->FWidth), scaled(c.control->FHeight),
                               window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), Instance(), nullptr);
    if (!c.window) throw EOutOfResources(msg::kWindowCreateError);
    SendMessageA(c.window, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    if (IsCheckable(*c.control))
      SendMessageA(c.window, BM_SETCHECK, IsChecked(*c.control) ? BST_CHECKED : BST_UNCHECKED, 0);
    controls_.push_back(c);
  }
}

const FormWindow::Control* FormWindow::findControl(int id) const {
  for (const Control& c : controls_)
    if (c.id == id) return &c;
  return nullptr;
}

const FormWindow::Control* FormWindow::findControl(HWND window) const {
  for (const Control& c : controls_)
    if (window && c.window == window) return &c;
  return nullptr;
}

// Enter presses the focused push button, else the form's default button.
LRESULT FormWindow::defaultButtonId() const {
  const Control* focused = findControl(GetFocus());
  if (focused && dynamic_cast<const TButton*>(focused->control)) return MAKELRESULT(focused->id, DC_HASDEFID);
  for (const Control& c : controls_)
    if (auto* button = dynamic_cast<const TButton*>(c.control); button && button->FDefault)
      return MAKELRESULT(c.id, DC_HASDEFID);
  return 0;
}

void FormWindow::readChecks() {
  for (const Control& c : controls_)
    if (IsCheckable(*c.control)) SetChecked(*c.control, SendMessageA(c.window, BM_GETCHECK, 0, 0) == BST_CHECKED);
}

void FormWindow::clicked(const Control& c) {
  readChecks();
  if (auto* button = dynamic_cast<TButton*>(c.control); button && button->FModalResult != mrNone)
    form_.FModalResult = button->FModalResult;
  c.control->FOnClick(c.control);
}

LRESULT CALLBACK FormWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    auto* self = static_cast<FormWindow*>(create->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<FormWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!self) return DefWindowProcA(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    self->window_ = nullptr;
    return DefWindowProcA(window, message, wParam, lParam);
  }
  // A handler's failure must not unwind through the platform: it ends the run and is
  // rethrown by showModal.
  try {
    return self->handleMessage(message, wParam, lParam);
  } catch (...) {
    if (!self->failure_) self->failure_ = std::current_exception();
    return 0;
  }
}

LRESULT FormWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED) {
        int id = LOWORD(wParam);
        if (const Control* c = findControl(id)) {
          clicked(*c);
        } else if (id == IDCANCEL) {  // Escape
          for (const Control& c : controls_)
            if (auto* button = dynamic_cast<TButton*>(c.control); button && button->FCancel) {
              clicked(c);
              break;
            }
        }
        return 0;
      }
      break;
    case DM_GETDEFID:
      return defaultButtonId();
    case WM_NEXTDLGCTL: {
      HWND next = LOWORD(lParam) ? reinterpret_cast<HWND>(wParam) : GetNextDlgTabItem(window_, GetFocus(), wParam != 0);
      if (next) SetFocus(next);
      return 0;
    }
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        if (findControl(GetFocus())) focus_ = GetFocus();
      } else if (focus_ && IsWindow(focus_)) {
        SetFocus(focus_);
        return 0;
      }
      break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, ColorToRGB(form_.FFont.color()));
      SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_CLOSE:
      form_.FModalResult = mrCancel;
      return 0;
  }
  return DefWindowProcA(window_, message, wParam, lParam);
}

int32_t FormWindow::showModal() {
  if (!window_) createWindow();
  form_.FModalResult = mrNone;
  HWND active = GetActiveWindow();
  bool quit = false;
  WPARAM quitCode = 0;
  {
    ThreadWindowsDisabled others(window_);
    if (TWinControl* control = form_.activeControl()) focus_ = controlWindow(*control);
    ShowWindow(window_, SW_SHOW);
    if (focus_) SetFocus(focus_);
    MSG message;
    while (form_.FModalResult == mrNone && !failure_) {
      BOOL got = GetMessageA(&message, nullptr, 0, 0);
      if (got == 0 || got == -1) {  // WM_QUIT, or no message queue to read
        quit = got == 0;
        quitCode = message.wParam;
        form_.FModalResult = mrCancel;
        break;
      }
      if (!IsDialogMessageA(window_, &message)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
      }
    }
  }
  // The other windows are enabled again before the form hides, so the activation goes back to
  // the window that had it rather than to another program.
  if (active && active != window_ && IsWindow(active)) SetActiveWindow(active);
  if (window_) ShowWindow(window_, SW_HIDE);
  if (quit) PostQuitMessage(static_cast<int>(quitCode));
  if (std::exception_ptr failure = failure_) {
    failure_ = nullptr;
    std::rethrow_exception(failure);
  }
  return form_.FModalResult;
}
