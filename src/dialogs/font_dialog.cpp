#include "dialogs/font_dialog.h"

using D = TFontDialog;

const ClassInfo& TFontDialog::StaticClass() {
  static const ClassInfo info{
      "TFontDialog",
      &TCommonDialog::StaticClass(),
      {
          ObjProp("Font", 4, FontType(), Accessors<&D::font, &D::setFont>()),
          OrdProp("Device", 5, FontDialogDeviceType(), Field<&D::FDevice>(), fdScreen),
          OrdProp("MinFontSize", 6, IntegerType(), Field<&D::FMinFontSize>()),
          OrdProp("MaxFontSize", 7, IntegerType(), Field<&D::FMaxFontSize>()),
          OrdProp("Options", 8, FontDialogOptionsType(), Field<&D::FOptions>(), SetOf(fdEffects)),
          MethodProp("OnApply", 9, FDApplyEventType(), EventField<&D::FOnApply>()),
      },
      [](TComponent* owner) -> TComponent* { return new TFontDialog(owner); },
  };
  return info;
}
