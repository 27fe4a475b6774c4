// Date-times of the chart file: microseconds since 1899-12-30 00:00:00, no time zone.
#pragma once

#include <cstdint>

namespace tickvane::chart {

inline constexpr std::int64_t kMicrosPerSecond = 1'000'000;
inline constexpr std::int64_t kMicrosPerDay = 86'400 * kMicrosPerSecond;

struct CivilDateTime {
  int year = 1899, month = 12, day = 30;
  int hour = 0, minute = 0, second = 0, micros = 0;
};

// Days from 1899-12-30 to the given calendar day (proleptic Gregorian calendar).
std::int64_t DaysSinceEpoch(int year, int month, int day);

// The date-time of a tick: date as yyyymmdd, time as hhmmss, both taken as given.
// A date that is no calendar day of the years 1 to 9999 counts as the epoch day 1899-12-30, and a
// time that is no clock time (minutes or seconds of 60 and more, hours of 24 and more, negative)
// as 00:00:00, so a bad field still makes a readable record rather than a date far off the chart.
// Fractions of a second in the time are dropped.
std::int64_t TickDateTime(double yyyymmdd, double hhmmss);

// The calendar date and clock time of a chart date-time.
CivilDateTime ToCivil(std::int64_t micros);

}  // namespace tickvane::chart
