#include <string>

#include "objects/collection.h"
#include "objects/component.h"
#include "objects/ident_map.h"
#include "streaming/filer.h"
#include "streaming/object_stream.h"

namespace {

// Writes an object's defined properties under a path prefix.
class DefinedPropertyWriter : public PropertyFiler {
 public:
  DefinedPropertyWriter(TWriter& writer, const std::string& prefix) : writer_(writer), prefix_(prefix) {}
  void defineProperty(const char* name, const std::function<void(TReader&)>&,
                      const std::function<void(TWriter&)>& write, bool hasData) override {
    if (!hasData) return;
    writer_.writeStr(prefix_ + name);
    write(writer_);
  }

 private:
  TWriter& writer_;
  const std::string& prefix_;
};

class ObjectWriter {
 public:
  ObjectWriter(TWriter& writer, TComponent& root) : writer_(writer), root_(root) {}

  void writeRoot() {
    writer_.writeSignature();
    writer_.writeStr(root_.className());
    writer_.writeStr(root_.name());
    writeProperties(root_, "");
    writer_.writeListEnd();
    writer_.writeListEnd();  // children are never written back
  }

 private:
  void writeProperties(TPersistent& object, const std::string& prefix) {
    for (const PropInfo* prop : object.classInfo().properties()) {
      if (!prop->hasSetter() || !prop->isStoredFor(object)) continue;
      writeProperty(object, *prop, prefix);
    }
    DefinedPropertyWriter defined(writer_, prefix);
    object.defineProperties(defined);
  }

  void writeProperty(TPersistent& object, const PropInfo& prop, const std::string& prefix) {
    const TypeInfo& type = *prop.type;
    std::string path = prefix + prop.name;
    switch (type.kind) {
      case TypeKind::Integer: {
        int32_t value = prop.ord.get(object);
        if (value == prop.defaultValue) return;
        writer_.writeStr(path);
        if (const char* ident = IntToIdent(type, value))
          writer_.writeIdent(ident);
        else
          writer_.writeInteger(value);
        break;
      }
      case TypeKind::Char: {
        int32_t value = prop.ord.get(object);
        if (value == prop.defaultValue) return;
        writer_.writeStr(path);
        writer_.writeString(std::string(1, static_cast<char>(value)));
        break;
      }
      case TypeKind::Enumeration: {
        int32_t value = prop.ord.get(object);
        if (value == prop.defaultValue) return;
        writer_.writeStr(path);
        if (value >= 0 && static_cast<size_t>(value) < type.names.size())
          writer_.writeIdent(type.names[static_cast<size_t>(value)]);
        else
          writer_.writeInteger(value);
        break;
      }
      case TypeKind::Set: {
        int32_t value = prop.ord.get(object);
        if (value == prop.defaultValue) return;
        writer_.writeStr(path);
        writer_.writeValue(ValueTag::Set);
        for (size_t i = 0; i < 32 && i < type.names.size(); ++i)
          if (static_cast<uint32_t>(value) & (1u << i)) writer_.writeStr(type.names[i]);
        writer_.writeStr("");
        break;
      }
      case TypeKind::Float: {
        long double value = prop.flt.get(object);
        if (value == 0) return;
        writer_.writeStr(path);
        writer_.writeFloat(value);
        break;
      }
      case TypeKind::String: {
        std::string value = prop.str.get(object);
        if (value.empty()) return;
        writer_.writeStr(path);
        writer_.writeString(value);
        break;
      }
      case TypeKind::Class:
        writeObjectValue(prop.obj.get(object), path);
        break;
      case TypeKind::Method: {
        std::string handler = prop.method.get(object);
        if (handler.empty() || !root_.classInfo().findPublishedMethod(handler)) return;
        writer_.writeStr(path);
        writer_.writeIdent(handler);
        break;
      }
      case TypeKind::Variant:
        break;
    }
  }

  void writeObjectValue(TPersistent* value, const std::string& path) {
    if (!value) return;
    if (auto* component = dynamic_cast<TComponent*>(value)) {
      writer_.writeStr(path);
      writer_.writeIdent(NameRelativeToRoot(*component));
    } else if (auto* collection = dynamic_cast<TCollection*>(value)) {
      writer_.writeStr(path);
      writer_.writeValue(ValueTag::Collection);
      for (size_t i = 0; i < collection->count(); ++i) {
        writer_.writeListBegin();
        writeProperties(collection->item(i), "");
        writer_.writeListEnd();
      }
      writer_.writeListEnd();
    } else {
      writeProperties(*value, path + ".");
    }
  }

  std::string NameRelativeToRoot(const TComponent& component) const {
    if (component.owner() == &root_ || !component.owner()) return component.name();
    return component.owner()->name() + "." + component.name();
  }

  TWriter& writer_;
  TComponent& root_;
};

// Keeps the writing flag set for exactly the duration of the write.
class WritingFlag {
 public:
  explicit WritingFlag(TComponent& c) : c_(c) { c_.setStateFlag(csWriting, true); }
  ~WritingFlag() { c_.setStateFlag(csWriting, false); }

 private:
  TComponent& c_;
};

}  // namespace

void WriteRootObject(TStream& stream, TComponent& root) {
  WritingFlag writing(root);
  TWriter writer(stream);
  ObjectWriter(writer, root).writeRoot();
  writer.flushBuffer();
}
