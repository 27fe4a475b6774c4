// The field forms that recorded tick files use for dates, times, prices and volumes.
#include <gtest/gtest.h>

#include <string>

#include "converter/tick_fields.h"

namespace tickvane::converter {
namespace {

struct DateCase {
  const char* text;
  bool ok;
  int year, month, day;
};

TEST(ConverterFields, Dates) {
  const DateCase cases[] = {
      {"20131008", true, 2013, 10, 8},   {"2013-10-08", true, 2013, 10, 8}, {"2013/10/8", true, 2013, 10, 8},
      {"2013.10.08", true, 2013, 10, 8}, {"10/08/2013", true, 2013, 10, 8}, {"08.10.2013", true, 2013, 10, 8},
      {"2012-02-29", true, 2012, 2, 29}, {"2013-02-29", false, 0, 0, 0},    {"20131308", false, 0, 0, 0},
      {"20131032", false, 0, 0, 0},      {"2013108", false, 0, 0, 0},       {"2013-10", false, 0, 0, 0},
      {"2013-10-08-01", false, 0, 0, 0}, {"08-10-2013", false, 0, 0, 0},    {"abcdefgh", false, 0, 0, 0},
      {"", false, 0, 0, 0},              {"1899-12-31", false, 0, 0, 0},    {"2013-1x-08", false, 0, 0, 0},
  };
  for (const DateCase& c : cases) {
    SCOPED_TRACE(c.text);
    TickDate d;
    ASSERT_EQ(ParseDate(c.text, d), c.ok);
    if (!c.ok) continue;
    EXPECT_EQ(d.year, c.year);
    EXPECT_EQ(d.month, c.month);
    EXPECT_EQ(d.day, c.day);
  }
}

struct TimeCase {
  const char* text;
  bool ok;
  int hour, minute, second;
};

TEST(ConverterFields, Times) {
  const TimeCase cases[] = {
      {"093003", true, 9, 30, 3},     {"93003", true, 9, 30, 3},       {"160000", true, 16, 0, 0},
      {"09:30:03", true, 9, 30, 3},   {"9:30:03", true, 9, 30, 3},     {"09:30", true, 9, 30, 0},
      {"09:30:03.125", true, 9, 30, 3}, {"09:30:03,999", true, 9, 30, 3}, {"093003.5", true, 9, 30, 3},
      {"235959", true, 23, 59, 59},   {"00:00:00", true, 0, 0, 0},
      {"240000", false, 0, 0, 0},     {"096000", false, 0, 0, 0},      {"093060", false, 0, 0, 0},
      {"9300", false, 0, 0, 0},       {"1234567", false, 0, 0, 0},     {"12:3:00", false, 0, 0, 0},
      {"09:30:03.", false, 0, 0, 0},  {"09:30.5", false, 0, 0, 0},     {"9h30", false, 0, 0, 0},
      {"", false, 0, 0, 0},           {"-93003", false, 0, 0, 0},
  };
  for (const TimeCase& c : cases) {
    SCOPED_TRACE(c.text);
    TickTime t;
    ASSERT_EQ(ParseTime(c.text, t), c.ok);
    if (!c.ok) continue;
    EXPECT_EQ(t.hour, c.hour);
    EXPECT_EQ(t.minute, c.minute);
    EXPECT_EQ(t.second, c.second);
  }
}

TEST(ConverterFields, DateAndTimeInOneField) {
  const struct {
    const char* text;
    bool ok;
  } cases[] = {
      {"2013-10-08 09:30:03.125", true}, {"20131008 093003", true}, {"2013-10-08T09:30:03", true},
      {"10/08/2013  9:30:03", true},     {"2013-10-08", false},     {"2013-10-08 25:00:00", false},
      {"2013-10-08T 09:30:03", false},   {"2013-13-08 09:30:03", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    TickDate d;
    TickTime t;
    ASSERT_EQ(ParseDateTime(c.text, d, t), c.ok);
    if (!c.ok) continue;
    EXPECT_EQ(d.year * 10000 + d.month * 100 + d.day, 20131008);
    EXPECT_EQ(t.hour * 10000 + t.minute * 100 + t.second, 93003);
  }
}

TEST(ConverterFields, Numbers) {
  const struct {
    const char* text;
    bool sign;
    const char* normal;  // nullptr: refused
  } cases[] = {
      {"182.50", true, "182.50"}, {"182,50", true, "182.50"}, {"-1.5", true, "-1.5"}, {"+7", true, "+7"},
      {".5", true, ".5"},         {"200", false, "200"},      {"-200", false, nullptr}, {"1.2.3", true, nullptr},
      {"1e5", true, nullptr},     {"", true, nullptr},        {"-", true, nullptr},     {".", true, nullptr},
      {"12 3", true, nullptr},    {"1,234.5", true, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    std::string buffer(64, '\0');
    std::string_view normal;
    bool ok = NormalizeNumber(c.text, c.sign, buffer.data(), &normal);
    ASSERT_EQ(ok, c.normal != nullptr);
    if (ok) EXPECT_EQ(normal, c.normal);
  }
}

TEST(ConverterFields, CleanFieldTrimsBlanksAndOneQuotePair) {
  EXPECT_EQ(CleanField("  182.50\t"), "182.50");
  EXPECT_EQ(CleanField("\"IBM\""), "IBM");
  EXPECT_EQ(CleanField(" \"IBM\" "), "IBM");
  EXPECT_EQ(CleanField("\""), "\"");
  EXPECT_EQ(CleanField("   "), "");
}

}  // namespace
}  // namespace tickvane::converter
