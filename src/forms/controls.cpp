#include "forms/controls.h"

const ClassInfo& TControl::StaticClass() {
  using C = TControl;
  static const ClassInfo info{
      "TControl",
      &TComponent::StaticClass(),
      {
          OrdProp("Left", 2, IntegerType(), Field<&C::FLeft>()),
          OrdProp("Top", 3, IntegerType(), Field<&C::FTop>()),
          OrdProp("Width", 4, IntegerType(), Field<&C::FWidth>()),
          OrdProp("Height", 5, IntegerType(), Field<&C::FHeight>()),
          StrProp("Caption", 6, StringType(), Field<&C::FCaption>()),
          OrdProp("Visible", 7, BooleanType(), Field<&C::FVisible>(), true),
          MethodProp("OnClick", 8, NotifyEventType(), EventField<&C::FOnClick>()),
      },
  };
  return info;
}

const ClassInfo& TWinControl::StaticClass() {
  using C = TWinControl;
  static const ClassInfo info{
      "TWinControl",
      &TControl::StaticClass(),
      {
          OrdProp("TabOrder", 9, IntegerType(), Field<&C::FTabOrder>(), -1),
          OrdProp("TabStop", 10, BooleanType(), Field<&C::FTabStop>(), false),
      },
  };
  return info;
}

const ClassInfo& TLabel::StaticClass() {
  using C = TLabel;
  static const ClassInfo info{
      "TLabel",
      &TControl::StaticClass(),
      {
          OrdProp("WordWrap", 9, BooleanType(), Field<&C::FWordWrap>(), false),
      },
      [](TComponent* owner) -> TComponent* { return new TLabel(owner); },
  };
  return info;
}

const ClassInfo& TButton::StaticClass() {
  using C = TButton;
  static const ClassInfo info{
      "TButton",
      &TWinControl::StaticClass(),
      {
          OrdProp("TabStop", 10, BooleanType(), Field<&C::FTabStop>(), true),
          OrdProp("Cancel", 11, BooleanType(), Field<&C::FCancel>(), false),
          OrdProp("Default", 12, BooleanType(), Field<&C::FDefault>(), false),
          OrdProp("ModalResult", 13, IntegerType(), Field<&C::FModalResult>(), mrNone),
      },
      [](TComponent* owner) -> TComponent* { return new TButton(owner); },
  };
  return info;
}

const ClassInfo& TCheckBox::StaticClass() {
  using C = TCheckBox;
  static const ClassInfo info{
      "TCheckBox",
      &TWinControl::StaticClass(),
      {
          OrdProp("TabStop", 10, BooleanType(), Field<&C::FTabStop>(), true),
          OrdProp("Checked", 11, BooleanType(), Field<&C::FChecked>(), false),
      },
      [](TComponent* owner) -> TComponent* { return new TCheckBox(owner); },
  };
  return info;
}

const ClassInfo& TRadioButton::StaticClass() {
  using C = TRadioButton;
  static const ClassInfo info{
      "TRadioButton",
      &TWinControl::StaticClass(),
      {
          OrdProp("Checked", 11, BooleanType(), Accessors<&C::checked, &C::setChecked>(), false),
      },
      [](TComponent* owner) -> TComponent* { return new TRadioButton(owner); },
  };
  return info;
}

void TRadioButton::setChecked(bool checked) {
  checked_ = checked;
  if (!checked || !owner()) return;
  for (TComponent* sibling : owner()->components())
    if (auto* radio = dynamic_cast<TRadioButton*>(sibling); radio && radio != this) radio->checked_ = false;
}
