// The application: its hidden window (the owner of dialogs and of the failure report), its title
// made from the program file's name, the failure report, termination and the main loop.
#pragma once

#include <exception>
#include <string>

#include "platform/win32.h"

class TApplication {
 public:
  // Creates the hidden application window titled after the program file, registers the dialog
  // messages, sets the new-style controls flag from the platform version, and loads the 3D
  // library where the platform is old enough to want it.
  void initialize(HINSTANCE instance);
  ~TApplication();

  HWND window() const { return window_; }
  const std::string& title() const { return title_; }

  // Posts the quit message; the main loop ends on its next pass.
  void terminate();
  bool terminated() const { return terminated_; }
  // Processes messages until terminated, sleeping while the queue is empty. Answers exit code 0.
  int run();

  // The failure report: a message box owned by the application window, error icon, captioned
  // with the title, showing the failure's message and ".".
  void showException(std::exception_ptr failure);

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  // Dispatches every queued message; false once WM_QUIT was taken.
  bool processMessages();

  HINSTANCE instance_ = nullptr;
  HWND window_ = nullptr;
  std::string title_;
  bool terminated_ = false;
};

TApplication& Application();

// "Dlgserver" for C:\bin\DLGSERVER.EXE: the file name without directory and extension, its first
// letter as it stands and every later letter in lower case, accented ones included, as the
// platform's code page lowers them ("dlgserver" for dlgserver.exe).
std::string ApplicationTitleFor(const std::string& programPath);
