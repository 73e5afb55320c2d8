#include "commdlg/file_dialog_style_win.h"

#include "platform/win32.h"

namespace {
constexpr char kEnvironmentName[] = "DLG_FILE_DIALOG_STYLE";
constexpr char kSettingsName[] = "dlgserver.ini";

bool IsModern(const char* value) { return lstrcmpiA(value, "modern") == 0; }
}  // namespace

std::string FileDialogSettingsPath() {
  char path[MAX_PATH] = {};
  const DWORD size = GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (size == 0 || size >= MAX_PATH) return std::string();
  std::string result(path, size);
  return result.substr(0, result.find_last_of('\\') + 1) + kSettingsName;
}

bool ModernFileDialogChosen() {
  char value[32] = {};
  const DWORD size = GetEnvironmentVariableA(kEnvironmentName, value, sizeof value);
  if (size > 0 && size < sizeof value) return IsModern(value);
  const std::string settings = FileDialogSettingsPath();
  if (settings.empty()) return false;
  GetPrivateProfileStringA("FileDialogs", "Style", "classic", value, sizeof value, settings.c_str());
  return IsModern(value);
}
