#include "objects/class_registry.h"

#include <vector>

#include "base/errors.h"
#include "base/format.h"
#include "base/messages.h"
#include "base/text.h"
#include "objects/type_info.h"

namespace {
std::vector<const ClassInfo*>& Registered() {
  static std::vector<const ClassInfo*> classes;
  return classes;
}
}  // namespace

void RegisterPersistentClass(const ClassInfo& info) {
  for (const ClassInfo* c = &info; c; c = c->parent) {
    const ClassInfo* existing = GetClass(c->name);
    if (existing == c) continue;
    if (existing) throw EFilerError(Format(msg::kDuplicateClass, {c->name}));
    Registered().push_back(c);
  }
}

const ClassInfo* GetClass(const std::string& name) {
  for (const ClassInfo* c : Registered())
    if (SameText(c->name, name)) return c;
  return nullptr;
}

const ClassInfo& FindClass(const std::string& name) {
  if (const ClassInfo* c = GetClass(name)) return *c;
  throw EClassNotFound(Format(msg::kClassNotFound, {name}));
}

void UnregisterAllClasses() { Registered().clear(); }
