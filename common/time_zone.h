// Local time of a Windows time zone and UTC, by the zone's own rules as Windows keeps them
// (REG_TZI_FORMAT and its "Dynamic DST" years). Portable: the Windows side only reads the rules
// out of the registry (time_zone_registry_win.h).
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace tickvane {

// A change between standard and daylight time, as a SYSTEMTIME of the rules. Month 0: the zone
// has no daylight saving under these rules. Year 0: `day` is the week (1 to 4, 5 for the last)
// in which the `dayOfWeek` (0 Sunday) falls; otherwise `day` is the day of the month. The clock
// time is the local time before the change.
struct ZoneTransition {
  int year = 0, month = 0, dayOfWeek = 0, day = 0;
  int hour = 0, minute = 0, second = 0, milliseconds = 0;
};

// One year's rules. UTC = local time + bias + standardBias (or + daylightBias), in minutes.
struct ZoneYearRules {
  int bias = 0, standardBias = 0, daylightBias = 0;
  ZoneTransition standardDate;  // the change to standard time, in daylight time
  ZoneTransition daylightDate;  // the change to daylight time, in standard time
  bool HasDaylightSaving() const { return standardDate.month != 0 && daylightDate.month != 0; }
};

// A zone: the rules of its TZI value, and those of single years where the zone has them.
// Years before the first such year take the first year's rules, years after the last take the
// last year's, as Windows does.
struct ZoneRules {
  std::string name;
  ZoneYearRules base;
  std::map<int, ZoneYearRules> years;

  const ZoneYearRules& ForYear(int year) const;
  static ZoneRules FixedOffset(std::string name, int minutesEastOfUtc);
};

// The 44 bytes of a REG_TZI_FORMAT value (TZI, or a year of "Dynamic DST"); nothing when they
// are not such a value or hold a change date that names no day.
std::optional<ZoneYearRules> ParseTzi(std::string_view bytes);

// Date-times are microseconds since 1899-12-30 00:00:00 (common/civil_time.h).
std::int64_t UtcToLocal(const ZoneRules& zone, std::int64_t utc);

// A local clock time that occurs twice (the hour that the change to standard time repeats) is
// taken in its first occurrence, still in daylight time; one that never occurs (skipped by the
// change to daylight time) is taken with the standard offset.
std::int64_t LocalToUtc(const ZoneRules& zone, std::int64_t local);

}  // namespace tickvane
