// The colour dialog's custom colour entries and option flags.
#include "dialogs/custom_colors.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/errors.h"
#include "dialogs/color_options.h"
#include "testing/expect_throw_msg.h"

namespace {

const std::string kPrefix = "Color";
const std::string kTags = "ABCDEFGHIJKLMNOP";

TStringList List(std::vector<std::string> lines) {
  TStringList list;
  list.setLines(std::move(lines));
  return list;
}

CustomColorArray Unset() {
  CustomColorArray colors;
  colors.fill(-1);
  return colors;
}

TEST(CustomColors, NamesRunFromPrefixAndTags) {
  EXPECT_EQ("ColorA", CustomColorName(kPrefix, kTags, 0));
  EXPECT_EQ("ColorP", CustomColorName(kPrefix, kTags, 15));
  EXPECT_EQ("FarbeB", CustomColorName("Farbe", "ABCDEFGHIJKLMNOP", 1)) << "texts come from the caller";
}

TEST(CustomColors, ValuesAreReadAsHexadecimal) {
  const struct {
    std::vector<std::string> lines;
    int index;
    int32_t color;
  } kCases[] = {
      {{}, 0, -1},
      {{"ColorA=FF8000"}, 0, 0xFF8000},
      {{"colorb=12"}, 1, 0x12},
      {{"COLORP=abcdef"}, 15, 0xABCDEF},
      {{"ColorC="}, 2, -1},
      {{"ColorD=FFFFFFFF"}, 3, -1},
      {{"ColorE=0000000080"}, 4, 0x80},
      {{"ColorF=80000000"}, 5, INT32_MIN},
      {{"ColorA=1", "ColorA=2"}, 0, 1},
      {{"ColorA", "x=ColorA=5", "ColorA=6"}, 0, 6},
      {{"ColorA =7", "ColorA=8"}, 0, 8},
  };
  for (const auto& c : kCases) {
    CustomColorArray colors = ReadCustomColors(List(c.lines), kPrefix, kTags);
    EXPECT_EQ(c.color, colors[static_cast<size_t>(c.index)]) << ::testing::PrintToString(c.lines);
    for (size_t i = 0; i < colors.size(); ++i) {
      if (static_cast<int>(i) == c.index) continue;
      EXPECT_EQ(-1, colors[i]) << ::testing::PrintToString(c.lines) << " #" << i;
    }
  }
}

TEST(CustomColors, InvalidValueFailsWithTheTextAndItsDollar) {
  const struct {
    const char* line;
    const char* message;
  } kCases[] = {
      {"ColorA=xyz", "'$xyz' is not a valid integer value"},
      {"ColorB= FF", "'$ FF' is not a valid integer value"},
      {"ColorC=-1", "'$-1' is not a valid integer value"},
      {"ColorD=100000000", "'$100000000' is not a valid integer value"},
      {"ColorE=$FF", "'$$FF' is not a valid integer value"},
  };
  for (const auto& c : kCases)
    EXPECT_THROW_MSG(ReadCustomColors(List({c.line}), kPrefix, kTags), EConvertError, c.message);
}

TEST(CustomColors, WritingAnEmptyListAppendsAllSixteenInOrder) {
  TStringList list;
  CustomColorArray colors = Unset();
  colors[0] = 0xFF8000;
  colors[1] = 0x12;
  WriteCustomColors(list, colors, kPrefix, kTags);
  ASSERT_EQ(16u, list.count());
  EXPECT_EQ("ColorA=FF8000", list[0]);
  EXPECT_EQ("ColorB=000012", list[1]);
  EXPECT_EQ("ColorC=FFFFFFFF", list[2]);
  EXPECT_EQ("ColorP=FFFFFFFF", list[15]);
  EXPECT_EQ(colors, ReadCustomColors(list, kPrefix, kTags)) << "round trip";
}

TEST(CustomColors, WritingKeepsEntriesInPlaceAndOtherStringsAlone) {
  TStringList list = List({"first", "colorb=1", "ColorA", "ColorB=2", "last=x"});
  CustomColorArray colors = Unset();
  colors[1] = 0xC0C0C0;
  WriteCustomColors(list, colors, kPrefix, kTags);
  ASSERT_EQ(20u, list.count());
  EXPECT_EQ("first", list[0]);
  EXPECT_EQ("ColorB=C0C0C0", list[1]) << "first entry of that name, rewritten at its place";
  EXPECT_EQ("ColorA", list[2]) << "not an entry: no '='";
  EXPECT_EQ("ColorB=2", list[3]) << "later duplicate untouched";
  EXPECT_EQ("last=x", list[4]);
  EXPECT_EQ("ColorA=FFFFFFFF", list[5]);
  EXPECT_EQ("ColorC=FFFFFFFF", list[6]);
  EXPECT_EQ("ColorP=FFFFFFFF", list[19]);
}

TEST(CustomColors, ValueTextHasAtLeastSixUpperCaseDigits) {
  const struct {
    int32_t color;
    const char* text;
  } kCases[] = {{0, "000000"}, {0xabcdef, "ABCDEF"}, {0x1234567, "1234567"}, {-1, "FFFFFFFF"}, {INT32_MIN, "80000000"}};
  for (const auto& c : kCases) EXPECT_EQ(c.text, CustomColorText(c.color)) << c.color;
}

TEST(ColorOptions, EachOptionAddsItsFlagToRgbInitAndHook) {
  const struct {
    TColorDialogOptions options;
    uint32_t flags;
  } kCases[] = {
      {0, 0x11},
      {static_cast<TColorDialogOptions>(SetOf(cdFullOpen)), 0x13},
      {static_cast<TColorDialogOptions>(SetOf(cdPreventFullOpen)), 0x15},
      {static_cast<TColorDialogOptions>(SetOf(cdShowHelp)), 0x19},
      {static_cast<TColorDialogOptions>(SetOf(cdSolidColor)), 0x91},
      {static_cast<TColorDialogOptions>(SetOf(cdAnyColor)), 0x111},
      {0x1F, 0x19F},
  };
  for (const auto& c : kCases) EXPECT_EQ(c.flags, ColorDialogFlags(c.options)) << int(c.options);
}

}  // namespace
