// A form's window: made from the form object with a real control for every TControl it owns,
// run modally. Control ids are kFirstControlId + the control's position among the form's
// controls in description order.
#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <vector>

#include "forms/form.h"
#include "platform/win32.h"

constexpr int kFirstControlId = 100;

// Reads the program's RCDATA resource `name`, a form description in the binary component form,
// into `form`, after registering the form classes. Throws EResNotFound "Resource %s not found",
// or what ReadRootObject throws.
void ReadFormResource(TForm& form, const char* name);

// The platform's window-creation parameters, as FormWindow::fillWindowParams fills them.
struct WindowParams {
  std::string className;
  std::string caption;
  // When set, the caption the user sees instead: for text the code page cannot hold.
  std::wstring unicodeCaption;
  DWORD style = 0;
  DWORD exStyle = 0;
  int x = CW_USEDEFAULT;
  int y = CW_USEDEFAULT;
  int width = CW_USEDEFAULT;
  int height = CW_USEDEFAULT;
  HWND owner = nullptr;
};

class FormWindow {
 public:
  explicit FormWindow(TForm& form) : form_(form) {}
  virtual ~FormWindow();
  FormWindow(const FormWindow&) = delete;
  FormWindow& operator=(const FormWindow&) = delete;

  // Creates the window if need be and runs it modally: every other enabled, visible window of
  // the thread is disabled until the form's modal result is set (a handler, a button's
  // ModalResult, mrCancel for closing from the frame or a WM_QUIT, which is posted again).
  // Returns the modal result; a failure in a handler ends the run and is rethrown here.
  int32_t showModal();

  HWND handle() const { return window_; }
  HWND controlWindow(const TControl& control) const;

 protected:
  // The window class is the form's class name; no owner unless a form names one.
  virtual void fillWindowParams(WindowParams& params);

 private:
  struct Control {
    TControl* control;
    HWND window;
    int id;
  };

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void createWindow();
  void createFont();
  void createControls();
  const Control* findControl(int id) const;
  const Control* findControl(HWND window) const;
  LRESULT defaultButtonId() const;
  void clicked(const Control& control);
  void readChecks();
  int scaled(int value) const;

  TForm& form_;
  HWND window_ = nullptr;
  HFONT font_ = nullptr;
  int screenPixelsPerInch_ = 96;
  std::vector<Control> controls_;
  HWND focus_ = nullptr;  // the control to give the focus back to when the form is activated
  std::exception_ptr failure_;
};
