// Zone names as users and formats give them, and a zone's clock tick after tick.
#include <gtest/gtest.h>

#include <string>

#include "common/civil_time.h"
#include "converter/tick_time.h"
#include "converter/zone_clock.h"
#include "converter/zone_name.h"
#include "tests/native/converter_test_support.h"

namespace tickvane::converter {
namespace {

TEST(ConverterZoneNames, FixedOffsets) {
  const struct {
    const char* name;
    std::optional<int> minutes;
  } cases[] = {
      {"UTC", 0},         {"utc", 0},          {"GMT", 0},
      {" UTC ", 0},       {"UTC-05:00", -300}, {"UTC-5", -300},
      {"UTC-05", -300},   {"UTC-0500", -300},  {"UTC+02:00", 120},
      {"UTC + 2", 120},   {"GMT+0200", 120},   {"UTC+05:30", 330},
      {"UTC+14:00", 840}, {"UTC-12:00", -720}, {"UTC+14:01", {}},
      {"UTC-05:60", {}},  {"UTC-5:0", {}},     {"UTC05:00", {}},
      {"UTC-", {}},       {"UTC-123", {}},     {"Eastern Standard Time", {}},
      {"", {}},           {"UTCX", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(FixedOffsetMinutes(c.name), c.minutes);
  }
  for (int m : {0, -300, 120, 330, -720, 840}) EXPECT_EQ(FixedOffsetMinutes(FixedOffsetName(m)), m);
  EXPECT_EQ(FixedOffsetName(-300), "UTC-05:00");
  EXPECT_EQ(FixedOffsetName(330), "UTC+05:30");
  EXPECT_EQ(FixedOffsetName(0), "UTC");
}

TEST(ConverterZoneNames, KeyNamesComeFromTheDirectoryFixedOffsetsNeedNone) {
  ZoneDirectory zones = test::TestZones();
  std::optional<ZoneRules> eastern = ResolveZone("Eastern Standard Time", &zones);
  ASSERT_TRUE(eastern);
  EXPECT_TRUE(eastern->base.HasDaylightSaving());
  EXPECT_FALSE(ResolveZone("Nowhere Standard Time", &zones));
  EXPECT_FALSE(ResolveZone("Eastern Standard Time", nullptr));
  std::optional<ZoneRules> minusFive = ResolveZone("UTC-05:00", nullptr);
  ASSERT_TRUE(minusFive);
  EXPECT_FALSE(minusFive->base.HasDaylightSaving());
  EXPECT_EQ(minusFive->base.bias, 300);
}

std::int64_t Seconds(int y, int mo, int d, int h, int mi, int s) {
  return DaysSinceEpoch(y, mo, d) * kSecondsPerDay + h * 3600 + mi * 60 + s;
}

// The clock keeps an hour's shift for the rest of the hour; around both changes of a year, every
// second must still come out as the zone's own rules say.
TEST(ConverterZoneClock, AgreesWithTheZoneRulesEverySecondAroundBothChanges) {
  const ZoneRules zones[] = {test::EasternZone(), test::GtbZone()};
  for (const ZoneRules& zone : zones) {
    SCOPED_TRACE(zone.name);
    ZoneClock clock(zone);
    const std::int64_t starts[] = {Seconds(2013, 3, 9, 22, 0, 0), Seconds(2013, 3, 30, 22, 0, 0),
                                   Seconds(2013, 11, 2, 22, 0, 0), Seconds(2013, 10, 26, 22, 0, 0),
                                   Seconds(2006, 4, 1, 22, 0, 0)};
    for (std::int64_t start : starts) {
      for (std::int64_t s = start; s < start + 8 * 3600; s += 7) {
        ASSERT_EQ(clock.ToUtc(s), LocalToUtc(zone, s * kMicrosPerSecond) / kMicrosPerSecond) << s;
        ASSERT_EQ(clock.FromUtc(s), UtcToLocal(zone, s * kMicrosPerSecond) / kMicrosPerSecond) << s;
      }
    }
  }
}

}  // namespace
}  // namespace tickvane::converter
