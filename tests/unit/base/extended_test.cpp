#include "base/extended.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "base/decimal_separator.h"
#include "base/errors.h"

namespace {

std::string Hex(const uint8_t* bytes, size_t n) {
  std::string out;
  char two[4];
  for (size_t i = 0; i < n; ++i) {
    std::snprintf(two, sizeof two, i ? " %02X" : "%02X", bytes[i]);
    out += two;
  }
  return out;
}

std::string Encode(long double value) {
  uint8_t bytes[kExtendedSize];
  LongDoubleToExtended(value, bytes);
  return Hex(bytes, kExtendedSize);
}

long double Decode(uint64_t significand, unsigned top) {
  uint8_t bytes[kExtendedSize];
  for (int i = 0; i < 8; ++i) bytes[i] = static_cast<uint8_t>(significand >> (8 * i));
  bytes[8] = static_cast<uint8_t>(top);
  bytes[9] = static_cast<uint8_t>(top >> 8);
  return ExtendedToLongDouble(bytes);
}

TEST(Extended, EncodesSignificandExponentAndSign) {
  const struct { long double value; const char* bytes; } cases[] = {
      {0.0L, "00 00 00 00 00 00 00 00 00 00"},
      {-0.0L, "00 00 00 00 00 00 00 00 00 80"},
      {1.0L, "00 00 00 00 00 00 00 80 FF 3F"},
      {-2.25L, "00 00 00 00 00 00 00 90 00 C0"},
      {0.1L, "CD CC CC CC CC CC CC CC FB 3F"},
      {HUGE_VALL, "00 00 00 00 00 00 00 80 FF 7F"},
      {-HUGE_VALL, "00 00 00 00 00 00 00 80 FF FF"},
      {NAN, "00 00 00 00 00 00 00 C0 FF 7F"},
      {std::ldexp(1.0L, -16445), "01 00 00 00 00 00 00 00 00 00"},  // smallest denormal
      {std::ldexp(1.0L, -16382), "00 00 00 00 00 00 00 80 01 00"},  // smallest normal
  };
  for (const auto& c : cases) EXPECT_EQ(Encode(c.value), c.bytes) << static_cast<double>(c.value);
}

TEST(Extended, DecodesEveryBitPatternToAValue) {
  EXPECT_EQ(Decode(0x8000000000000000ull, 0x3FFF), 1.0L);
  EXPECT_EQ(Decode(0x9000000000000000ull, 0xC000), -2.25L);
  EXPECT_EQ(Decode(1, 0), std::ldexp(1.0L, -16445));
  EXPECT_EQ(Decode(0x8000000000000000ull, 0), std::ldexp(1.0L, -16382));  // pseudo-denormal
  EXPECT_EQ(Decode(0x4000000000000000ull, 0x3FFF), 0.5L);                 // unnormal
  EXPECT_EQ(Decode(0x8000000000000000ull, 0x7FFF), HUGE_VALL);
  EXPECT_EQ(Decode(0, 0xFFFF), -HUGE_VALL);  // pseudo-infinity: fraction 0
  EXPECT_TRUE(std::isnan(Decode(0xC000000000000000ull, 0x7FFF)));
  EXPECT_TRUE(std::isnan(Decode(1, 0x7FFF)));
  const long double values[] = {1.5L, -1e300L, 1e-4000L, 1.18973149535723176502e4932L, 3.0L / 7};
  for (long double v : values) {
    uint8_t bytes[kExtendedSize];
    LongDoubleToExtended(v, bytes);
    EXPECT_EQ(ExtendedToLongDouble(bytes), v);
  }
}

TEST(FloatToText, UsesGeneralFormatWithFifteenDigits) {
  const struct { long double value; const char* text; } cases[] = {
      {0, "0"}, {-0.0L, "0"}, {100, "100"}, {1.5L, "1.5"}, {-2.25L, "-2.25"},
      {0.0001L, "0.0001"}, {0.00001L, "1E-5"}, {999999999999999.0L, "999999999999999"},
      {1e15L, "1E15"}, {1e20L, "1E20"}, {1.5e-7L, "1.5E-7"}, {1.5e15L, "1.5E15"},
      {123456789012345.6L, "123456789012346"}, {0.1L + 0.2L, "0.3"},
      {1.0L / 3, "0.333333333333333"}, {-123456789012345678.0L, "-1.23456789012346E17"},
      {0.00123L, "0.00123"}, {9.9999999999999999e14L, "1E15"}, {999999999999999.5L, "1E15"},
      {100000000000000.5L, "100000000000001"}, {-100000000000002.5L, "-100000000000003"},
      {1.18973149535723176502e4932L, "1.18973149535723E4932"},
      {HUGE_VALL, "INF"}, {-HUGE_VALL, "-INF"}, {NAN, "NAN"},
  };
  for (const auto& c : cases) EXPECT_EQ(FloatToText(c.value), c.text);
}

TEST(FloatToText, WritesTheProcessDecimalSeparator) {
  DecimalSeparatorScope comma(',');
  EXPECT_EQ(FloatToText(1.5L), "1,5");
  EXPECT_EQ(FloatToText(1.5e-7L), "1,5E-7");
}

TEST(TextToFloat, AcceptsSignDigitsFractionAndExponent) {
  const struct { const char* text; long double value; } cases[] = {
      {"0", 0}, {"1.5", 1.5L}, {"-2.25", -2.25L}, {"+3", 3}, {"5.", 5}, {".5", 0.5L},
      {"1e3", 1000}, {"1E+3", 1000}, {"25e-1", 2.5L}, {"0.1", 0.1L},
      {"1e-5000", 0}, {"1.18973149535723176502e4932", 1.18973149535723176502e4932L},
  };
  for (const auto& c : cases) {
    auto value = TryTextToFloat(c.text);
    ASSERT_TRUE(value.has_value()) << c.text;
    EXPECT_EQ(*value, c.value) << c.text;
  }
}

TEST(TextToFloat, RejectsAnythingElse) {
  const char* cases[] = {"", "-", ".", "e5", "1e", "1e+", "1..2", "1-2", "1.5x", " 1", "1 ",
                         "0x10", "inf", "NAN", "1,5", "1e5000", "--1"};
  for (const char* text : cases) EXPECT_FALSE(TryTextToFloat(text).has_value()) << text;
  try {
    TextToFloat("1-2");
    FAIL() << "no exception";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.message(), "'1-2' is not a valid floating point value");
  }
}

TEST(TextToFloat, ReadsTheProcessDecimalSeparator) {
  DecimalSeparatorScope comma(',');
  EXPECT_EQ(TryTextToFloat("1,5").value_or(0), 1.5L);
  EXPECT_FALSE(TryTextToFloat("1.5").has_value());
}

}  // namespace
