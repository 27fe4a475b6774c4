#include "component/chart_date.h"

#include <gtest/gtest.h>

#include <optional>

namespace tickvane::chart {
namespace {

struct DayCase {
  int y, m, d;
  std::int64_t days;  // from the 1899-12-30 epoch, as OLE automation dates count them
};

class DaysSinceEpochTest : public testing::TestWithParam<DayCase> {};

TEST_P(DaysSinceEpochTest, CountsCalendarDaysAndBack) {
  const DayCase c = GetParam();
  EXPECT_EQ(DaysSinceEpoch(c.y, c.m, c.d), c.days);
  const CivilDateTime t = ToCivil(c.days * kMicrosPerDay);
  EXPECT_EQ(t.year, c.y);
  EXPECT_EQ(t.month, c.m);
  EXPECT_EQ(t.day, c.d);
}

INSTANTIATE_TEST_SUITE_P(Calendar, DaysSinceEpochTest,
                         testing::Values(DayCase{1899, 12, 30, 0}, DayCase{1899, 12, 31, 1}, DayCase{1899, 12, 29, -1},
                                         DayCase{1900, 1, 1, 2},
                                         DayCase{1900, 3, 1, 61},  // 1900 is no leap year
                                         DayCase{2000, 2, 29, 36585}, DayCase{2000, 3, 1, 36586},
                                         DayCase{2013, 10, 8, 41555}, DayCase{2024, 2, 29, 45351},
                                         DayCase{1, 1, 1, -693593}, DayCase{9999, 12, 31, 2958465}));

struct TickCase {
  double date, time;
  std::optional<std::int64_t> micros;
};

class TickDateTimeTest : public testing::TestWithParam<TickCase> {};

TEST_P(TickDateTimeTest, TakesDateAndTimeAsGiven) { EXPECT_EQ(TickDateTime(GetParam().date, GetParam().time), GetParam().micros); }

constexpr std::int64_t S = kMicrosPerSecond, D = kMicrosPerDay;
constexpr std::optional<std::int64_t> kNone;

INSTANTIATE_TEST_SUITE_P(
    Fields, TickDateTimeTest,
    testing::Values(TickCase{20131008, 93003, 41555 * D + (9 * 3600 + 30 * 60 + 3) * S},
                    TickCase{20131008, 235959, 41555 * D + 86399 * S}, TickCase{18991230, 0, 0},
                    TickCase{18991230, 1, S}, TickCase{20000229, 120000, 36585 * D + 43200 * S},
                    TickCase{20131008, 93003.75, 41555 * D + (9 * 3600 + 30 * 60 + 3) * S},  // fraction dropped
                    // No calendar day.
                    TickCase{19000229, 10, kNone}, TickCase{20230229, 0, kNone}, TickCase{20131300, 0, kNone},
                    TickCase{20131340, 0, kNone}, TickCase{20131032, 0, kNone}, TickCase{0, 100, kNone},
                    TickCase{-20131008, 0, kNone}, TickCase{2013100.5, 0, kNone},
                    // No clock time.
                    TickCase{20131008, 96000, kNone}, TickCase{20131008, 93075, kNone},
                    TickCase{20131008, 240000, kNone}, TickCase{20131008, 250000, kNone},
                    TickCase{20131008, -5, kNone}));

TEST(ToCivilTest, SplitsTimeOfDayAndKeepsMicroseconds) {
  const CivilDateTime t = ToCivil(41555 * D + (9 * 3600 + 30 * 60 + 3) * S + 250000);
  EXPECT_EQ(t.year, 2013);
  EXPECT_EQ(t.hour, 9);
  EXPECT_EQ(t.minute, 30);
  EXPECT_EQ(t.second, 3);
  EXPECT_EQ(t.micros, 250000);
}

TEST(ToCivilTest, TimesBeforeTheEpochFallOnThePreviousDay) {
  const CivilDateTime t = ToCivil(-S);
  EXPECT_EQ(t.year, 1899);
  EXPECT_EQ(t.month, 12);
  EXPECT_EQ(t.day, 29);
  EXPECT_EQ(t.hour, 23);
  EXPECT_EQ(t.minute, 59);
  EXPECT_EQ(t.second, 59);
}

}  // namespace
}  // namespace tickvane::chart
