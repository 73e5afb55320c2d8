#include "dialogs/file_dialog_state.h"

void TFileDialogState::setInitialDir(const std::string& dir) {
  size_t n = dir.size();
  if (n > 1 && dir[n - 1] == '\\' && dir[n - 2] != ':')
    FInitialDir = dir.substr(0, n - 1);
  else
    FInitialDir = dir;
}
