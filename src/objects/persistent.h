// Persistent objects: anything with a class descriptor that can be streamed.
#pragma once

#include <functional>
#include <string>

#include "objects/type_info.h"

class TReader;
class TWriter;

// What a class sees when it declares its defined properties (stored values that are not
// published properties, such as a component's Left and Top or a string list's Strings).
class PropertyFiler {
 public:
  virtual ~PropertyFiler() = default;
  // Reading: `read` is called when `name` is the pending property. Writing: the name and
  // `write`'s value are written when `hasData` is true.
  virtual void defineProperty(const char* name, const std::function<void(TReader&)>& read,
                              const std::function<void(TWriter&)>& write, bool hasData) = 0;
};

class TPersistent {
 public:
  virtual ~TPersistent() = default;
  static const ClassInfo& StaticClass();
  virtual const ClassInfo& classInfo() const { return StaticClass(); }
  const char* className() const { return classInfo().name; }

  virtual void defineProperties(PropertyFiler& filer);
  // Copies `source` into this object. The base fails with EConvertError
  // "Cannot assign a %s to a %s" ("nil" for no source).
  virtual void assign(const TPersistent* source);

 protected:
  [[noreturn]] void assignError(const TPersistent* source) const;
};

// Declares the class descriptor members of a persistent class (defined in its .cpp with
// the same name and a function-local static ClassInfo).
#define DECLARE_CLASS_INFO()               \
  static const ClassInfo& StaticClass();   \
  const ClassInfo& classInfo() const override { return StaticClass(); }
