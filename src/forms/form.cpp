#include "forms/form.h"

#include "objects/class_registry.h"

const TypeInfo& BorderIconsType() {
  static const TypeInfo type{"TBorderIcons", TypeKind::Set, {"biSystemMenu", "biMinimize", "biMaximize", "biHelp"}};
  return type;
}

const TypeInfo& PositionType() {
  static const TypeInfo type{"TPosition", TypeKind::Enumeration,
                             {"poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly", "poScreenCenter"}};
  return type;
}

namespace {
const TypeInfo& WinControlType() {
  static const TypeInfo type{"TWinControl", TypeKind::Class, {}, &TWinControl::StaticClass};
  return type;
}
}  // namespace

const ClassInfo& TForm::StaticClass() {
  using F = TForm;
  static const ClassInfo info{
      "TForm",
      &TComponent::StaticClass(),
      {
          OrdProp("Left", 2, IntegerType(), Field<&F::FLeft>()),
          OrdProp("Top", 3, IntegerType(), Field<&F::FTop>()),
          ObjProp("ActiveControl", 4, WinControlType(), Accessors<&F::activeControl, &F::setActiveControl>()),
          OrdProp("BorderIcons", 5, BorderIconsType(), Field<&F::FBorderIcons>(),
                  SetOf(biSystemMenu) | SetOf(biMinimize) | SetOf(biMaximize)),
          OrdProp("AutoScroll", 6, BooleanType(), Field<&F::FAutoScroll>(), true),
          StrProp("Caption", 7, StringType(), Field<&F::FCaption>()),
          OrdProp("ClientHeight", 8, IntegerType(), Field<&F::FClientHeight>()),
          OrdProp("ClientWidth", 9, IntegerType(), Field<&F::FClientWidth>()),
          ObjProp("Font", 10, FontType(), Accessors<&F::font, &F::setFont>()),
          OrdProp("HelpContext", 11, HelpContextType(), Field<&F::FHelpContext>(), 0),
          OrdProp("Position", 12, PositionType(), Field<&F::FPosition>(), poDesigned),
          OrdProp("PixelsPerInch", 13, IntegerType(), Field<&F::FPixelsPerInch>()),
          OrdProp("TextHeight", 14, IntegerType(), Field<&F::FTextHeight>()),
      },
  };
  return info;
}

TForm::PublishedMethod TForm::publishedMethod(const std::string&) { return nullptr; }

void TForm::setActiveControl(TPersistent* control) { activeControl_ = dynamic_cast<TWinControl*>(control); }

void TForm::loaded() {
  TComponent::loaded();
  for (TComponent* component : components()) {
    auto* control = dynamic_cast<TControl*>(component);
    if (!control || control->FOnClick.publishedName.empty()) continue;
    control->FOnClick.handler = publishedMethod(control->FOnClick.publishedName);
  }
}

void RegisterFormClasses() {
  for (const ClassInfo* info : {&TForm::StaticClass(), &TLabel::StaticClass(), &TButton::StaticClass(),
                                &TCheckBox::StaticClass(), &TRadioButton::StaticClass()})
    RegisterPersistentClass(*info);
}
