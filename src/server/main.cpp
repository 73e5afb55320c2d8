// dlgserver.exe CLASS HELPWINDOW OWNERWINDOW NOTIFYWINDOW
// Shows one dialog of CLASS for the client whose windows are given (decimal, or "$" and hex),
// exchanging the dialog's properties as component text over WM_COPYDATA (server/protocol.h).
#include <cstdlib>
#include <string>
#include <vector>

#include "commdlg/find_dialog_win.h"
#include "commdlg/current_printer_win.h"
#include "commdlg/dialog_host.h"
#include "commdlg/font_dialog_win.h"
#include "commdlg/fsl_dialog_site_win.h"
#include "commdlg/warm_up_win.h"
#include "dlg_version.h"
#include "forms/fsl_warn_win.h"
#include "platform/screen.h"
#include "platform/win32.h"
#include "server/application.h"
#include "server/host_form.h"
#include "server/protocol.h"

namespace {
// "dlgserver 1.1.0" on the standard output the program was given, or on the console of the
// program that started it: a GUI program has none of its own.
int PrintVersion() {
  HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  if ((!out || out == INVALID_HANDLE_VALUE) && AttachConsole(ATTACH_PARENT_PROCESS))
    out = CreateFileA("CONOUT$", GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  const char text[] = "dlgserver " DLG_VERSION_TEXT "\r\n";
  DWORD written = 0;
  if (out && out != INVALID_HANDLE_VALUE) WriteFile(out, text, sizeof text - 1, &written, nullptr);
  return 0;
}
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  std::vector<std::string> arguments(__argv + 1, __argv + __argc);
  // The one argument that is not a start: nothing else happens, no notice is sent.
  if (arguments.size() == 1 && arguments[0] == "--version") return PrintVersion();

  TApplication& application = Application();
  application.initialize(instance);
  InstallPlatformScreen();
  InstallWindowsFslDialogSite();
  InstallWindowsPrinter();
  // A failure of the font dialog's Apply handler is the application's failure report.
  SetApplyFailureHandler([&application](HWND, std::exception_ptr failure) { application.showException(failure); });

  // Kept off the task bar: the application window is a tool window.
  LONG exStyle = GetWindowLongA(application.window(), GWL_EXSTYLE);
  SetWindowLongA(application.window(), GWL_EXSTYLE, exStyle | WS_EX_APPWINDOW | WS_EX_TOOLWINDOW);

  THostForm form(application, std::move(arguments));
  // The find dialog's hidden owner window is a child of the host form, off the task bar.
  SetFormWindowTest([&form](HWND window) { return window == form.handle(); });
  // Only the client can show its help: "show help topic N" becomes the help request the FSL
  // warning's Help sends, to the help window of the command line.
  SetHelpHandler(SendHelpRequest);
  form.formCreate();
  form.createWindow(instance);
  int exitCode = application.run();
  // The step the warm-up is in ends first, so the process does not end in its middle; the
  // steps after it are left out.
  StopWarmUp();
  FinishWarmUp(2000);
  return exitCode;
}
