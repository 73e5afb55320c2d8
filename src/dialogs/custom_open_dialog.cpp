#include "dialogs/custom_open_dialog.h"

using D = TCustomOpenDialog;

const ClassInfo& TCustomOpenDialog::StaticClass() {
  static const ClassInfo info{
      "TCustomOpenDialog",
      &TCommonDialog::StaticClass(),
      {
          MethodProp("OnInitDone", 4, OpenNotifyEventType(), EventField<&D::FOnInitDone>()),
          MethodProp("OnFileOK", 5, OpenNotifyEventType(), EventField<&D::FOnFileOK>()),
          MethodProp("OnFolderChange", 6, OpenNotifyEventType(), EventField<&D::FOnFolderChange>()),
          MethodProp("OnHelp", 7, OpenNotifyEventType(), EventField<&D::FOnHelp>()),
          MethodProp("OnSelChange", 8, OpenNotifyEventType(), EventField<&D::FOnSelChange>()),
          MethodProp("OnTypeChange", 9, OpenNotifyEventType(), EventField<&D::FOnTypeChange>()),
          MethodProp("OnShareViolation", 10, ShareNotifyEventType(), EventField<&D::FOnShareViolation>()),
          MethodProp("OnCommand", 11, CommandNotifyEventType(), EventField<&D::FOnCommand>()),
          StrProp("DefaultExt", 12, StringType(), Field<&D::FDefaultExt>()),
          OrdProp("FileEditStyle", 13, FileEditStyleType(), Field<&D::FFileEditStyle>(), fsEdit),
          StrProp("FileName", 14, StringType(), Field<&D::FFileName>()),
          StrProp("Filter", 15, StringType(), Field<&D::FFilter>()),
          OrdProp("FilterIndex", 16, IntegerType(), Field<&D::FFilterIndex>(), 1),
          ObjProp("HistoryList", 17, StringsType(), Accessors<&D::historyList, &D::setHistoryList>()),
          StrProp("InitialDir", 18, StringType(), Accessors<&D::initialDir, &D::setInitialDir>()),
          OrdProp("Options", 19, OpenOptionsType(), Field<&D::FOptions>(), 0),
          StrProp("Title", 20, StringType(), Field<&D::FTitle>()),
          StrProp("TemplateName", 21, StringType(), Field<&D::FTemplateName>()),
          OrdProp("Center", 22, LongboolType(), Field<&D::FCenter>(), 1),
      },
      [](TComponent* owner) -> TComponent* { return new TCustomOpenDialog(owner); },
  };
  return info;
}
