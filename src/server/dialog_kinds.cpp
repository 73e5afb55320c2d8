#include "server/dialog_kinds.h"

#include <algorithm>

#include "commdlg/color_dialog_win.h"
#include "commdlg/custom_open_dialog_win.h"
#include "commdlg/file_dialog_win.h"
#include "commdlg/find_dialog_win.h"
#include "commdlg/font_dialog_win.h"
#include "commdlg/print_dialog_win.h"
#include "dialogs/fsl_open_dialog.h"
#include "objects/class_registry.h"
#include "objects/type_info.h"
#include "platform/win32.h"

namespace {
int CompareNames(const std::string& a, const std::string& b) {
  return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()),
                        b.data(), static_cast<int>(b.size())) - CSTR_EQUAL;
}

// One line per served kind; later kinds join here.
const struct {
  const ClassInfo& (*info)();
  ExecuteRoutine execute;
} kServedKinds[] = {
    {&TFSL16OpenDialog::StaticClass, ExecuteCustomOpenDialog},
    {&TOpenDialog::StaticClass, ExecuteOpenDialog},
    {&TSaveDialog::StaticClass, ExecuteSaveDialog},
    {&TFontDialog::StaticClass, ExecuteFontDialog},
    {&TColorDialog::StaticClass, ExecuteColorDialog},
    {&TPrintDialog::StaticClass, ExecutePrintDialog},
    {&TPrinterSetupDialog::StaticClass, ExecutePrinterSetupDialog},
    {&TFindDialog::StaticClass, ExecuteFindDialog},
};
}  // namespace

void DialogKindRegistry::add(const ClassInfo& info, ExecuteRoutine execute) {
  RegisterPersistentClass(info);
  auto at = std::lower_bound(entries_.begin(), entries_.end(), info.name,
                             [](const DialogKind& kind, const std::string& name) {
                               return CompareNames(kind.info->name, name) < 0;
                             });
  entries_.insert(at, DialogKind{&info, execute});
}

DialogKind DialogKindRegistry::find(const std::string& className) const {
  const ClassInfo& info = FindClass(className);
  for (const DialogKind& kind : entries_)
    if (CompareNames(kind.info->name, info.name) == 0) return kind;
  return DialogKind{};
}

void AddServedDialogKinds(DialogKindRegistry& registry) {
  for (const auto& kind : kServedKinds) registry.add(kind.info(), kind.execute);
}
