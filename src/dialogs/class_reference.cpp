#include "dialogs/class_reference.h"

#include <memory>
#include <vector>

#include "base/extended.h"
#include "dialogs/dialog_form.h"
#include "dialogs/roundtrip.h"
#include "dialogs/served_classes.h"
#include "objects/class_registry.h"
#include "objects/component.h"
#include "objects/ident_map.h"

namespace {

std::string Code(const std::string& text) { return "`" + text + "`"; }

std::string SetText(const TypeInfo& type, int32_t bits) {
  std::string text = "[";
  for (size_t i = 0; i < 32 && i < type.names.size(); ++i) {
    if (!(static_cast<uint32_t>(bits) & (1u << i))) continue;
    if (text.size() > 1) text += ", ";
    text += type.names[i];
  }
  return text + "]";
}

// An ordinal value as a reply writes it.
std::string OrdinalText(const TypeInfo& type, int32_t value) {
  switch (type.kind) {
    case TypeKind::Enumeration:
      return value >= 0 && static_cast<size_t>(value) < type.names.size() ? type.names[static_cast<size_t>(value)]
                                                                          : std::to_string(value);
    case TypeKind::Set:
      return SetText(type, value);
    case TypeKind::Char:
      return "'" + std::string(1, static_cast<char>(value)) + "'";
    default:
      if (const char* ident = IntToIdent(type, value)) return ident;
      return std::to_string(value);
  }
}

std::string TypeText(const TypeInfo& type) {
  std::string names;
  for (const char* name : type.names) names += std::string(names.empty() ? "" : ", ") + name;
  switch (type.kind) {
    case TypeKind::Enumeration:
      return Code(type.name) + ": " + names;
    case TypeKind::Set:
      return Code(type.name) + ": a set of " + names;
    case TypeKind::Integer:
      return Code(type.name) + (&type == &ColorType() ? " (a number, or a name such as clRed)" : "");
    default:
      return Code(type.name);
  }
}

bool IsOrdinal(TypeKind kind) {
  return kind == TypeKind::Integer || kind == TypeKind::Char || kind == TypeKind::Enumeration ||
         kind == TypeKind::Set;
}

// What the property holds in a fresh object: its value when a request does not set it.
std::string DefaultText(const PropInfo& prop, TPersistent& object) {
  const TypeKind kind = prop.type->kind;
  if (IsOrdinal(kind) && prop.ord.get) return Code(OrdinalText(*prop.type, prop.ord.get(object)));
  if (kind == TypeKind::String && prop.str.get) return Code("'" + prop.str.get(object) + "'");
  if (kind == TypeKind::Float && prop.flt.get) return Code(FloatToText(prop.flt.get(object)));
  return "";
}

// When a reply writes the property; the value it is compared with where that is not the
// fresh object's.
std::string WrittenText(const PropInfo& prop, TPersistent& object) {
  if (prop.stored == Stored::Never) return "never";
  if (prop.stored == Stored::Test) return "when the class's own test says it holds a value";
  switch (prop.type->kind) {
    case TypeKind::String: return "when not empty";
    case TypeKind::Float: return "when not 0";
    case TypeKind::Method: return "never from a request (no handler can be named)";
    default:
      if (prop.defaultValue == kNoDefault) return "always";
      if (prop.ord.get && prop.ord.get(object) != prop.defaultValue)
        return "when not " + Code(OrdinalText(*prop.type, prop.defaultValue));
      return "when not the default";
  }
}

// The names of an object's defined properties (lists and the like written in their own form).
class DefinedNames : public PropertyFiler {
 public:
  void defineProperty(const char* name, const std::function<void(TReader&)>&, const std::function<void(TWriter&)>&,
                      bool) override {
    names.emplace_back(name);
  }
  std::vector<std::string> names;
};

void AddRows(TPersistent& object, const std::string& prefix, std::string& rows) {
  for (const PropInfo* prop : object.classInfo().properties()) {
    if (!prop->hasSetter()) continue;
    const std::string name = prefix + prop->name;
    if (prop->type->kind == TypeKind::Class) {
      TPersistent* value = prop->obj.get(object);
      if (value && !dynamic_cast<TComponent*>(value)) {
        AddRows(*value, name + ".", rows);
        continue;
      }
      rows += "| " + Code(name) + " | " + TypeText(*prop->type) + " (a component's name) |  | when set |\n";
      continue;
    }
    rows += "| " + Code(name) + " | " + TypeText(*prop->type) + " | " + DefaultText(*prop, object) + " | " +
            WrittenText(*prop, object) + " |\n";
  }
  DefinedNames defined;
  object.defineProperties(defined);
  for (const std::string& name : defined.names) {
    const bool list = name == "Strings";
    rows += "| " + Code(prefix + name) + " | " +
            (list ? "a list of strings: `( 'first' 'second' )`" : "`Integer`: the component's place on its form") +
            " |  | " + (list ? "when it has lines" : "when the request set it") + " |\n";
  }
}

}  // namespace

std::string ClassReference(const std::string& className) {
  RegisterServedClasses();
  const ClassInfo& info = FindClass(className);
  const std::string untouched = RoundTripRequest(info.name, std::string("object X: ") + info.name + "\r\nend\r\n");

  TDialogForm form;
  std::unique_ptr<TComponent> dialog(info.create(&form));
  std::string text = std::string("## ") + info.name + "\n\n";
  std::string ancestry;
  for (const ClassInfo* parent = info.parent; parent; parent = parent->parent)
    ancestry += std::string(ancestry.empty() ? "" : ", ") + Code(parent->name);
  text += "Ancestors: " + ancestry + ".\n\n";
  text += "| Property | Type | Default | A reply writes it |\n|---|---|---|---|\n";
  AddRows(*dialog, "", text);
  text += "\nThe reply to a request that sets nothing (`object X: " + std::string(info.name) + "` and `end`):\n\n```\n";
  for (char c : untouched)
    if (c != '\r') text += c;
  return text + "```\n";
}

std::string ServedClassesReference() {
  RegisterServedClasses();
  std::string text =
      "# The served classes\n\n"
      "Made by `comptext schema` from the property tables the server reads requests and writes\n"
      "replies with; a test compares this file with them. A request may set every property\n"
      "listed; \"Default\" is what the property holds when the request does not set it (read from\n"
      "a fresh object); a reply writes each one when the last column says so, in this order. Names are\n"
      "compared without regard to case. Values are written in component text: names of\n"
      "enumerations and sets as they stand, strings between apostrophes, numbers in decimal, a\n"
      "`TColor` by its name when it has one (`clRed`, `clWindowText`) and else as a number.\n"
      "Some setters normalise what they are given, and the reply shows it: `InitialDir` drops\n"
      "one trailing `\\`, `FindText` keeps its first 255 characters, `Font.Size` is turned into\n"
      "`Font.Height` at the screen's pixels per inch.\n";
  for (const ClassInfo* info : ServedClasses()) text += "\n" + ClassReference(info->name);
  return text;
}
