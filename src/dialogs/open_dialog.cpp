#include "dialogs/open_dialog.h"

using D = TFileDialogState;

const ClassInfo& TOpenDialog::StaticClass() {
  static const ClassInfo info{
      "TOpenDialog",
      &TCommonDialog::StaticClass(),
      {
          StrProp("DefaultExt", 4, StringType(), Field<&D::FDefaultExt>()),
          OrdProp("FileEditStyle", 5, FileEditStyleType(), Field<&D::FFileEditStyle>()),
          StrProp("FileName", 6, StringType(), Field<&D::FFileName>()),
          StrProp("Filter", 7, StringType(), Field<&D::FFilter>()),
          OrdProp("FilterIndex", 8, IntegerType(), Field<&D::FFilterIndex>(), 1),
          ObjProp("HistoryList", 9, StringsType(), Accessors<&D::historyList, &D::setHistoryList>()),
          StrProp("InitialDir", 10, StringType(), Accessors<&D::initialDir, &D::setInitialDir>()),
          OrdProp("Options", 11, OpenOptionsType(), Field<&D::FOptions>(), 0),
          StrProp("Title", 12, StringType(), Field<&D::FTitle>()),
      },
      [](TComponent* owner) -> TComponent* { return new TOpenDialog(owner); },
  };
  return info;
}

const ClassInfo& TSaveDialog::StaticClass() {
  static const ClassInfo info{
      "TSaveDialog",
      &TOpenDialog::StaticClass(),
      {},
      [](TComponent* owner) -> TComponent* { return new TSaveDialog(owner); },
  };
  return info;
}
