#include "base/integer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "base/errors.h"
#include "testing/expect_throw_msg.h"

namespace {

struct Valid {
  const char* text;
  int32_t value;
};

const Valid kValid[] = {
    {"0", 0},
    {"7", 7},
    {"-7", -7},
    {"+7", 7},
    {"-0", 0},
    {"0000000000042", 42},
    {"2147483647", 2147483647},
    {"-2147483648", -2147483647 - 1},
    {"   12", 12},
    {" -12", -12},
    {"$0", 0},
    {"$FF", 255},
    {"$ff", 255},
    {"$aB", 171},
    {"$7FFFFFFF", 2147483647},
    {"$80000000", -2147483647 - 1},
    {"$FFFFFFFF", -1},
    {"$0000000000FF", 255},
    {"-$10", -16},
};

const char* const kMalformed[] = {
    "",
    " ",
    "-",
    "+",
    "$",
    "-$",
    "2147483648",
    "-2147483649",
    "99999999999999999999",
    "$100000000",
    "$FFFFFFFFF",
    "12a",
    "1 ",
    "1.0",
    "1e3",
    "--1",
    "+-1",
    "- 1",
    "0x10",
    "$G",
    "$-1",
    "1,000",
};

}  // namespace

TEST(TryStrToInt, AcceptsDecimalAndHexadecimalForms) {
  for (const Valid& c : kValid) {
    std::optional<int32_t> got = TryStrToInt(c.text);
    ASSERT_TRUE(got.has_value()) << "'" << c.text << "'";
    EXPECT_EQ(c.value, *got) << "'" << c.text << "'";
  }
}

TEST(TryStrToInt, RejectsMalformedAndOutOfRangeText) {
  for (const char* text : kMalformed) {
    std::optional<int32_t> got = TryStrToInt(text);
    EXPECT_FALSE(got.has_value()) << "'" << text << "' gave " << got.value_or(0);
  }
}

TEST(StrToInt, ReturnsTheValue) {
  for (const Valid& c : kValid) EXPECT_EQ(c.value, StrToInt(c.text)) << "'" << c.text << "'";
}

TEST(StrToInt, MalformedTextThrowsConvertErrorNamingTheText) {
  for (const char* text : kMalformed) {
    EXPECT_THROW_MSG(StrToInt(text), EConvertError,
                     "'" + std::string(text) + "' is not a valid integer value");
  }
}
