// Reading a reply's component text the way the server reads a request: the text goes through
// the same conversion to the binary form, and the root object's properties are read from that
// form by their tags. A client asks for a property by its name as the text writes it
// ("FileName", "Font.Name", "HistoryList.Strings"; ASCII letter case ignored):
//
//   TReplyReader reply(text);             // throws the reader's failure for a malformed text
//   std::string name;
//   if (reply.string("FileName", name) == ReadResult::Found) open(name);
//
// A string comes back decoded ('It'#39's' is It's), a set as its members, a string list as its
// items. Child objects and collections are not read.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

enum class ReadResult {
  Found,
  Absent,     // the reply does not hold the property (a default a reply leaves out is absent)
  WrongType,  // it holds a value of another kind
};

class TReplyReader {
 public:
  explicit TReplyReader(const std::string& text);

  const std::string& className() const { return className_; }
  const std::string& objectName() const { return objectName_; }

  // A string, or an identifier value (fsEdit, clRed, True) as it is written.
  ReadResult string(const std::string& path, std::string& value) const;
  // An integer, or a Boolean as 0 or 1.
  ReadResult integer(const std::string& path, int32_t& value) const;
  ReadResult set(const std::string& path, std::vector<std::string>& members) const;
  // A list of strings; "X" finds "X.Strings" too.
  ReadResult list(const std::string& path, std::vector<std::string>& items) const;

 private:
  enum class Kind { String, Ident, Integer, Boolean, Float, Set, List, Other };
  struct Value {
    Kind kind = Kind::Other;
    std::string text;                // String, Ident
    int32_t number = 0;              // Integer, Boolean
    std::vector<std::string> items;  // Set members, List items (strings only)
    bool listOfStrings = true;
  };
  const Value* find(const std::string& path) const;

  std::string className_, objectName_;
  std::map<std::string, Value> properties_;  // by name with ASCII letters lowered
};
