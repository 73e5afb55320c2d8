#include "dialogs/common_dialog.h"

#include "dialogs/dialog_types.h"

const ClassInfo& TCommonDialog::StaticClass() {
  static const ClassInfo info{
      "TCommonDialog",
      &TComponent::StaticClass(),
      {
          OrdProp("Ctl3D", 2, BooleanType(), Field<&TCommonDialog::FCtl3D>(), 1),
          OrdProp("HelpContext", 3, HelpContextType(), Field<&TCommonDialog::FHelpContext>(), 0),
      },
      // Creatable by name like its descendants, so a request may carry one as a child.
      [](TComponent* owner) -> TComponent* { return new TCommonDialog(owner); },
  };
  return info;
}
