#include "objects/type_info.h"

#include "base/text.h"
#include "objects/component.h"
#include "objects/persistent.h"

bool PropInfo::hasSetter() const {
  switch (type->kind) {
    case TypeKind::Integer:
    case TypeKind::Char:
    case TypeKind::Enumeration:
    case TypeKind::Set:
      return ord.set != nullptr;
    case TypeKind::Float:
      return flt.set != nullptr;
    case TypeKind::String:
      return str.set != nullptr;
    case TypeKind::Class:
      return obj.set != nullptr;
    case TypeKind::Method:
      return method.set != nullptr;
    case TypeKind::Variant:
      return false;
  }
  return false;
}

bool PropInfo::isStoredFor(const TPersistent& object) const {
  switch (stored) {
    case Stored::Always:
      return true;
    case Stored::Never:
      return false;
    case Stored::Test:
      return storedTest && storedTest(object);
  }
  return true;
}

const std::vector<const PropInfo*>& ClassInfo::properties() const {
  if (built_) return fullList_;
  std::vector<const PropInfo*> slots;
  for (const ClassInfo* c = this; c; c = c->parent) {
    for (const PropInfo& p : c->ownProps) {
      if (p.index < 0) continue;
      size_t i = static_cast<size_t>(p.index);
      if (slots.size() <= i) slots.resize(i + 1, nullptr);
      if (!slots[i]) slots[i] = &p;
    }
  }
  fullList_.clear();
  for (const PropInfo* p : slots)
    if (p) fullList_.push_back(p);
  built_ = true;
  return fullList_;
}

const PropInfo* ClassInfo::findProperty(const std::string& name) const {
  for (const ClassInfo* c = this; c; c = c->parent)
    for (const PropInfo& p : c->ownProps)
      if (SameText(p.name, name)) return &p;
  return nullptr;
}

const char* ClassInfo::findPublishedMethod(const std::string& name) const {
  for (const ClassInfo* c = this; c; c = c->parent)
    for (const char* m : c->publishedMethods)
      if (SameText(m, name)) return m;
  return nullptr;
}

bool ClassInfo::inheritsFrom(const ClassInfo& ancestor) const {
  for (const ClassInfo* c = this; c; c = c->parent)
    if (c == &ancestor) return true;
  return false;
}

bool ClassInfo::isComponent() const { return inheritsFrom(TComponent::StaticClass()); }

const TypeInfo& IntegerType() {
  static const TypeInfo type{"Integer", TypeKind::Integer, {}};
  return type;
}
const TypeInfo& BooleanType() {
  static const TypeInfo type{"Boolean", TypeKind::Enumeration, {"False", "True"}};
  return type;
}
const TypeInfo& LongboolType() {
  static const TypeInfo type{"Longbool", TypeKind::Enumeration, {"False", "True"}};
  return type;
}
const TypeInfo& StringType() {
  static const TypeInfo type{"string", TypeKind::String, {}};
  return type;
}
const TypeInfo& ComponentNameType() {
  static const TypeInfo type{"TComponentName", TypeKind::String, {}};
  return type;
}

namespace {
PropInfo Make(const char* name, int index, const TypeInfo& type, Stored stored) {
  PropInfo p;
  p.name = name;
  p.index = index;
  p.type = &type;
  p.stored = stored;
  return p;
}
}  // namespace

PropInfo OrdProp(const char* name, int index, const TypeInfo& type, OrdAccess access,
                 int32_t defaultValue, Stored stored) {
  PropInfo p = Make(name, index, type, stored);
  p.ord = access;
  p.defaultValue = defaultValue;
  return p;
}

PropInfo FloatProp(const char* name, int index, const TypeInfo& type, FloatAccess access, Stored stored) {
  PropInfo p = Make(name, index, type, stored);
  p.flt = access;
  return p;
}

PropInfo StrProp(const char* name, int index, const TypeInfo& type, StrAccess access, Stored stored) {
  PropInfo p = Make(name, index, type, stored);
  p.str = access;
  return p;
}

PropInfo ObjProp(const char* name, int index, const TypeInfo& type, ObjAccess access, Stored stored) {
  PropInfo p = Make(name, index, type, stored);
  p.obj = access;
  return p;
}

PropInfo MethodProp(const char* name, int index, const TypeInfo& type, MethodAccess access) {
  PropInfo p = Make(name, index, type, Stored::Always);
  p.method = access;
  return p;
}

PropInfo WithStoredTest(PropInfo prop, StoredTest test) {
  prop.stored = Stored::Test;
  prop.storedTest = test;
  return prop;
}
