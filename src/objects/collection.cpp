#include "objects/collection.h"

const ClassInfo& TCollectionItem::StaticClass() {
  static const ClassInfo info{"TCollectionItem", &TPersistent::StaticClass(), {}};
  return info;
}

const ClassInfo& TCollection::StaticClass() {
  static const ClassInfo info{"TCollection", &TPersistent::StaticClass(), {}};
  return info;
}

TCollectionItem& TCollection::add() {
  items_.push_back(factory_(this));
  return *items_.back();
}
