#include "dialogs/served_classes.h"

#include "dialogs/color_dialog.h"
#include "dialogs/find_dialog.h"
#include "dialogs/font_dialog.h"
#include "dialogs/fsl_open_dialog.h"
#include "dialogs/open_dialog.h"
#include "dialogs/print_dialog.h"
#include "objects/class_registry.h"

const std::vector<const ClassInfo*>& ServedClasses() {
  static const std::vector<const ClassInfo*> classes = {
      &TFSL16OpenDialog::StaticClass(), &TOpenDialog::StaticClass(),
      &TSaveDialog::StaticClass(),      &TFontDialog::StaticClass(),
      &TColorDialog::StaticClass(),     &TPrintDialog::StaticClass(),
      &TPrinterSetupDialog::StaticClass(), &TFindDialog::StaticClass(),
  };
  return classes;
}

void RegisterServedClasses() {
  for (const ClassInfo* info : ServedClasses()) RegisterPersistentClass(*info);
}

const ClassInfo* FindServedClass(const ClassInfo& info) {
  for (const ClassInfo* served : ServedClasses())
    if (served == &info) return served;
  return nullptr;
}
