// Collections: ordered lists of items of one persistent class, streamed as a Collection value.
#pragma once

#include <memory>
#include <vector>

#include "objects/persistent.h"

class TCollection;

class TCollectionItem : public TPersistent {
 public:
  explicit TCollectionItem(TCollection* collection) : collection_(collection) {}
  DECLARE_CLASS_INFO()
  TCollection* collection() const { return collection_; }

 private:
  TCollection* collection_;
};

class TCollection : public TPersistent {
 public:
  using ItemFactory = std::unique_ptr<TCollectionItem> (*)(TCollection*);
  explicit TCollection(ItemFactory factory) : factory_(factory) {}
  DECLARE_CLASS_INFO()

  size_t count() const { return items_.size(); }
  TCollectionItem& item(size_t i) const { return *items_[i]; }
  TCollectionItem& add();
  void clear() { items_.clear(); }

 private:
  ItemFactory factory_;
  std::vector<std::unique_ptr<TCollectionItem>> items_;
};
