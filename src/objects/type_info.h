// Descriptors of published property types and of classes, and the descriptor of one property.
//
// A class's published properties are one table of PropInfo, one line per property in index
// order, built with the helpers at the end of this file, for example
//   OrdProp("FilterIndex", 8, IntegerType(), Field<&TOpenDialog::FFilterIndex>(), 1),
// The reader and writer of streaming/ walk these tables and nothing else.
#pragma once

#include <cstdint>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

class TPersistent;
class TComponent;
struct ClassInfo;

enum class TypeKind { Integer, Char, Enumeration, Float, String, Set, Class, Method, Variant };

// The default value that stands for "no default": such a property is always written.
constexpr int32_t kNoDefault = INT32_MIN;

struct TypeInfo {
  const char* name;
  TypeKind kind;
  // Enumeration: element names by ordinal. Set: the names of its element type, bit n = name n.
  std::vector<const char*> names;
  // Class kind: the class of the values.
  const ClassInfo& (*classType)() = nullptr;
};

using OrdGetter = int32_t (*)(const TPersistent&);
using OrdSetter = void (*)(TPersistent&, int32_t);
using FloatGetter = long double (*)(const TPersistent&);
using FloatSetter = void (*)(TPersistent&, long double);
using StrGetter = std::string (*)(const TPersistent&);
using StrSetter = void (*)(TPersistent&, const std::string&);
using ObjGetter = TPersistent* (*)(const TPersistent&);
using ObjSetter = void (*)(TPersistent&, TPersistent*);
// A method property reads as the name of the bound handler when that handler is one the
// object publishes for streaming, else as ""; it is set with such a name, or "" to unbind.
using MethodGetter = std::string (*)(const TPersistent&);
using MethodSetter = void (*)(TPersistent&, const std::string&);
using StoredTest = bool (*)(const TPersistent&);

struct OrdAccess { OrdGetter get; OrdSetter set; };
struct FloatAccess { FloatGetter get; FloatSetter set; };
struct StrAccess { StrGetter get; StrSetter set; };
struct ObjAccess { ObjGetter get; ObjSetter set; };
struct MethodAccess { MethodGetter get; MethodSetter set; };

enum class Stored { Always, Never, Test };

struct PropInfo {
  const char* name = "";
  int index = 0;
  const TypeInfo* type = nullptr;
  OrdAccess ord{};
  FloatAccess flt{};
  StrAccess str{};
  ObjAccess obj{};
  MethodAccess method{};
  int32_t defaultValue = kNoDefault;
  Stored stored = Stored::Always;
  StoredTest storedTest = nullptr;

  bool hasSetter() const;
  bool isStoredFor(const TPersistent& object) const;
};

struct ClassInfo {
  using Factory = TComponent* (*)(TComponent* owner);
  ClassInfo(const char* name, const ClassInfo* parent, std::vector<PropInfo> ownProps,
            Factory create = nullptr, std::vector<const char*> publishedMethods = {})
      : name(name), parent(parent), ownProps(std::move(ownProps)), create(create),
        publishedMethods(std::move(publishedMethods)) {}

  const char* name;
  const ClassInfo* parent;  // nullptr for TPersistent
  std::vector<PropInfo> ownProps;
  // Creates a component of this class owned by `owner`; nullptr for classes that are not
  // components or cannot be created by name.
  Factory create;
  // Names of the handlers the class publishes for streaming (none for the dialog classes).
  std::vector<const char*> publishedMethods;

  // Full property list: one slot per index, ancestors first, a redeclaration taking the
  // inherited slot. Built once.
  const std::vector<const PropInfo*>& properties() const;
  // Own descriptors first, then each ancestor's; names compared ignoring ASCII case.
  const PropInfo* findProperty(const std::string& name) const;
  const char* findPublishedMethod(const std::string& name) const;
  bool inheritsFrom(const ClassInfo& ancestor) const;
  bool isComponent() const;

  // Cache of properties(); not part of the description.
  mutable std::vector<const PropInfo*> fullList_;
  mutable bool built_ = false;
};

// The types every class shares.
const TypeInfo& IntegerType();   // Integer, Longint
const TypeInfo& BooleanType();   // 8-bit False/True
const TypeInfo& LongboolType();  // 32-bit False/True
const TypeInfo& StringType();
const TypeInfo& ComponentNameType();

// --- Building tables -------------------------------------------------------------------------

namespace type_info_detail {
template <class T> struct MemberPointer;
template <class C, class T> struct MemberPointer<T C::*> {
  using Class = C;
  using Type = T;
};

template <auto F> int32_t GetOrd(const TPersistent& o) {
  using M = MemberPointer<decltype(F)>;
  return static_cast<int32_t>(static_cast<const typename M::Class&>(o).*F);
}
template <auto F> void SetOrd(TPersistent& o, int32_t v) {
  using M = MemberPointer<decltype(F)>;
  using T = typename M::Type;
  if constexpr (std::is_same_v<T, bool>)
    static_cast<typename M::Class&>(o).*F = v != 0;
  else
    static_cast<typename M::Class&>(o).*F = static_cast<T>(v);
}
template <auto F> long double GetFloat(const TPersistent& o) {
  using M = MemberPointer<decltype(F)>;
  return static_cast<const typename M::Class&>(o).*F;
}
template <auto F> void SetFloat(TPersistent& o, long double v) {
  using M = MemberPointer<decltype(F)>;
  static_cast<typename M::Class&>(o).*F = static_cast<typename M::Type>(v);
}
template <auto F> std::string GetStr(const TPersistent& o) {
  using M = MemberPointer<decltype(F)>;
  return static_cast<const typename M::Class&>(o).*F;
}
template <auto F> void SetStr(TPersistent& o, const std::string& v) {
  using M = MemberPointer<decltype(F)>;
  static_cast<typename M::Class&>(o).*F = v;
}

template <class Method> struct MethodTraits;
template <class C, class R> struct MethodTraits<R (C::*)() const> {
  using Class = C;
  using Result = std::decay_t<R>;
};
template <class C, class A> struct MethodTraits<void (C::*)(A)> {
  using Class = C;
  using Arg = std::decay_t<A>;
};

template <auto G> auto CallGetter(const TPersistent& o) {
  using C = typename MethodTraits<decltype(G)>::Class;
  return (static_cast<const C&>(o).*G)();
}
template <auto S, class V> void CallSetter(TPersistent& o, V v) {
  using C = typename MethodTraits<decltype(S)>::Class;
  using A = typename MethodTraits<decltype(S)>::Arg;
  (static_cast<C&>(o).*S)(static_cast<A>(v));
}
}  // namespace type_info_detail

// Accessors that read and write a field directly: integers, enumerations, sets and booleans
// give OrdAccess, `long double` FloatAccess, `std::string` StrAccess.
template <auto F> constexpr auto Field() {
  using namespace type_info_detail;
  using T = typename MemberPointer<decltype(F)>::Type;
  if constexpr (std::is_same_v<T, std::string>)
    return StrAccess{&GetStr<F>, &SetStr<F>};
  else if constexpr (std::is_floating_point_v<T>)
    return FloatAccess{&GetFloat<F>, &SetFloat<F>};
  else
    return OrdAccess{&GetOrd<F>, &SetOrd<F>};
}

// Accessors through a getter and a setter method of the class (the setter may be nullptr for
// a read-only property). Object-valued setters take a TPersistent* and check its class.
template <auto G, auto S> constexpr auto Accessors() {
  using namespace type_info_detail;
  using R = typename MethodTraits<decltype(G)>::Result;
  constexpr bool kHasSetter = !std::is_same_v<decltype(S), std::nullptr_t>;
  if constexpr (std::is_same_v<R, std::string>) {
    StrSetter set = nullptr;
    if constexpr (kHasSetter) set = [](TPersistent& o, const std::string& v) { CallSetter<S>(o, v); };
    return StrAccess{[](const TPersistent& o) -> std::string { return CallGetter<G>(o); }, set};
  } else if constexpr (std::is_floating_point_v<R>) {
    FloatSetter set = nullptr;
    if constexpr (kHasSetter) set = [](TPersistent& o, long double v) { CallSetter<S>(o, v); };
    return FloatAccess{[](const TPersistent& o) -> long double { return CallGetter<G>(o); }, set};
  } else if constexpr (std::is_pointer_v<R>) {
    ObjSetter set = nullptr;
    if constexpr (kHasSetter) set = [](TPersistent& o, TPersistent* v) { CallSetter<S>(o, v); };
    return ObjAccess{[](const TPersistent& o) -> TPersistent* { return CallGetter<G>(o); }, set};
  } else {
    OrdSetter set = nullptr;
    if constexpr (kHasSetter) set = [](TPersistent& o, int32_t v) { CallSetter<S>(o, v); };
    return OrdAccess{[](const TPersistent& o) -> int32_t { return static_cast<int32_t>(CallGetter<G>(o)); },
                     set};
  }
}

PropInfo OrdProp(const char* name, int index, const TypeInfo& type, OrdAccess access,
                 int32_t defaultValue = kNoDefault, Stored stored = Stored::Always);
PropInfo FloatProp(const char* name, int index, const TypeInfo& type, FloatAccess access,
                   Stored stored = Stored::Always);
PropInfo StrProp(const char* name, int index, const TypeInfo& type, StrAccess access,
                 Stored stored = Stored::Always);
PropInfo ObjProp(const char* name, int index, const TypeInfo& type, ObjAccess access,
                 Stored stored = Stored::Always);
PropInfo MethodProp(const char* name, int index, const TypeInfo& type, MethodAccess access);
// A property whose stored specifier is a test of the object.
PropInfo WithStoredTest(PropInfo prop, StoredTest test);
