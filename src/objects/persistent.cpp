#include "objects/persistent.h"

#include "base/errors.h"
#include "base/format.h"
#include "base/messages.h"

const ClassInfo& TPersistent::StaticClass() {
  static const ClassInfo info{"TPersistent", nullptr, {}};
  return info;
}

void TPersistent::defineProperties(PropertyFiler&) {}

void TPersistent::assign(const TPersistent* source) { assignError(source); }

void TPersistent::assignError(const TPersistent* source) const {
  std::string sourceName = source ? source->className() : "nil";
  throw EConvertError(Format(msg::kAssignError, {sourceName, className()}));
}
