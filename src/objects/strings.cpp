#include "objects/strings.h"

#include "streaming/filer.h"

const ClassInfo& TStrings::StaticClass() {
  static const ClassInfo info{"TStrings", &TPersistent::StaticClass(), {}};
  return info;
}

const ClassInfo& TStringList::StaticClass() {
  static const ClassInfo info{"TStringList", &TStrings::StaticClass(), {}};
  return info;
}

void TStrings::assign(const TPersistent* source) {
  if (auto* other = dynamic_cast<const TStrings*>(source)) {
    if (other != this) lines_ = other->lines_;
    return;
  }
  TPersistent::assign(source);
}

void TStrings::defineProperties(PropertyFiler& filer) {
  filer.defineProperty(
      "Strings",
      [this](TReader& r) {
        r.readListBegin();
        lines_.clear();
        while (!r.endOfList()) lines_.push_back(r.readString());
        r.readListEnd();
      },
      [this](TWriter& w) {
        w.writeListBegin();
        for (const std::string& line : lines_) w.writeString(line);
        w.writeListEnd();
      },
      !lines_.empty());
}

const TypeInfo& StringsType() {
  static const TypeInfo type{"TStrings", TypeKind::Class, {}, &TStrings::StaticClass};
  return type;
}
