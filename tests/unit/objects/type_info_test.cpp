#include "objects/type_info.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "objects/component.h"

namespace {

// A small hierarchy: Base declares A(0) B(1); Derived redeclares B in slot 1 and adds C(2).
struct Base : TComponent {
  using TComponent::TComponent;
  DECLARE_CLASS_INFO()
  int32_t a = 0, b = 0;
};
struct Derived : Base {
  using Base::Base;
  DECLARE_CLASS_INFO()
  int32_t c = 0;
};

const ClassInfo& Base::StaticClass() {
  static const ClassInfo info{"TBase", &TPersistent::StaticClass(),
                              {OrdProp("A", 0, IntegerType(), Field<&Base::a>(), 0),
                               OrdProp("B", 1, IntegerType(), Field<&Base::b>(), 0)}};
  return info;
}
const ClassInfo& Derived::StaticClass() {
  static const ClassInfo info{"TDerived", &Base::StaticClass(),
                              {OrdProp("C", 2, IntegerType(), Field<&Derived::c>()),
                               OrdProp("b", 1, IntegerType(), Field<&Derived::b>(), 7)}};
  return info;
}

std::vector<std::string> Names(const ClassInfo& info) {
  std::vector<std::string> names;
  for (const PropInfo* p : info.properties()) names.push_back(p->name);
  return names;
}

TEST(TypeInfo, FullListPutsAncestorsFirstAndRedeclarationsInTheInheritedSlot) {
  EXPECT_EQ((std::vector<std::string>{"A", "b", "C"}), Names(Derived::StaticClass()));
  EXPECT_EQ(7, Derived::StaticClass().properties()[1]->defaultValue);
  EXPECT_EQ((std::vector<std::string>{"A", "B"}), Names(Base::StaticClass()));
}

TEST(TypeInfo, LookupTakesTheClassOwnDescriptorFirstIgnoringAsciiCase) {
  const PropInfo* b = Derived::StaticClass().findProperty("B");
  ASSERT_NE(nullptr, b);
  EXPECT_EQ(7, b->defaultValue);
  ASSERT_NE(nullptr, Derived::StaticClass().findProperty("a"));
  EXPECT_EQ(nullptr, Derived::StaticClass().findProperty("D"));
  EXPECT_EQ(0, Base::StaticClass().findProperty("b")->defaultValue);
}

TEST(TypeInfo, FieldAccessorsReadAndWriteTheObject) {
  Derived d(nullptr);
  const PropInfo* c = Derived::StaticClass().findProperty("C");
  c->ord.set(d, -5);
  EXPECT_EQ(-5, d.c);
  EXPECT_EQ(-5, c->ord.get(d));
  EXPECT_TRUE(c->hasSetter());
  EXPECT_TRUE(Derived::StaticClass().inheritsFrom(Base::StaticClass()));
  EXPECT_FALSE(Base::StaticClass().inheritsFrom(Derived::StaticClass()));
}

}  // namespace
