// Calendar dates and clock times counted as the chart file and OLE automation count them:
// microseconds since 1899-12-30 00:00:00, proleptic Gregorian calendar, no time zone of its own.
#pragma once

#include <cstdint>

namespace tickvane {

inline constexpr std::int64_t kMicrosPerSecond = 1'000'000;
inline constexpr std::int64_t kMicrosPerMinute = 60 * kMicrosPerSecond;
inline constexpr std::int64_t kMicrosPerDay = 86'400 * kMicrosPerSecond;

struct CivilDateTime {
  int year = 1899, month = 12, day = 30;
  int hour = 0, minute = 0, second = 0, micros = 0;
};

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);  // month 1 to 12

// Days from 1899-12-30 to the given calendar day.
std::int64_t DaysSinceEpoch(int year, int month, int day);

// 0 for Sunday to 6 for Saturday, as Windows numbers the days of the week.
int DayOfWeek(std::int64_t daysSinceEpoch);

// The calendar date and clock time of a count, and back.
CivilDateTime ToCivil(std::int64_t micros);
std::int64_t FromCivil(const CivilDateTime& t);

}  // namespace tickvane
