#include "base/text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

TEST(SameText, FoldsAsciiLettersOnly) {
  struct Case {
    const char* a;
    const char* b;
    bool same;
  };
  const Case cases[] = {
      {"", "", true},
      {"TOpenDialog", "topendialog", true},
      {"Ab_1", "aB_1", true},
      {"OBJECT", "object", true},
      {"abc", "abd", false},
      {"abc", "abcd", false},
      {"abc", "", false},
      {"[", "{", false},  // differ by 32 like a letter pair, but are no letters
      {"@", "`", false},
      {"]", "}", false},
      {"\xe4", "\xc4", false},  // a-umlaut and A-umlaut in an ANSI code page
      {"\xe4", "\xe4", true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.same, SameText(c.a, c.b)) << "'" << c.a << "' vs '" << c.b << "'";
    EXPECT_EQ(c.same, SameText(c.b, c.a)) << "'" << c.b << "' vs '" << c.a << "'";
  }
}

TEST(SameText, ComparesEmbeddedNulBytes) {
  EXPECT_FALSE(SameText(std::string("a\0b", 3), std::string("a\0c", 3)));
  EXPECT_TRUE(SameText(std::string("a\0b", 3), std::string("A\0B", 3)));
}

TEST(CaseConversion, ChangesAsciiLettersOnly) {
  EXPECT_EQ("AZ09_[{\xe4", UpperCaseAscii("aZ09_[{\xe4"));
  EXPECT_EQ("az09_[{\xc4", LowerCaseAscii("aZ09_[{\xc4"));
}

TEST(IsValidIdent, LetterOrUnderscoreThenLettersDigitsUnderscores) {
  struct Case {
    const char* text;
    bool valid;
  };
  const Case cases[] = {
      {"A", true},      {"_", true},      {"a1", true},    {"_1_", true},
      {"Form1", true},  {"OpenDialog1", true},
      {"", false},      {"1a", false},    {"a b", false},  {"a.b", false},
      {"a-b", false},   {" a", false},    {"a ", false},   {"\xe4", false},
      {"a\xe4", false}, {"$a", false},
  };
  for (const Case& c : cases) EXPECT_EQ(c.valid, IsValidIdent(c.text)) << "'" << c.text << "'";
}

TEST(IntToStr, WritesSignedDecimal) {
  EXPECT_EQ("0", IntToStr(0));
  EXPECT_EQ("-2147483648", IntToStr(-2147483647 - 1));
  EXPECT_EQ("4294967296", IntToStr(INT64_C(4294967296)));
}

TEST(MulDiv, RoundsHalfAwayFromZero) {
  struct Case {
    int32_t a, b, c, expected;
  };
  const Case cases[] = {
      {8, 96, 72, 11},    // 10.67: the default font height at 96 pixels per inch
      {-8, 96, 72, -11},
      {8, 72, 96, 6},     // 6.0 exactly
      {10, 1, 4, 3},      // 2.5
      {-10, 1, 4, -3},
      {10, 1, -4, -3},
      {-10, 1, -4, 3},
      {10, -1, -4, 3},
      {7, 1, 2, 4},       // 3.5
      {5, 1, 3, 2},       // 1.67
      {4, 1, 3, 1},       // 1.33
      {-4, 1, 3, -1},
      {-5, 1, 3, -2},
      {0, 5, 7, 0},
      {-11, 72, 96, -8},  // font size back from height: -MulDiv(-11, 72, 96) = 8
      {-13, 72, 96, -10}, // 9.75
      {2147483647, 2, 2, 2147483647},  // the product needs 64 bits
      {-2147483647, 3, 3, -2147483647},
      {-1073741824, 4, 2, -2147483647 - 1},  // the one result beyond -2147483647
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.expected, MulDiv(c.a, c.b, c.c)) << c.a << " * " << c.b << " / " << c.c;
}

TEST(MulDiv, GivesMinusOneForZeroDivisorAndOverflow) {
  EXPECT_EQ(-1, MulDiv(5, 7, 0));
  EXPECT_EQ(-1, MulDiv(0, 0, 0));
  EXPECT_EQ(-1, MulDiv(2147483647, 2, 1));
  EXPECT_EQ(-1, MulDiv(-2147483647, 4, 2));
}
