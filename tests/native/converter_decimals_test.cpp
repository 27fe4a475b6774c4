// Prices worked out as decimal text: scaled integers, midpoints, sums and chart-file floats.
#include <gtest/gtest.h>

#include <string>

#include "converter/decimal_text.h"

namespace tickvane::converter {
namespace {

TEST(ConverterDecimals, ScaledIntegersBecomePlainDecimals) {
  const struct {
    const char* integer;
    int decimals;
    const char* decimal;  // nullptr: refused
  } cases[] = {
      {"1825000", 4, "182.5"},
      {"1825001", 4, "182.5001"},
      {"1680250000000", 9, "1680.25"},
      {"1680000000000", 9, "1680"},
      {"5", 4, "0.0005"},
      {"0", 9, "0"},
      {"-37630000000", 9, "-37.63"},
      {"1825000", 0, "1825000"},
      {"182.5", 4, nullptr},
      {"", 4, nullptr},
      {"12x", 4, nullptr},
      {"9223372036854775807", 9, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.integer);
    char buffer[kDecimalBuffer];
    std::string_view out;
    ASSERT_EQ(ScaledDecimal(c.integer, c.decimals, buffer, &out), c.decimal != nullptr);
    if (c.decimal) EXPECT_EQ(out, c.decimal);
  }
}

TEST(ConverterDecimals, MidpointsAndSumsAreExact) {
  const struct {
    const char* a;
    const char* b;
    const char* mid;
    const char* sum;
  } cases[] = {
      {"1.35508", "1.35512", "1.35510", "2.71020"},
      {"1.35508", "1.35515", "1.355115", "2.71023"},
      {"1680.00", "1680.25", "1680.125", "3360.25"},
      {"1.2", "1.25", "1.225", "2.45"},
      {"100", "101", "100.5", "201"},
      {"-1.5", "0.5", "-0.5", "-1.0"},
      {".5", "0.25", "0.375", "0.75"},
      {"0.05", "0.07", "0.06", "0.12"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.a) + " " + c.b);
    char buffer[kDecimalBuffer];
    std::string_view out;
    ASSERT_TRUE(MidDecimal(c.a, c.b, buffer, &out));
    EXPECT_EQ(out, c.mid);
    ASSERT_TRUE(SumDecimal(c.a, c.b, buffer, &out));
    EXPECT_EQ(out, c.sum);
  }
  char buffer[kDecimalBuffer];
  std::string_view out;
  EXPECT_FALSE(MidDecimal("1.2.3", "1", buffer, &out));
  EXPECT_FALSE(MidDecimal("", "1", buffer, &out));
  EXPECT_FALSE(MidDecimal("9999999999999999999", "1", buffer, &out));
  EXPECT_FALSE(SumDecimal("900000000000000000", "900000000000000000.5", buffer, &out));
}

TEST(ConverterDecimals, FloatsAsTheShortestDecimalThatReadsBack) {
  const struct {
    float value;
    const char* text;
  } cases[] = {{1680.25f, "1680.25"}, {1.35508f, "1.35508"}, {182.5f, "182.5"}, {0.0f, "0"}, {-37.63f, "-37.63"}};
  for (const auto& c : cases) {
    char buffer[kDecimalBuffer];
    std::string_view out;
    ASSERT_TRUE(FloatDecimal(c.value, buffer, &out));
    EXPECT_EQ(out, c.text);
  }
  char buffer[kDecimalBuffer];
  std::string_view out;
  EXPECT_FALSE(FloatDecimal(std::numeric_limits<float>::quiet_NaN(), buffer, &out));
  EXPECT_FALSE(FloatDecimal(std::numeric_limits<float>::infinity(), buffer, &out));
  EXPECT_TRUE(FloatDecimal(std::numeric_limits<float>::max(), buffer, &out));
}

}  // namespace
}  // namespace tickvane::converter
