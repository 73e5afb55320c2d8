#include "objects/component.h"

#include <gtest/gtest.h>

#include "base/errors.h"
#include "testing/expect_throw_msg.h"

namespace {

TEST(Component, OwnerFreesAndFindsItsComponentsIgnoringAsciiCase) {
  TComponent owner(nullptr);
  auto* a = new TComponent(&owner);
  a->setName("Alpha");
  auto* b = new TComponent(&owner);
  EXPECT_EQ(&owner, a->owner());
  EXPECT_EQ(a, owner.findComponent("ALPHA"));
  EXPECT_EQ(nullptr, owner.findComponent(""));
  delete b;  // leaves the owner's list
  EXPECT_EQ(1u, owner.components().size());
}

TEST(Component, NamesMustBeIdentifiersAndUniqueAmongTheOwnersComponents) {
  TComponent owner(nullptr);
  auto* a = new TComponent(&owner);
  a->setName("Button1");
  auto* b = new TComponent(&owner);
  EXPECT_THROW_MSG(b->setName("button1"), EComponentError, "A component named button1 already exists");
  EXPECT_THROW_MSG(b->setName("1abc"), EComponentError, "''1abc'' is not a valid component name");
  EXPECT_THROW_MSG(b->setName("a b"), EComponentError, "''a b'' is not a valid component name");
  b->setName("_b2");
  EXPECT_EQ("_b2", b->name());
  a->setName("BUTTON1");  // a new spelling of its own name is no collision
  EXPECT_EQ("BUTTON1", a->name());
  b->setName("");
  EXPECT_EQ("", b->name());
}

}  // namespace
