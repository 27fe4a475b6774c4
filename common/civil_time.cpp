#include "common/civil_time.h"

namespace tickvane {
namespace {

// Howard Hinnant's days_from_civil: days since 1970-01-01.
constexpr std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

void CivilFromDays(std::int64_t z, int& year, int& month, int& day) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(static_cast<std::int64_t>(yoe) + era * 400 + (month <= 2));
}

// constexpr, so that constants of other files worked out at start-up never read it before it is set.
constexpr std::int64_t kEpochFrom1970 = DaysFromCivil(1899, 12, 30);

}  // namespace

bool IsLeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m) {
  static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && IsLeapYear(y) ? 29 : days[m - 1];
}

std::int64_t DaysSinceEpoch(int year, int month, int day) {
  return DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) - kEpochFrom1970;
}

int DayOfWeek(std::int64_t days) {
  // 1899-12-30 was a Saturday.
  return static_cast<int>(((days + 6) % 7 + 7) % 7);
}

CivilDateTime ToCivil(std::int64_t micros) {
  std::int64_t days = micros / kMicrosPerDay;
  std::int64_t rest = micros % kMicrosPerDay;
  if (rest < 0) {
    rest += kMicrosPerDay;
    --days;
  }
  CivilDateTime out;
  CivilFromDays(days + kEpochFrom1970, out.year, out.month, out.day);
  const std::int64_t seconds = rest / kMicrosPerSecond;
  out.hour = static_cast<int>(seconds / 3600);
  out.minute = static_cast<int>(seconds / 60 % 60);
  out.second = static_cast<int>(seconds % 60);
  out.micros = static_cast<int>(rest % kMicrosPerSecond);
  return out;
}

std::int64_t FromCivil(const CivilDateTime& t) {
  return DaysSinceEpoch(t.year, t.month, t.day) * kMicrosPerDay +
         ((t.hour * 60LL + t.minute) * 60 + t.second) * kMicrosPerSecond + t.micros;
}

}  // namespace tickvane
