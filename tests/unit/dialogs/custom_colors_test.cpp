// The colour dialog's custom colour entries and option flags.
#include "dialogs/custom_colors.h"

#include <gtest/gtest.h>

#include "base/errors.h"
#include "testing/expect_throw_msg.h"

namespace {

const std::string kPrefix = "Color", kTags = "ABCDEFGHIJKLMNOP";

TStringList List(std::vector<std::string> lines) {
  TStringList list;
  list.setLines(std::move(lines));
  return list;
}

TEST(CustomColors, EntriesAreFoundByNameAndReadAsHexadecimal) {
  const struct { std::vector<std::string> lines; size_t index; int32_t color; } kCases[] = {
      {{"colorb=12"}, 1, 0x12},          {{"COLORP=abcdef"}, 15, 0xABCDEF},
      {{"ColorC="}, 2, -1},              {{"ColorD=FFFFFFFF"}, 3, -1},
      {{"ColorE=0000000080"}, 4, 0x80},  {{"ColorA=1", "ColorA=2"}, 0, 1},
      {{"ColorA", "x=ColorA=5", "ColorA =7", "ColorA=6"}, 0, 6},
  };
  for (const auto& c : kCases) {
    CustomColorArray expected;
    expected.fill(-1);
    expected[c.index] = c.color;
    EXPECT_EQ(expected, ReadCustomColors(List(c.lines), kPrefix, kTags)) << ::testing::PrintToString(c.lines);
  }
}

TEST(CustomColors, InvalidValueFailsWithTheTextAndItsDollar) {
  for (const char* value : {"xyz", " FF", "-1", "100000000"})
    EXPECT_THROW_MSG(ReadCustomColors(List({std::string("ColorB=") + value}), kPrefix, kTags), EConvertError,
                     "'$" + std::string(value) + "' is not a valid integer value");
}

TEST(CustomColors, WritingRewritesEntriesInPlaceAndAppendsTheMissingInOrder) {
  TStringList list = List({"first", "colorb=1", "ColorA", "ColorB=2"});
  CustomColorArray colors;
  colors.fill(-1);
  colors[1] = 0x12;
  colors[2] = 0x1234567;
  WriteCustomColors(list, colors, kPrefix, kTags);
  std::vector<std::string> expected = {"first", "ColorB=000012", "ColorA", "ColorB=2", "ColorA=FFFFFFFF",
                                       "ColorC=1234567"};
  for (char tag = 'D'; tag <= 'P'; ++tag) expected.push_back(std::string("Color") + tag + "=FFFFFFFF");
  EXPECT_EQ(expected, list.lines()) << "first entry rewritten at its place, 'ColorA' without '=' and the "
                                       "later duplicate kept, the missing appended in order";
  EXPECT_EQ(colors, ReadCustomColors(list, kPrefix, kTags)) << "round trip";
}

}  // namespace
