#include "base/format.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "base/messages.h"

TEST(Format, FillsPlaceholdersInOrder) {
  EXPECT_EQ("Identifier expected on line 3", Format(msg::kParseError, {"Identifier expected", 3}));
  EXPECT_EQ("Error reading OpenDialog.Tag: x",
            Format(msg::kErrorReading, {"OpenDialog", std::string("Tag"), "x"}));
}

TEST(Format, KeepsDoubledApostrophesOfTheMessageTable) {
  EXPECT_EQ("''='' expected", Format(msg::kCharExpected, {"="}));
  EXPECT_EQ("'' is not a valid integer value", Format(msg::kInvalidInteger, {""}));
}

TEST(Format, WritesIntegersInDecimalWithSign) {
  struct Case {
    int64_t value;
    const char* text;
  };
  const Case cases[] = {
      {0, "0"},
      {-1, "-1"},
      {2147483647, "2147483647"},
      {-2147483647 - 1, "-2147483648"},
      {INT64_C(-9223372036854775807) - 1, "-9223372036854775808"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.text, Format("%d", {c.value})) << c.value;
  EXPECT_EQ("-5", Format("%d", {int32_t{-5}}));
}

TEST(Format, DoublePercentIsOnePercentSign) {
  EXPECT_EQ("50%", Format("%d%%", {50}));
  EXPECT_EQ("%s", Format("%%s", {"unused"}));
}

TEST(Format, TextWithoutPlaceholdersIsCopied) {
  EXPECT_EQ("Stream read error", Format(msg::kReadError, {}));
  EXPECT_EQ("", Format("", {}));
}

TEST(Format, ArgumentTextIsNotScannedForPlaceholders) {
  EXPECT_EQ("a %d b 7", Format("a %s b %d", {"%d", 7}));
}
