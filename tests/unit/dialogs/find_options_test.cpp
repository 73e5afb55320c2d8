// The find dialog's option table: options to flags, and flags reported back to options.
#include "dialogs/find_options.h"

#include <gtest/gtest.h>

namespace {

TFindOptions Set(std::initializer_list<TFindOption> members) {
  TFindOptions set = 0;
  for (TFindOption member : members) set |= static_cast<TFindOptions>(SetOf(member));
  return set;
}

TEST(FindOptionsTest, OptionsBecomeFlagsAndFlagsReportTheSameOptions) {
  const struct {
    TFindOptions options;
    uint32_t flags;  // with FR_ENABLEHOOK (0x100), which every run adds
  } cases[] = {
      {0, 0x100},
      {Set({frDown}), 0x101},
      {Set({frHideMatchCase, frDisableUpDown}), 0x8500},
      {Set({frHideUpDown, frDisableWholeWord}), 0x5100},
      {Set({frMatchCase, frWholeWord, frFindNext}), 0x10E},
      {Set({frReplace, frReplaceAll, frShowHelp, frHideWholeWord, frDisableMatchCase}), 0x109B0},
      {0x1FFF, 0x1DDBF},  // every member
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.flags, FindDialogFlags(c.options)) << "options 0x" << std::hex << c.options;
    EXPECT_EQ(c.options, FindOptionsFromFlags(c.flags)) << "flags 0x" << std::hex << c.flags;
  }
}

TEST(FindOptionsTest, ClosingNoticeReportsOnlyItsOptionFlags) {
  // What the find window sends when it closes: FR_DIALOGTERM | FR_ENABLEHOOK | FR_DOWN.
  EXPECT_EQ(Set({frDown}), FindOptionsFromFlags(0x141));
}

}  // namespace
