#include "common/time_zone.h"

#include <gtest/gtest.h>

#include <string>

#include "common/civil_time.h"
#include "tests/native/test_zones.h"

namespace tickvane {
namespace {

using test::EasternZone;
using test::SydneyZone;
using test::TokyoZone;

std::int64_t At(int y, int mo, int d, int h, int mi, int s) {
  CivilDateTime t;
  t.year = y, t.month = mo, t.day = d, t.hour = h, t.minute = mi, t.second = s;
  return FromCivil(t);
}

struct Case {
  const char* zone;
  std::int64_t local, utc;
  const char* why;
  friend void PrintTo(const Case& c, std::ostream* os) { *os << c.zone << ", " << c.why; }
};

ZoneRules ZoneNamed(const std::string& name) {
  if (name == "Eastern") return EasternZone();
  if (name == "Sydney") return SydneyZone();
  return TokyoZone();
}

class LocalToUtcTest : public testing::TestWithParam<Case> {};

TEST_P(LocalToUtcTest, FollowsTheZonesRulesForThatYear) {
  const Case& c = GetParam();
  const ZoneRules zone = ZoneNamed(c.zone);
  const CivilDateTime got = ToCivil(LocalToUtc(zone, c.local)), want = ToCivil(c.utc);
  EXPECT_EQ(LocalToUtc(zone, c.local), c.utc)
      << c.why << ": got " << got.year << "-" << got.month << "-" << got.day << " " << got.hour << ":" << got.minute
      << ":" << got.second << ", want " << want.hour << ":" << want.minute << ":" << want.second;
}

INSTANTIATE_TEST_SUITE_P(
    Changes, LocalToUtcTest,
    testing::Values(
        // The bundled sample: its first tick and the open of the next day, in daylight time.
        Case{"Eastern", At(2013, 10, 7, 14, 0, 7), At(2013, 10, 7, 18, 0, 7), "sample, first tick"},
        Case{"Eastern", At(2013, 10, 8, 9, 30, 3), At(2013, 10, 8, 13, 30, 3), "sample, open"},
        Case{"Eastern", At(2013, 1, 15, 9, 30, 0), At(2013, 1, 15, 14, 30, 0), "winter"},
        // Autumn: 01:59:59 EDT is followed by 01:00:00 EST; the repeated hour is taken as summer time.
        Case{"Eastern", At(2013, 11, 3, 0, 59, 59), At(2013, 11, 3, 4, 59, 59), "before the repeated hour"},
        Case{"Eastern", At(2013, 11, 3, 1, 0, 0), At(2013, 11, 3, 5, 0, 0), "repeated hour, first instance"},
        Case{"Eastern", At(2013, 11, 3, 1, 59, 59), At(2013, 11, 3, 5, 59, 59), "repeated hour, its end"},
        Case{"Eastern", At(2013, 11, 3, 2, 0, 0), At(2013, 11, 3, 7, 0, 0), "after the change"},
        // Spring: 01:59:59 EST is followed by 03:00:00 EDT; the skipped hour keeps the winter offset.
        Case{"Eastern", At(2013, 3, 10, 1, 59, 59), At(2013, 3, 10, 6, 59, 59), "before the skipped hour"},
        Case{"Eastern", At(2013, 3, 10, 2, 0, 0), At(2013, 3, 10, 7, 0, 0), "skipped hour, winter offset"},
        Case{"Eastern", At(2013, 3, 10, 2, 30, 0), At(2013, 3, 10, 7, 30, 0), "skipped hour, winter offset"},
        Case{"Eastern", At(2013, 3, 10, 3, 0, 0), At(2013, 3, 10, 7, 0, 0), "after the change"},
        // The year's own rules: in 2006 daylight time began in April, after 2007's last entry the
        // 2007 rules hold.
        Case{"Eastern", At(2006, 3, 20, 12, 0, 0), At(2006, 3, 20, 17, 0, 0), "2006 rules, still winter"},
        Case{"Eastern", At(2006, 4, 2, 3, 0, 0), At(2006, 4, 2, 7, 0, 0), "2006 rules, first summer hour"},
        Case{"Eastern", At(2030, 3, 20, 12, 0, 0), At(2030, 3, 20, 16, 0, 0), "after the last entry"},
        Case{"Eastern", At(1990, 10, 20, 12, 0, 0), At(1990, 10, 20, 16, 0, 0), "before the first entry"},
        // Southern hemisphere: summer time runs over the new year.
        Case{"Sydney", At(2013, 1, 15, 12, 0, 0), At(2013, 1, 15, 1, 0, 0), "summer"},
        Case{"Sydney", At(2013, 7, 1, 12, 0, 0), At(2013, 7, 1, 2, 0, 0), "winter"},
        Case{"Sydney", At(2013, 4, 7, 2, 30, 0), At(2013, 4, 6, 15, 30, 0), "repeated hour, first instance"},
        Case{"Sydney", At(2013, 4, 7, 3, 0, 0), At(2013, 4, 6, 17, 0, 0), "after the change to winter"},
        Case{"Sydney", At(2013, 10, 6, 2, 30, 0), At(2013, 10, 5, 16, 30, 0), "skipped hour, winter offset"},
        Case{"Sydney", At(2013, 10, 6, 3, 0, 0), At(2013, 10, 5, 16, 0, 0), "after the change to summer"},
        Case{"Sydney", At(2013, 12, 31, 23, 30, 0), At(2013, 12, 31, 12, 30, 0), "new year's eve"},
        Case{"Sydney", At(2014, 1, 1, 0, 30, 0), At(2013, 12, 31, 13, 30, 0), "across the new year"},
        Case{"Tokyo", At(2013, 7, 1, 8, 0, 0), At(2013, 6, 30, 23, 0, 0), "no daylight saving"}));

TEST(UtcToLocalTest, IsTheInverseOutsideTheChangesAndRepeatsTheAutumnHour) {
  const ZoneRules eastern = EasternZone(), sydney = SydneyZone();
  // Every quarter of an hour of two years: a local time that exists is found again.
  for (const ZoneRules* zone : {&eastern, &sydney}) {
    for (std::int64_t utc = At(2012, 12, 25, 0, 0, 0); utc < At(2015, 1, 5, 0, 0, 0); utc += 15 * kMicrosPerMinute) {
      const std::int64_t local = UtcToLocal(*zone, utc);
      const std::int64_t back = LocalToUtc(*zone, local);
      // Only the second pass through the repeated hour maps back to the first one, an hour early.
      if (back != utc) {
        EXPECT_EQ(back, utc - 60 * kMicrosPerMinute) << zone->name << " " << utc;
      }
    }
  }
  EXPECT_EQ(UtcToLocal(eastern, At(2013, 11, 3, 5, 30, 0)), At(2013, 11, 3, 1, 30, 0));
  EXPECT_EQ(UtcToLocal(eastern, At(2013, 11, 3, 6, 30, 0)), At(2013, 11, 3, 1, 30, 0));
  EXPECT_EQ(UtcToLocal(eastern, At(2013, 3, 10, 7, 0, 0)), At(2013, 3, 10, 3, 0, 0));
}

TEST(ParseTziTest, RefusesWhatIsNoZoneRule) {
  std::string good = test::TziBytes(test::kEastern2007Tzi);
  EXPECT_TRUE(ParseTzi(good));
  EXPECT_FALSE(ParseTzi(good.substr(0, 43)));
  EXPECT_FALSE(ParseTzi(good + '\0'));
  std::string badMonth = good;
  badMonth[14] = 13;  // standardDate.wMonth
  EXPECT_FALSE(ParseTzi(badMonth));
  std::string badWeek = good;
  badWeek[18] = 6;  // standardDate.wDay: weeks run 1 to 5
  EXPECT_FALSE(ParseTzi(badWeek));
  std::string farBias = good;
  farBias[1] = 0x10;  // a bias of 4396 minutes
  EXPECT_FALSE(ParseTzi(farBias));
}

TEST(ZoneRulesTest, FixedOffsetIsMinutesEastOfUtc) {
  const ZoneRules minusFive = ZoneRules::FixedOffset("UTC-05:00", -300);
  EXPECT_EQ(LocalToUtc(minusFive, At(2013, 7, 1, 9, 0, 0)), At(2013, 7, 1, 14, 0, 0));
  EXPECT_EQ(UtcToLocal(minusFive, At(2013, 7, 1, 14, 0, 0)), At(2013, 7, 1, 9, 0, 0));
}

}  // namespace
}  // namespace tickvane
