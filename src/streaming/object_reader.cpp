#include <string>
#include <vector>

#include "base/errors.h"
#include "base/format.h"
#include "base/messages.h"
#include "base/text.h"
#include "objects/application_forms.h"
#include "objects/class_registry.h"
#include "objects/collection.h"
#include "objects/component.h"
#include "objects/ident_map.h"
#include "streaming/filer.h"
#include "streaming/object_stream.h"

namespace {

std::vector<std::string> SplitPath(const std::string& path) {
  std::vector<std::string> parts(1);
  for (char c : path) {
    if (c == '.')
      parts.emplace_back();
    else
      parts.back() += c;
  }
  return parts;
}

// Offers one pending property name to an object's defined properties.
class DefinedPropertyReader : public PropertyFiler {
 public:
  DefinedPropertyReader(TReader& reader, const std::string& name) : reader_(reader), name_(name) {}
  void defineProperty(const char* name, const std::function<void(TReader&)>& read,
                      const std::function<void(TWriter&)>&, bool) override {
    if (!found_ && SameText(name, name_)) {
      found_ = true;
      read(reader_);
    }
  }
  bool found() const { return found_; }

 private:
  TReader& reader_;
  const std::string& name_;
  bool found_ = false;
};

// A property naming a component by identifier, assigned once all properties have been read.
struct PendingReference {
  TPersistent* object;
  const PropInfo* prop;
  std::string name;
};

class ObjectReader {
 public:
  ObjectReader(TReader& reader, TComponent& root) : reader_(reader), root_(root) {}

  void readRoot() {
    reader_.readSignature();
    uint8_t flags = 0;
    int32_t position = 0;
    reader_.readPrefix(flags, position);
    reader_.readStr();  // the class named in the record plays no part
    root_.setName(UniqueFormName(reader_.readStr()));
    begin(root_);
    readData(root_, 1);
    resolveReferences(/*otherForms=*/false);
    for (TComponent* c : loaded_) c->setStateFlag(csReading, false);
    for (TComponent* c : loaded_) c->loaded();
    resolveReferences(/*otherForms=*/true);
  }

 private:
  static std::string UniqueFormName(const std::string& name) {
    if (name.empty() || !FindApplicationForm(name)) return name;
    for (int i = 1;; ++i) {
      std::string candidate = Format("%s_%d", {name, i});
      if (!FindApplicationForm(candidate)) return candidate;
    }
  }

  void begin(TComponent& component) {
    component.setStateFlag(csLoading, true);
    component.setStateFlag(csReading, true);
    loaded_.push_back(&component);
  }

  static void checkDepth(int depth) {
    if (depth > kMaxNestingDepth) throw EReadError(msg::kNestingTooDeep);
  }

  void readData(TComponent& component, int depth) {
    checkDepth(depth);
    while (!reader_.endOfList()) readProperty(component, depth);
    reader_.readListEnd();
    while (!reader_.endOfList()) readChild(component, depth + 1);
    reader_.readListEnd();
  }

  // A child record becomes a new component owned by `parent`; it is never written back.
  void readChild(TComponent& parent, int depth) {
    checkDepth(depth);
    uint8_t flags = 0;
    int32_t position = 0;
    reader_.readPrefix(flags, position);
    std::string className = reader_.readStr();
    std::string name = reader_.readStr();
    const ClassInfo& info = FindClass(className);
    if (!info.create || !info.isComponent())
      throw EClassNotFound(Format(msg::kClassNotFound, {className}));
    TComponent* child = info.create(&parent);
    child->setName(name);
    begin(*child);
    readData(*child, depth);
  }

  void readProperty(TPersistent& object, int depth) {
    std::string path = reader_.readStr();
    try {
      std::vector<std::string> parts = SplitPath(path);
      TPersistent* current = &object;
      for (size_t i = 0; i + 1 < parts.size(); ++i) {
        const PropInfo* prop = current->classInfo().findProperty(parts[i]);
        if (!prop) throw EPropertyError(msg::kUnknownProperty);
        TPersistent* value = prop->type->kind == TypeKind::Class ? prop->obj.get(*current) : nullptr;
        if (!value) throw EPropertyError(msg::kInvalidPropertyPath);
        current = value;
      }
      if (const PropInfo* prop = current->classInfo().findProperty(parts.back())) {
        readValue(*current, *prop, depth);
      } else {
        DefinedPropertyReader defined(reader_, parts.back());
        current->defineProperties(defined);
        if (!defined.found()) throw EPropertyError(msg::kUnknownProperty);
      }
    } catch (const Exception& e) {
      throw EReadError(Format(msg::kErrorReading, {DisplayName(object), path, e.message()}));
    }
  }

  static std::string DisplayName(const TPersistent& object) {
    auto* component = dynamic_cast<const TComponent*>(&object);
    if (component && !component->name().empty()) return component->name();
    return object.className();
  }

  void readValue(TPersistent& object, const PropInfo& prop, int depth) {
    if (!prop.hasSetter()) throw EPropertyError(msg::kPropertyReadOnly);
    const TypeInfo& type = *prop.type;
    switch (type.kind) {
      case TypeKind::Integer: {
        int32_t value;
        if (reader_.nextValue() == ValueTag::Ident) {
          auto known = IdentToInt(type, reader_.readIdent());
          if (!known) throw EPropertyError(msg::kInvalidPropertyValue);
          value = *known;
        } else {
          value = reader_.readInteger();
        }
        prop.ord.set(object, value);
        break;
      }
      case TypeKind::Char: {
        if (reader_.nextValue() != ValueTag::String) throw EPropertyError(msg::kInvalidPropertyValue);
        std::string s = reader_.readString();
        if (s.size() != 1) throw EPropertyError(msg::kInvalidPropertyValue);
        prop.ord.set(object, static_cast<uint8_t>(s[0]));
        break;
      }
      case TypeKind::Enumeration:
        prop.ord.set(object, ElementOrdinal(type, reader_.readIdent()));
        break;
      case TypeKind::Float:
        prop.flt.set(object, reader_.readFloat());
        break;
      case TypeKind::String:
        prop.str.set(object, reader_.readString());
        break;
      case TypeKind::Set:
        prop.ord.set(object, readSet(type));
        break;
      case TypeKind::Class:
        readObjectValue(object, prop, depth);
        break;
      case TypeKind::Method:
        if (reader_.nextValue() == ValueTag::Nil) {
          reader_.readValue();
          prop.method.set(object, "");
        } else {
          const char* handler = root_.classInfo().findPublishedMethod(reader_.readIdent());
          if (!handler) throw EPropertyError(msg::kInvalidPropertyValue);
          prop.method.set(object, handler);
        }
        break;
      case TypeKind::Variant:
        break;
    }
  }

  static int32_t ElementOrdinal(const TypeInfo& type, const std::string& name) {
    for (size_t i = 0; i < type.names.size(); ++i)
      if (SameText(type.names[i], name)) return static_cast<int32_t>(i);
    throw EPropertyError(msg::kInvalidPropertyValue);
  }

  int32_t readSet(const TypeInfo& type) {
    if (reader_.nextValue() != ValueTag::Set) throw EPropertyError(msg::kInvalidPropertyValue);
    reader_.readValue();
    uint32_t members = 0;
    for (std::string name = reader_.readStr(); !name.empty(); name = reader_.readStr()) {
      int32_t ordinal = ElementOrdinal(type, name);
      if (ordinal <= 31) members |= 1u << ordinal;
    }
    return static_cast<int32_t>(members);
  }

  void readObjectValue(TPersistent& object, const PropInfo& prop, int depth) {
    switch (reader_.nextValue()) {
      case ValueTag::Nil:
        reader_.readValue();
        prop.obj.set(object, nullptr);
        break;
      case ValueTag::Collection: {
        reader_.readValue();
        // Only a collection can take a collection value; anything else would be corrupted.
        auto* collection = dynamic_cast<TCollection*>(prop.obj.get(object));
        if (!collection) throw EPropertyError(msg::kInvalidPropertyValue);
        readCollection(*collection, depth + 1);
        break;
      }
      default:
        pending_.push_back({&object, &prop, reader_.readIdent()});
        break;
    }
  }

  void readCollection(TCollection& collection, int depth) {
    checkDepth(depth);
    int64_t index = 0;
    while (!reader_.endOfList()) {
      ValueTag tag = reader_.nextValue();
      if (tag == ValueTag::Int8 || tag == ValueTag::Int16 || tag == ValueTag::Int32) {
        index = reader_.readInteger();
        // An index can only stand for items the rest of the input could describe.
        if (index < 0 || index > static_cast<int64_t>(collection.count()) + reader_.remaining())
          throw EPropertyError(msg::kInvalidPropertyValue);
      }
      reader_.readListBegin();
      while (static_cast<int64_t>(collection.count()) <= index) collection.add();
      TCollectionItem& item = collection.item(static_cast<size_t>(index));
      while (!reader_.endOfList()) readProperty(item, depth);
      reader_.readListEnd();
      ++index;
    }
    reader_.readListEnd();
  }

  // A plain name refers to a component owned by the root; "Form.Component" to a component of
  // another of the application's forms. Nothing found assigns nil.
  void resolveReferences(bool otherForms) {
    std::vector<PendingReference> pending;
    pending.swap(pending_);
    for (const PendingReference& ref : pending) {
      size_t dot = ref.name.find('.');
      if ((dot != std::string::npos) != otherForms) {
        pending_.push_back(ref);
        continue;
      }
      TComponent* target = nullptr;
      if (!otherForms) {
        target = root_.findComponent(ref.name);
      } else if (TComponent* form = FindApplicationForm(ref.name.substr(0, dot))) {
        target = form->findComponent(ref.name.substr(dot + 1));
      }
      ref.prop->obj.set(*ref.object, target);
    }
  }

  TReader& reader_;
  TComponent& root_;
  std::vector<TComponent*> loaded_;
  std::vector<PendingReference> pending_;
};

}  // namespace

void ReadRootObject(TStream& stream, TComponent& root) {
  TReader reader(stream);
  ObjectReader(reader, root).readRoot();
}
