#include "dialogs/fsl_open_dialog.h"

using D = TFSL16OpenDialog;

TFSL16OpenDialog::TFSL16OpenDialog(TComponent* owner) : TCustomOpenDialog(owner) {
  FTemplateName = "fsldlg32";
}

const ClassInfo& TFSL16OpenDialog::StaticClass() {
  static const ClassInfo info{
      "TFSL16OpenDialog",
      &TCustomOpenDialog::StaticClass(),
      {
          // Redeclares the inherited file name under its own spelling, in the same slot.
          StrProp("Filename", 14, StringType(), Field<&D::FFileName>()),
          StrProp("FSLFile", 23, StringType(), Field<&D::FFSLFile>()),
          OrdProp("UseFSL", 24, BooleanType(), Field<&D::FUseFSL>()),
          StrProp("IniFile", 25, StringType(), Field<&D::FIniFile>()),
          StrProp("IniFileSection", 26, StringType(), Field<&D::FIniFileSection>()),
          OrdProp("FSLHelpContext", 27, IntegerType(), Field<&D::FFSLHelpContext>()),
      },
      [](TComponent* owner) -> TComponent* { return new TFSL16OpenDialog(owner); },
  };
  return info;
}
