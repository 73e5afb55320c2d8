#include "forms/fsl_warn.h"

#include <vector>

#include "base/text.h"

namespace {
struct Method {
  const char* name;
  void (TFSLWarn::*method)(TComponent* sender);
};

const Method kPublishedMethods[] = {
    {"Button2Click", &TFSLWarn::Button2Click},
    {"Button1Click", &TFSLWarn::Button1Click},
};

std::vector<const char*> MethodNames() {
  std::vector<const char*> names;
  for (const Method& m : kPublishedMethods) names.push_back(m.name);
  return names;
}
}  // namespace

const ClassInfo& TFSLWarn::StaticClass() {
  static const ClassInfo info{"TFSLWarn", &TForm::StaticClass(), {}, nullptr, MethodNames()};
  return info;
}

TForm::PublishedMethod TFSLWarn::publishedMethod(const std::string& name) {
  for (const Method& m : kPublishedMethods)
    if (SameText(m.name, name)) return [this, method = m.method](TComponent* sender) { (this->*method)(sender); };
  return TForm::publishedMethod(name);
}

void TFSLWarn::Button2Click(TComponent*) {
  auto* wantFSL = field<TRadioButton>("WantFSL");
  FModalResult = wantFSL && wantFSL->checked() ? mrOk : mrCancel;
}

void TFSLWarn::Button1Click(TComponent*) {
  if (onHelpRequest) onHelpRequest(FHelpContext);
}
