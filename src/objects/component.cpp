#include "objects/component.h"

#include <algorithm>

#include "base/errors.h"
#include "base/format.h"
#include "base/messages.h"
#include "base/text.h"
#include "streaming/filer.h"

const ClassInfo& TComponent::StaticClass() {
  static const ClassInfo info{
      "TComponent",
      &TPersistent::StaticClass(),
      {StrProp("Name", 0, ComponentNameType(), Accessors<&TComponent::name, &TComponent::setName>(),
               Stored::Never),
       OrdProp("Tag", 1, IntegerType(), Field<&TComponent::tag_>(), 0)},
      [](TComponent* owner) -> TComponent* { return new TComponent(owner); },
  };
  return info;
}

TComponent::TComponent(TComponent* owner) {
  if (owner) owner->insertComponent(this);
}

TComponent::~TComponent() {
  while (!components_.empty()) delete components_.back();
  if (owner_) owner_->removeComponent(this);
}

void TComponent::setName(const std::string& name) {
  if (name == name_) return;
  if (!name.empty() && !IsValidIdent(name))
    throw EComponentError(Format(msg::kInvalidName, {name}));
  if (owner_ && !name.empty()) {
    TComponent* other = owner_->findComponent(name);
    if (other && other != this) throw EComponentError(Format(msg::kDuplicateName, {name}));
  }
  name_ = name;
}

TComponent* TComponent::findComponent(const std::string& name) const {
  if (name.empty()) return nullptr;
  for (TComponent* c : components_)
    if (SameText(c->name(), name)) return c;
  return nullptr;
}

void TComponent::insertComponent(TComponent* component) {
  components_.push_back(component);
  component->owner_ = this;
}

void TComponent::removeComponent(TComponent* component) {
  components_.erase(std::remove(components_.begin(), components_.end(), component), components_.end());
  component->owner_ = nullptr;
}

void TComponent::defineProperties(PropertyFiler& filer) {
  filer.defineProperty(
      "Left", [this](TReader& r) { designInfo_ = (designInfo_ & 0xFFFF0000u) | (static_cast<uint32_t>(r.readInteger()) & 0xFFFFu); },
      [this](TWriter& w) { w.writeInteger(static_cast<int32_t>(designInfo_ & 0xFFFFu)); },
      (designInfo_ & 0xFFFFu) != 0);
  filer.defineProperty(
      "Top", [this](TReader& r) { designInfo_ = (designInfo_ & 0xFFFFu) | ((static_cast<uint32_t>(r.readInteger()) & 0xFFFFu) << 16); },
      [this](TWriter& w) { w.writeInteger(static_cast<int32_t>(designInfo_ >> 16)); },
      (designInfo_ >> 16) != 0);
}
