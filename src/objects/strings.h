// String lists: persistent objects streamed through their defined property Strings.
#pragma once

#include <string>
#include <vector>

#include "objects/persistent.h"

class TStrings : public TPersistent {
 public:
  DECLARE_CLASS_INFO()

  const std::vector<std::string>& lines() const { return lines_; }
  size_t count() const { return lines_.size(); }
  const std::string& operator[](size_t i) const { return lines_[i]; }
  void add(const std::string& line) { lines_.push_back(line); }
  void clear() { lines_.clear(); }
  void setLines(std::vector<std::string> lines) { lines_ = std::move(lines); }

  // Copies another string list's lines; anything else fails as TPersistent::assign does.
  void assign(const TPersistent* source) override;
  // Strings: a list of strings, written when there is at least one line; reading replaces
  // every line.
  void defineProperties(PropertyFiler& filer) override;

 private:
  std::vector<std::string> lines_;
};

// The property type of string-list properties.
const TypeInfo& StringsType();

// The concrete list the dialogs own (its class name appears in assignment failures).
class TStringList : public TStrings {
 public:
  DECLARE_CLASS_INFO()
};
