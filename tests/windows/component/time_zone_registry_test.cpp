// The zones' rules as read from the registry, checked against the system's own conversion.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "common/civil_time.h"
#include "common/time_zone_registry_win.h"
#include "common/win_text_win.h"

namespace tickvane::test {
namespace {

std::int64_t Micros(const SYSTEMTIME& t) {
  CivilDateTime c;
  c.year = t.wYear, c.month = t.wMonth, c.day = t.wDay, c.hour = t.wHour, c.minute = t.wMinute, c.second = t.wSecond;
  return FromCivil(c);
}

SYSTEMTIME System(std::int64_t micros) {
  const CivilDateTime c = ToCivil(micros);
  SYSTEMTIME t{};
  t.wYear = static_cast<WORD>(c.year), t.wMonth = static_cast<WORD>(c.month), t.wDay = static_cast<WORD>(c.day);
  t.wHour = static_cast<WORD>(c.hour), t.wMinute = static_cast<WORD>(c.minute), t.wSecond = static_cast<WORD>(c.second);
  return t;
}

// The system's UTC for a local time, by the zone's rules for that year.
std::int64_t SystemUtc(const std::wstring& zone, std::int64_t local) {
  DYNAMIC_TIME_ZONE_INFORMATION dynamic{};
  zone.copy(dynamic.TimeZoneKeyName, std::size(dynamic.TimeZoneKeyName) - 1);
  const SYSTEMTIME l = System(local);
  TIME_ZONE_INFORMATION year{};
  SYSTEMTIME utc{};
  if (!::GetTimeZoneInformationForYear(l.wYear, &dynamic, &year) || !::TzSpecificLocalTimeToSystemTime(&year, &l, &utc))
    return -1;
  return Micros(utc);
}

class TimeZoneRegistryTest : public testing::TestWithParam<const wchar_t*> {};

TEST_P(TimeZoneRegistryTest, LocalToUtcAgreesWithTheSystemAwayFromTheChanges) {
  const std::wstring name = GetParam();
  std::optional<ZoneRules> zone = LoadTimeZone(name);
  ASSERT_TRUE(zone) << ToUtf8(name);
  int compared = 0, differ = 0;
  // Every seventh hour of ten years; the two hours around each change are the conversion's own
  // choice and are left to the native tests.
  for (std::int64_t local = FromCivil({2005, 1, 1, 0, 0, 0, 0}); local < FromCivil({2015, 1, 1, 0, 0, 0, 0});
       local += 7 * 3600 * kMicrosPerSecond) {
    const std::int64_t ours = LocalToUtc(*zone, local);
    const std::int64_t before = LocalToUtc(*zone, local - 2 * 3600 * kMicrosPerSecond);
    const std::int64_t after = LocalToUtc(*zone, local + 2 * 3600 * kMicrosPerSecond);
    if (after - before != 4 * 3600 * kMicrosPerSecond) continue;  // a change lies within two hours
    ++compared;
    if (ours != SystemUtc(name, local) && differ++ < 5)
      ADD_FAILURE() << ToUtf8(name) << ": local " << (local / kMicrosPerSecond) << " gives " << (ours / kMicrosPerSecond)
                    << ", the system " << (SystemUtc(name, local) / kMicrosPerSecond);
  }
  EXPECT_GT(compared, 12000);
  EXPECT_EQ(differ, 0);
}

INSTANTIATE_TEST_SUITE_P(Zones, TimeZoneRegistryTest,
                         testing::Values(L"Eastern Standard Time", L"Pacific Standard Time", L"GMT Standard Time",
                                         L"W. Europe Standard Time", L"AUS Eastern Standard Time",
                                         L"New Zealand Standard Time", L"Tokyo Standard Time",
                                         L"E. South America Standard Time"));

TEST(SystemTimeZonesTest, ListsTheZonesWestToEastWithTheirNames) {
  const std::vector<SystemTimeZone> zones = SystemTimeZones();
  ASSERT_GT(zones.size(), 50u);
  bool eastern = false;
  for (size_t i = 0; i < zones.size(); ++i) {
    if (zones[i].keyName == L"Eastern Standard Time") {
      eastern = true;
      EXPECT_NE(zones[i].display.find(L"Eastern"), std::wstring::npos);
      EXPECT_EQ(zones[i].bias, 300);
    }
    if (i > 0) EXPECT_GE(zones[i - 1].bias, zones[i].bias);
    EXPECT_TRUE(LoadTimeZone(zones[i].keyName)) << ToUtf8(zones[i].keyName);
  }
  EXPECT_TRUE(eastern);
}

TEST(LoadTimeZoneTest, NamesThatAreNoZoneGiveNothing) {
  for (const wchar_t* name : {L"", L"Atlantis Standard Time", L"Eastern Standard Time\\Dynamic DST", L"..\\Time Zones"})
    EXPECT_FALSE(LoadTimeZone(name)) << ToUtf8(name);
  std::optional<ZoneRules> lower = LoadTimeZone(L"eastern standard time");
  ASSERT_TRUE(lower);
  EXPECT_EQ(lower->base.bias, 300);
  EXPECT_FALSE(lower->years.empty()) << "its Dynamic DST years";
}

}  // namespace
}  // namespace tickvane::test
