// The colour dialog's custom colour entries and option flags.
#include "dialogs/custom_colors.h"

#include <gtest/gtest.h>

#include "base/errors.h"
#include "dialogs/color_options.h"
#include "testing/expect_throw_msg.h"

namespace {

const std::string kPrefix = "Color", kTags = "ABCDEFGHIJKLMNOP";

TStringList List(std::vector<std::string> lines) {
  TStringList list;
  list.setLines(std::move(lines));
  return list;
}

TEST(CustomColors, EntriesAreFoundByNameAndReadAsHexadecimal) {
  const struct {
    std::vector<std::string> lines;
    size_t index;
    int32_t color;
  } kCases[] = {
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
  ASSERT_EQ(19u, list.count());
  EXPECT_EQ("first", list[0]);
  EXPECT_EQ("ColorB=000012", list[1]) << "the first entry of that name, at its place";
  EXPECT_EQ("ColorA", list[2]) << "no '=': not an entry";
  EXPECT_EQ("ColorB=2", list[3]) << "a later duplicate stays";
  EXPECT_EQ("ColorA=FFFFFFFF", list[4]);
  EXPECT_EQ("ColorC=1234567", list[5]);
  EXPECT_EQ("ColorP=FFFFFFFF", list[18]);
  EXPECT_EQ(colors, ReadCustomColors(list, kPrefix, kTags)) << "round trip";
}

TEST(ColorOptions, EachOptionAddsItsFlagToRgbInitAndHook) {
  EXPECT_EQ(0x11u, ColorDialogFlags(0));
  EXPECT_EQ(0x19Fu, ColorDialogFlags(0x1F));
  EXPECT_EQ(0x91u, ColorDialogFlags(static_cast<TColorDialogOptions>(SetOf(cdSolidColor))));
}

}  // namespace
