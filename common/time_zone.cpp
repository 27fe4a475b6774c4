#include "common/time_zone.h"

#include <algorithm>

#include "common/civil_time.h"

namespace tickvane {
namespace {

constexpr std::size_t kTziSize = 44;

std::int32_t Int32At(std::string_view bytes, std::size_t at) {
  std::uint32_t v = 0;
  for (std::size_t i = 0; i < 4; ++i) v |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
  return static_cast<std::int32_t>(v);
}

int UInt16At(std::string_view bytes, std::size_t at) {
  return static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1]) << 8;
}

ZoneTransition TransitionAt(std::string_view bytes, std::size_t at) {
  ZoneTransition t;
  t.year = UInt16At(bytes, at);
  t.month = UInt16At(bytes, at + 2);
  t.dayOfWeek = UInt16At(bytes, at + 4);
  t.day = UInt16At(bytes, at + 6);
  t.hour = UInt16At(bytes, at + 8);
  t.minute = UInt16At(bytes, at + 10);
  t.second = UInt16At(bytes, at + 12);
  t.milliseconds = UInt16At(bytes, at + 14);
  return t;
}

bool Sound(const ZoneTransition& t) {
  if (t.month == 0) return true;
  if (t.month > 12 || t.hour > 23 || t.minute > 59 || t.second > 59 || t.milliseconds > 999) return false;
  if (t.year == 0) return t.dayOfWeek <= 6 && t.day >= 1 && t.day <= 5;
  return t.day >= 1 && t.day <= 31;
}

// When the change falls in the given year, on the clock that runs before it.
std::int64_t TransitionTime(const ZoneTransition& t, int year) {
  int day = 0;
  if (t.year == 0) {
    const int firstWeekday = DayOfWeek(DaysSinceEpoch(year, t.month, 1));
    day = 1 + (t.dayOfWeek - firstWeekday + 7) % 7 + (t.day - 1) * 7;
    while (day > DaysInMonth(year, t.month)) day -= 7;  // week 5: the last one of the month
  } else {
    day = std::min(t.day, DaysInMonth(year, t.month));
  }
  return DaysSinceEpoch(year, t.month, day) * kMicrosPerDay +
         ((t.hour * 60LL + t.minute) * 60 + t.second) * kMicrosPerSecond + t.milliseconds * 1000LL;
}

std::int64_t Minutes(int minutes) { return minutes * kMicrosPerMinute; }

int YearOf(std::int64_t micros) { return ToCivil(micros).year; }

}  // namespace

const ZoneYearRules& ZoneRules::ForYear(int year) const {
  if (years.empty()) return base;
  if (year <= years.begin()->first) return years.begin()->second;
  if (year >= years.rbegin()->first) return years.rbegin()->second;
  auto it = years.find(year);
  return it == years.end() ? base : it->second;
}

ZoneRules ZoneRules::FixedOffset(std::string name, int minutesEastOfUtc) {
  ZoneRules zone;
  zone.name = std::move(name);
  zone.base.bias = -minutesEastOfUtc;
  return zone;
}

std::optional<ZoneYearRules> ParseTzi(std::string_view bytes) {
  if (bytes.size() != kTziSize) return std::nullopt;
  ZoneYearRules r;
  r.bias = Int32At(bytes, 0);
  r.standardBias = Int32At(bytes, 4);
  r.daylightBias = Int32At(bytes, 8);
  r.standardDate = TransitionAt(bytes, 12);
  r.daylightDate = TransitionAt(bytes, 28);
  // Offsets beyond a day are no zone's.
  for (int b : {r.bias, r.standardBias, r.daylightBias})
    if (b < -24 * 60 || b > 24 * 60) return std::nullopt;
  if (!Sound(r.standardDate) || !Sound(r.daylightDate)) return std::nullopt;
  return r;
}

std::int64_t UtcToLocal(const ZoneRules& zone, std::int64_t utc) {
  // The rules are those of the year on the zone's standard clock.
  const ZoneYearRules& r = zone.ForYear(YearOf(utc - Minutes(zone.ForYear(YearOf(utc)).bias)));
  const std::int64_t standard = Minutes(r.bias + r.standardBias);
  if (!r.HasDaylightSaving()) return utc - standard;
  const std::int64_t daylight = Minutes(r.bias + r.daylightBias);
  const int year = YearOf(utc - standard);
  const std::int64_t daylightStarts = TransitionTime(r.daylightDate, year) + standard;
  const std::int64_t daylightEnds = TransitionTime(r.standardDate, year) + daylight;
  // In the south daylight saving runs over the new year: it ends early in the year, starts late.
  const bool inDaylight = daylightStarts < daylightEnds ? utc >= daylightStarts && utc < daylightEnds
                                                        : utc < daylightEnds || utc >= daylightStarts;
  return utc - (inDaylight ? daylight : standard);
}

std::int64_t LocalToUtc(const ZoneRules& zone, std::int64_t local) {
  const ZoneYearRules& r = zone.ForYear(YearOf(local));
  const std::int64_t asStandard = local + Minutes(r.bias + r.standardBias);
  if (!r.HasDaylightSaving()) return asStandard;
  const std::int64_t asDaylight = local + Minutes(r.bias + r.daylightBias);
  const bool standardFits = UtcToLocal(zone, asStandard) == local;
  const bool daylightFits = UtcToLocal(zone, asDaylight) == local;
  if (standardFits && daylightFits) return std::min(asStandard, asDaylight);
  if (daylightFits) return asDaylight;
  return asStandard;  // standard time, or a clock time that the change to daylight time skips
}

}  // namespace tickvane
