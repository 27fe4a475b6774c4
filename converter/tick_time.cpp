#include "converter/tick_time.h"

#include <optional>
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
  // The common forms directly (they come with every tick): +hh:mm, +hhmm, +hh.
  if (text.front() == '+' || text.front() == '-') {
    const int sign = text.front() == '+' ? 1 : -1;
    int h = 0, m = 0;
    const bool ok = (text.size() == 6 && text[3] == ':' && Number(text, 1, 2, h) && Number(text, 4, 2, m)) ||
                    (text.size() == 5 && Number(text, 1, 2, h) && Number(text, 3, 2, m)) ||
                    (text.size() == 3 && Number(text, 1, 2, h));
    if (!ok || m > 59 || h * 60 + m > 14 * 60) return false;
    minutesEast = sign * (h * 60 + m);
    return true;
  }
  std::optional<int> m = FixedOffsetMinutes(text);
  if (!m) return false;
  minutesEast = *m;
  return true;
}

// The two forms most ticks come in, read without searching: yyyy-MM-ddTHH:mm:ss (ISO 8601, with a
// blank for the T too) and dd.MM.yyyy HH:mm:ss (Dukascopy), each with an optional fraction and
// zone. 1 read, 0 bad, -1 another form.
int FixedDateTime(std::string_view text, TickWhen& when, DayCache* cache) {
  if (text.size() < 19 || text[13] != ':' || text[16] != ':') return -1;
  const bool iso = text[4] == '-' && text[7] == '-' && (text[10] == 'T' || text[10] == ' ');
  const bool dotted = text[2] == '.' && text[5] == '.' && text[10] == ' ';
  if (!iso && !dotted) return -1;
  int h = 0, mi = 0, sec = 0;
  if (!Number(text, 11, 2, h) || !Number(text, 14, 2, mi) || !Number(text, 17, 2, sec)) return -1;
  size_t at = 19;
  if (at < text.size() && (text[at] == '.' || text[at] == ',')) {
    size_t digits = ++at;
    while (at < text.size() && IsDigit(text[at])) ++at;
    if (at == digits) return 0;
  }
  TickWhen w;
  if (at < text.size()) {
    std::string_view zone = text.substr(at);
    while (!zone.empty() && zone.front() == ' ') zone.remove_prefix(1);
    while (!zone.empty() && zone.back() == ' ') zone.remove_suffix(1);
    if (!zone.empty()) {
      if (!ParseZoneSuffix(zone, w.offsetMinutes)) return 0;
      w.zoned = true;
    }
  }
  if (h > 23 || mi > 59 || sec > 59) return 0;
  std::int64_t day = 0;
  if (cache && cache->size == 10 && text.compare(0, 10, cache->text, 10) == 0) {
    day = cache->day;
  } else {
    int y = 0, mo = 0, d = 0;
    const bool ok = iso ? Number(text, 0, 4, y) && Number(text, 5, 2, mo) && Number(text, 8, 2, d)
                        : Number(text, 6, 4, y) && Number(text, 3, 2, mo) && Number(text, 0, 2, d);
    if (!ok || y < 1900 || mo < 1 || mo > 12 || d < 1 || d > DaysInMonth(y, mo)) return 0;
    day = DaysSinceEpoch(y, mo, d);
    if (cache) {
      text.copy(cache->text, 10);
      cache->size = 10;
      cache->day = day;
    }
  }
  w.clock = day * kSecondsPerDay + h * 3600 + mi * 60 + sec;
  when = w;
  return 1;
}

bool ParseDateTimeWhen(std::string_view text, TickWhen& when, DayCache* cache) {
  const int fixed = FixedDateTime(text, when, cache);
  if (fixed >= 0) return fixed == 1;
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
  const std::string_view dateText = text.substr(0, cut);
  std::int64_t day = 0;
  if (cache && cache->size == dateText.size() && dateText.compare(0, dateText.size(), cache->text, cache->size) == 0) {
    day = cache->day;
  } else {
    TickDate d;
    if (!ParseDate(dateText, d)) return false;
    day = DaysSinceEpoch(d.year, d.month, d.day);
    if (cache && dateText.size() <= sizeof cache->text) {
      dateText.copy(cache->text, dateText.size());
      cache->size = dateText.size();
      cache->day = day;
    }
  }
  TickTime t;
  if (!ParseTime(timePart, t)) return false;
  w.clock = day * kSecondsPerDay + t.hour * 3600 + t.minute * 60 + t.second;
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

bool ParseAnyWhen(std::string_view text, TickWhen& when, DayCache* cache) {
  size_t digits = 0;
  while (digits < text.size() && IsDigit(text[digits])) ++digits;
  const bool number = digits == text.size() || (text[digits] == '.' && digits >= 9);
  if (number && text.size() != 14) return ParseEpochWhen(text, when);
  return ParseDateTimeWhen(text, when, cache);
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
