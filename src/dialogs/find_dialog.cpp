#include "dialogs/find_dialog.h"

#include <algorithm>
#include <cstring>

using D = TFindDialog;

const ClassInfo& TFindDialog::StaticClass() {
  static const ClassInfo info{
      "TFindDialog",
      &TCommonDialog::StaticClass(),
      {
          StrProp("FindText", 4, StringType(), Accessors<&D::findText, &D::setFindText>()),
          OrdProp("Options", 5, FindOptionsType(), Field<&D::FOptions>(), SetOf(frDown)),
          MethodProp("OnFind", 6, NotifyEventType(), EventField<&D::FOnFind>()),
      },
      [](TComponent* owner) -> TComponent* { return new TFindDialog(owner); },
  };
  return info;
}

TFindDialog::~TFindDialog() {
  // The window reports its closing to this object, so it goes while every member still lives.
  FWindow.reset();
}

std::string TFindDialog::findText() const {
  return std::string(FFindText, strnlen(FFindText, kFindTextBufferSize));
}

void TFindDialog::setFindText(const std::string& text) {
  size_t n = std::min(text.size(), kFindTextBufferSize - 1);
  std::memcpy(FFindText, text.data(), n);
  FFindText[n] = '\0';
}
