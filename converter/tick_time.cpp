#include "converter/tick_time.h"

#include <string>

#include "common/civil_time.h"
#include "converter/tick_fields.h"
#include "converter/zone_name.h"

namespace tickvane::converter {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Exactly n digits at text[at...].
bool Number(std::string_view text, size_t at, size_t n, int& value) {
  if (at + n > text.size()) return false;
  int v = 0;
  for (size_t i = at; i < at + n; ++i) {
    if (!IsDigit(text[i])) return false;
    v = v * 10 + (text[i] - '0');
  }
  value = v;
  return true;
}

bool AllDigits(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text)
    if (!IsDigit(c)) return false;
  return true;
}

// A calendar day and a clock time, both checked, as seconds.
bool Compose(int year, int month, int day, int hour, int minute, int second, std::int64_t& seconds) {
  if (year < 1900 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month)) return false;
  if (hour > 23 || minute > 59 || second > 59) return false;
  seconds = DaysSinceEpoch(year, month, day) * kSecondsPerDay + hour * 3600 + minute * 60 + second;
  return true;
}

// yyyyMMdd HHmmss at the start of text.
bool CompactDateTime(std::string_view text, std::int64_t& seconds) {
  int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
  return text.size() >= 15 && text[8] == ' ' && Number(text, 0, 4, y) && Number(text, 4, 2, mo) &&
         Number(text, 6, 2, d) && Number(text, 9, 2, h) && Number(text, 11, 2, mi) && Number(text, 13, 2, s) &&
         Compose(y, mo, d, h, mi, s, seconds);
}

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

void Two(char* at, int value) {
  at[0] = static_cast<char>('0' + value / 10);
  at[1] = static_cast<char>('0' + value % 10);
}

}  // namespace

bool ParseZoneSuffix(std::string_view text, int& minutesEast) {
  if (text == "Z" || text == "z") {
    minutesEast = 0;
    return true;
  }
  if (text.empty()) return false;
  std::optional<int> m;
  if (text.front() == '+' || text.front() == '-') {
    m = FixedOffsetMinutes("UTC" + std::string(text));
  } else {
    m = FixedOffsetMinutes(text);
  }
  if (!m) return false;
  minutesEast = *m;
  return true;
}

bool ParseDateTimeWhen(std::string_view text, TickWhen& when) {
  TickWhen w;
  if (text.size() == 14 && AllDigits(text)) {
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
    if (!Number(text, 0, 4, y) || !Number(text, 4, 2, mo) || !Number(text, 6, 2, d) || !Number(text, 8, 2, h) ||
        !Number(text, 10, 2, mi) || !Number(text, 12, 2, s) || !Compose(y, mo, d, h, mi, s, w.clock))
      return false;
    when = w;
    return true;
  }
  size_t cut = text.find_first_of(" \tT");
  if (cut == std::string_view::npos) return false;
  size_t next = text.find_first_not_of(" \t", cut + 1);
  if (next == std::string_view::npos) return false;
  if (text[cut] == 'T' && next != cut + 1) return false;
  std::string_view rest = text.substr(next);
  std::string_view timePart = rest;
  size_t zone = rest.find_first_of("Zz+- \t", 1);
  if (zone != std::string_view::npos) {
    timePart = rest.substr(0, zone);
    std::string_view zoneText = rest.substr(zone);
    size_t b = zoneText.find_first_not_of(" \t");
    if (b != std::string_view::npos) {
      zoneText = zoneText.substr(b);
      while (!zoneText.empty() && (zoneText.back() == ' ' || zoneText.back() == '\t')) zoneText.remove_suffix(1);
      if (!ParseZoneSuffix(zoneText, w.offsetMinutes)) return false;
      w.zoned = true;
    }
  }
  TickDate d;
  TickTime t;
  if (!ParseDate(text.substr(0, cut), d) || !ParseTime(timePart, t)) return false;
  if (!Compose(d.year, d.month, d.day, t.hour, t.minute, t.second, w.clock)) return false;
  when = w;
  return true;
}

bool ParseEpochWhen(std::string_view text, TickWhen& when) {
  std::string_view whole = text;
  size_t point = text.find('.');
  if (point != std::string_view::npos) {
    whole = text.substr(0, point);
    if (!AllDigits(text.substr(point + 1))) return false;
  }
  if (!AllDigits(whole) || whole.size() > 19) return false;
  std::uint64_t v = 0;
  for (char c : whole) v = v * 10 + static_cast<std::uint64_t>(c - '0');
  std::uint64_t divisor = 0;
  if (v < 100'000'000ULL) return false;  // too small for any of the units
  if (v < 100'000'000'000ULL) {
    divisor = 1;
  } else if (v < 100'000'000'000'000ULL) {
    divisor = 1'000;
  } else if (v < 100'000'000'000'000'000ULL) {
    divisor = 1'000'000;
  } else {
    divisor = 1'000'000'000;
  }
  TickWhen w;
  w.clock = kUnixEpochSeconds + static_cast<std::int64_t>(v / divisor);
  w.zoned = true;
  when = w;
  return true;
}

bool ParseAnyWhen(std::string_view text, TickWhen& when) {
  size_t digits = 0;
  while (digits < text.size() && IsDigit(text[digits])) ++digits;
  const bool number = digits == text.size() || (text[digits] == '.' && digits >= 9);
  if (number && text.size() != 14) return ParseEpochWhen(text, when);
  return ParseDateTimeWhen(text, when);
}

bool ParseNinjaTraderWhen(std::string_view text, TickWhen& when) {
  TickWhen w;
  if (!CompactDateTime(text, w.clock)) return false;
  if (text.size() > 15) {
    // The fraction (NinjaTrader 8 writes seven digits, tenths of a microsecond).
    if (text[15] != ' ' || text.size() < 17 || text.size() > 23 || !AllDigits(text.substr(16))) return false;
  }
  when = w;
  return true;
}

bool ParseHistDataWhen(std::string_view text, TickWhen& when) {
  TickWhen w;
  int ms = 0;
  if (text.size() != 18 || !CompactDateTime(text, w.clock) || !Number(text, 15, 3, ms)) return false;
  when = w;
  return true;
}

bool ParseMillisOfDayWhen(std::string_view text, std::int64_t day, TickWhen& when) {
  if (!AllDigits(text) || text.size() > 8) return false;
  std::int64_t ms = 0;
  for (char c : text) ms = ms * 10 + (c - '0');
  if (ms > kSecondsPerDay * 1000) return false;
  TickWhen w;
  w.clock = day * kSecondsPerDay + ms / 1000;
  when = w;
  return true;
}

void WriteDate(std::int64_t seconds, char* eight) {
  CivilDateTime c = ToCivil(FloorDiv(seconds, kSecondsPerDay) * kMicrosPerDay);
  Two(eight, c.year / 100);
  Two(eight + 2, c.year % 100);
  Two(eight + 4, c.month);
  Two(eight + 6, c.day);
}

void WriteTime(std::int64_t seconds, char* six) {
  std::int64_t s = seconds - FloorDiv(seconds, kSecondsPerDay) * kSecondsPerDay;
  Two(six, static_cast<int>(s / 3600));
  Two(six + 2, static_cast<int>(s / 60 % 60));
  Two(six + 4, static_cast<int>(s % 60));
}

void WriteReadable(std::int64_t seconds, char* nineteen) {
  char d[8], t[6];
  WriteDate(seconds, d);
  WriteTime(seconds, t);
  const char form[] = "YYYY-MM-DD hh:mm:ss";
  for (int i = 0; i < 19; ++i) nineteen[i] = form[i];
  for (int i = 0; i < 4; ++i) nineteen[i] = d[i];
  nineteen[5] = d[4], nineteen[6] = d[5], nineteen[8] = d[6], nineteen[9] = d[7];
  nineteen[11] = t[0], nineteen[12] = t[1], nineteen[14] = t[2], nineteen[15] = t[3], nineteen[17] = t[4],
  nineteen[18] = t[5];
}

}  // namespace tickvane::converter
