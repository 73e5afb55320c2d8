#include "objects/application_forms.h"

#include <algorithm>
#include <vector>

#include "base/text.h"
#include "objects/component.h"

namespace {
std::vector<TComponent*>& Forms() {
  static std::vector<TComponent*> forms;
  return forms;
}
}  // namespace

void AddApplicationForm(TComponent* form) { Forms().push_back(form); }

void RemoveApplicationForm(TComponent* form) {
  Forms().erase(std::remove(Forms().begin(), Forms().end(), form), Forms().end());
}

TComponent* FindApplicationForm(const std::string& name) {
  for (TComponent* form : Forms())
    if (SameText(form->name(), name)) return form;
  return nullptr;
}
