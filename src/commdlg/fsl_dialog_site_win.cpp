#include "commdlg/fsl_dialog_site_win.h"

#include <vector>

#include "commdlg/ansi_names_win.h"
#include "commdlg/file_dialog_win.h"
#include "forms/fsl_warn_win.h"
#include "fsl/fsl_platform_win.h"
#include "platform/win32.h"

namespace {
HWND Window(intptr_t handle) { return reinterpret_cast<HWND>(handle); }
}  // namespace

intptr_t WindowsFslDialogSite::dialogItem(intptr_t window, int id) {
  return reinterpret_cast<intptr_t>(GetDlgItem(Window(window), id));
}

std::string WindowsFslDialogSite::selectedPath(intptr_t customArea) {
  // The Explorer dialog answers CDM_GETFILEPATH on its frame, the custom area's parent: first
  // the size the path needs (its NUL included), then the path.
  HWND frame = GetParent(Window(customArea));
  LRESULT size = SendMessageA(frame, CDM_GETFILEPATH, 0, 0);
  if (size <= 0) return std::string();
  std::vector<char> buffer(static_cast<size_t>(size) + 1, '\0');
  SendMessageA(frame, CDM_GETFILEPATH, static_cast<WPARAM>(size), reinterpret_cast<LPARAM>(buffer.data()));
  // A name the code page cannot express is looked up by its short path.
  return UsableSelectedPath(frame, std::string(buffer.data()));
}

std::string WindowsFslDialogSite::controlText(intptr_t control) {
  int length = GetWindowTextLengthA(Window(control));
  std::vector<char> buffer(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
  SendMessageA(Window(control), WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
  return std::string(buffer.data());
}

void WindowsFslDialogSite::setControlText(intptr_t control, const std::string& text) {
  SendMessageA(Window(control), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

bool WindowsFslDialogSite::isExistingFile(const std::string& name) {
  return IsExistingFile(WindowsFslPlatform(), name);
}

FslChoice WindowsFslDialogSite::lookupFslFile(const std::string& iniFile, const std::string& section,
                                              const std::string& dataFile) {
  return LookupFSLFile(WindowsFslPlatform(), iniFile, section, dataFile);
}

bool WindowsFslDialogSite::showFslWarning(const std::string& dataFile, int32_t helpContext, intptr_t owner) {
  return ShowFSLWarning(dataFile, helpContext, Window(owner));
}

bool WindowsFslDialogSite::executeOpenDialog(TOpenDialog& dialog) { return ExecuteOpenDialog(dialog); }

void InstallWindowsFslDialogSite() {
  static WindowsFslDialogSite site;
  InstallFslDialogSite(&site);
}
