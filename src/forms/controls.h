// The controls a form description may hold: labels, push buttons, check boxes and radio
// buttons, as components with published properties. Portable: the windows behind them are
// made by form_win.cpp.
#pragma once

#include <cstdint>
#include <string>

#include "dialogs/event.h"
#include "objects/component.h"

// Modal results: a form's run ends when its result is no longer mrNone.
constexpr int32_t mrNone = 0;
constexpr int32_t mrOk = 1;
constexpr int32_t mrCancel = 2;

// Position and size in pixels at the form's PixelsPerInch, caption, visibility, click event.
class TControl : public TComponent {
 public:
  explicit TControl(TComponent* owner) : TComponent(owner) {}
  DECLARE_CLASS_INFO()

  int32_t FLeft = 0;
  int32_t FTop = 0;
  int32_t FWidth = 0;
  int32_t FHeight = 0;
  std::string FCaption;
  bool FVisible = true;
  TNotifyEvent FOnClick;
};

// A control with a window of its own: it takes part in the tab order. TabOrder -1 places it
// after the numbered ones, in the order the controls were read.
class TWinControl : public TControl {
 public:
  explicit TWinControl(TComponent* owner) : TControl(owner) {}
  DECLARE_CLASS_INFO()

  int32_t FTabOrder = -1;
  bool FTabStop = false;
};

class TLabel : public TControl {
 public:
  explicit TLabel(TComponent* owner) : TControl(owner) {}
  DECLARE_CLASS_INFO()

  bool FWordWrap = false;
};

// A push button. Default: Enter presses it. Cancel: Escape presses it. A ModalResult other
// than mrNone becomes the form's modal result when it is pressed.
class TButton : public TWinControl {
 public:
  explicit TButton(TComponent* owner) : TWinControl(owner) { FTabStop = true; }
  DECLARE_CLASS_INFO()

  bool FCancel = false;
  bool FDefault = false;
  int32_t FModalResult = mrNone;
};

class TCheckBox : public TWinControl {
 public:
  explicit TCheckBox(TComponent* owner) : TWinControl(owner) { FTabStop = true; }
  DECLARE_CLASS_INFO()

  bool FChecked = false;
};

// Checking a radio button clears the other radio buttons of the same owner.
class TRadioButton : public TWinControl {
 public:
  explicit TRadioButton(TComponent* owner) : TWinControl(owner) {}
  DECLARE_CLASS_INFO()

  bool checked() const { return checked_; }
  void setChecked(bool checked);

 private:
  bool checked_ = false;
};
