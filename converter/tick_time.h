// When a tick happened, read from the forms that tick files write it in, as whole seconds since
// 1899-12-30 00:00:00 (fractions of a second are dropped: the playback file holds whole seconds).
#pragma once

#include <cstdint>
#include <string_view>

namespace tickvane::converter {

inline constexpr std::int64_t kSecondsPerDay = 86'400;
// 1970-01-01 00:00:00, from which epoch times count.
inline constexpr std::int64_t kUnixEpochSeconds = 25'569 * kSecondsPerDay;

struct TickWhen {
  std::int64_t clock = 0;  // the date and time as the text shows them
  // The text says how its clock stands to UTC (Z, +02:00, GMT+0200), or counts from 1970 in UTC:
  // UTC is then clock - offsetMinutes * 60, whatever zone the file is read in.
  bool zoned = false;
  int offsetMinutes = 0;  // east of UTC
  std::int64_t Utc() const { return clock - offsetMinutes * 60LL; }
};

// The last date text read and its day: ticks come in long runs of the same day.
struct DayCache {
  char text[16] = {};
  size_t size = 0;
  std::int64_t day = 0;
};

// A zone written after a time: Z, +hh:mm, -hh:mm, +hhmm, +hh, and those after GMT or UTC
// (GMT+0200, UTC-05:00), or GMT or UTC alone. Minutes east of UTC.
bool ParseZoneSuffix(std::string_view text, int& minutesEast);

// A date and a time of day in one field (as ParseDateTime in tick_fields.h), with an optional
// zone after the time: 2013-10-08T09:30:03.123-04:00, 2013-10-08 13:30:03+00:00, ...Z,
// 08.10.2013 15:30:03.123 GMT+0200. Also yyyyMMddHHmmss as 14 digits.
bool ParseDateTimeWhen(std::string_view text, TickWhen& when, DayCache* cache = nullptr);

// Seconds, milliseconds, microseconds or nanoseconds since 1970-01-01 UTC, told apart by size:
// from 10^8 seconds (March 1973) up, each next unit from where the one before would pass year
// 5138 (10^11 seconds). Digits, optionally with a fraction (1381239003.123 seconds).
bool ParseEpochWhen(std::string_view text, TickWhen& when);

// Either of the two, by the text's form (a generic timestamp column).
bool ParseAnyWhen(std::string_view text, TickWhen& when, DayCache* cache = nullptr);

// NinjaTrader: yyyyMMdd HHmmss, optionally followed by a blank and up to 7 digits of fraction.
bool ParseNinjaTraderWhen(std::string_view text, TickWhen& when);

// HistData's tick stamp: yyyyMMdd HHmmssNNN (NNN milliseconds).
bool ParseHistDataWhen(std::string_view text, TickWhen& when);

// Milliseconds after the midnight that begins `day` (days since 1899-12-30), up to one day.
bool ParseMillisOfDayWhen(std::string_view text, std::int64_t day, TickWhen& when);

// The playback file's forms of a time: YYYYMMDD and HHMMSS (8 and 6 characters written).
void WriteDate(std::int64_t seconds, char* eight);
void WriteTime(std::int64_t seconds, char* six);
// A reading form for people: 2013-10-08 09:30:03.
void WriteReadable(std::int64_t seconds, char* nineteen);

}  // namespace tickvane::converter
