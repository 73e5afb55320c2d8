#include "objects/class_registry.h"

#include <gtest/gtest.h>

#include "base/errors.h"
#include "objects/component.h"
#include "testing/expect_throw_msg.h"

namespace {

const ClassInfo& Widget() {
  static const ClassInfo info{"TWidget", &TComponent::StaticClass(), {}};
  return info;
}
const ClassInfo& OtherWidget() {
  static const ClassInfo info{"twidget", &TComponent::StaticClass(), {}};
  return info;
}

class ClassRegistry : public ::testing::Test {
 protected:
  void SetUp() override { UnregisterAllClasses(); }
  void TearDown() override { UnregisterAllClasses(); }
};

TEST_F(ClassRegistry, RegistersTheClassAndEveryAncestor) {
  RegisterPersistentClass(Widget());
  EXPECT_EQ(&Widget(), GetClass("TWidget"));
  EXPECT_EQ(&TComponent::StaticClass(), GetClass("tcomponent"));
  EXPECT_EQ(&TPersistent::StaticClass(), GetClass("TPERSISTENT"));
  RegisterPersistentClass(Widget());  // again: nothing changes
  EXPECT_EQ(&Widget(), &FindClass("twidget"));
}

TEST_F(ClassRegistry, UnknownAndDuplicateNamesFailWithTheirMessages) {
  EXPECT_THROW_MSG(FindClass("TNothing"), EClassNotFound, "Class TNothing not found");
  EXPECT_EQ(nullptr, GetClass("TNothing"));
  RegisterPersistentClass(Widget());
  EXPECT_THROW_MSG(RegisterPersistentClass(OtherWidget()), EFilerError, "A class named twidget already exists");
}

}  // namespace
