#include "dialogs/print_dialog.h"

#include "dialogs/printer.h"

using D = TPrintDialog;

const ClassInfo& TPrintDialog::StaticClass() {
  static const ClassInfo info{
      "TPrintDialog",
      &TCommonDialog::StaticClass(),
      {
          OrdProp("Collate", 4, BooleanType(), Field<&D::FCollate>(), 0),
          OrdProp("Copies", 5, IntegerType(), Accessors<&D::copies, &D::setCopies>(), 0),
          OrdProp("FromPage", 6, IntegerType(), Field<&D::FFromPage>(), 0),
          OrdProp("MinPage", 7, IntegerType(), Field<&D::FMinPage>(), 0),
          OrdProp("MaxPage", 8, IntegerType(), Field<&D::FMaxPage>(), 0),
          OrdProp("Options", 9, PrintDialogOptionsType(), Field<&D::FOptions>(), 0),
          OrdProp("PrintToFile", 10, BooleanType(), Field<&D::FPrintToFile>(), 0),
          OrdProp("PrintRange", 11, PrintRangeType(), Field<&D::FPrintRange>(), prAllPages),
          OrdProp("ToPage", 12, IntegerType(), Field<&D::FToPage>(), 0),
      },
      [](TComponent* owner) -> TComponent* { return new TPrintDialog(owner); },
  };
  return info;
}

void TPrintDialog::setCopies(int32_t copies) {
  FCopies = copies;
  Printer().setCopies(copies);
}

const ClassInfo& TPrinterSetupDialog::StaticClass() {
  static const ClassInfo info{
      "TPrinterSetupDialog",
      &TCommonDialog::StaticClass(),
      {},
      [](TComponent* owner) -> TComponent* { return new TPrinterSetupDialog(owner); },
  };
  return info;
}
