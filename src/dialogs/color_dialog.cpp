#include "dialogs/color_dialog.h"

#include "objects/ident_map.h"

using D = TColorDialog;

const ClassInfo& TColorDialog::StaticClass() {
  static const ClassInfo info{
      "TColorDialog",
      &TCommonDialog::StaticClass(),
      {
          // Redeclared with the opposite default, while a new dialog still starts with True.
          OrdProp("Ctl3D", 2, BooleanType(), Field<&TCommonDialog::FCtl3D>(), 0),
          OrdProp("Color", 4, ColorType(), Field<&D::FColor>(), 0),
          ObjProp("CustomColors", 5, StringsType(), Accessors<&D::customColors, &D::setCustomColors>()),
          OrdProp("Options", 6, ColorDialogOptionsType(), Field<&D::FOptions>(), 0),
      },
      [](TComponent* owner) -> TComponent* { return new TColorDialog(owner); },
  };
  return info;
}
