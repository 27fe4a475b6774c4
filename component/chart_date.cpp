#include "component/chart_date.h"

#include <cmath>

namespace tickvane::chart {

std::optional<std::int64_t> TickDateTime(double yyyymmdd, double hhmmss) {
  if (!(yyyymmdd >= 10101 && yyyymmdd < 100000000 && yyyymmdd == std::floor(yyyymmdd))) return std::nullopt;
  const auto d = static_cast<std::int64_t>(yyyymmdd);
  const int year = static_cast<int>(d / 10000), month = static_cast<int>(d / 100 % 100), day = static_cast<int>(d % 100);
  if (year < 1 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month)) return std::nullopt;
  if (!(hhmmss >= 0 && hhmmss < 240000)) return std::nullopt;
  const auto t = static_cast<std::int64_t>(std::floor(hhmmss));
  const std::int64_t h = t / 10000, m = t / 100 % 100, s = t % 100;
  if (m >= 60 || s >= 60) return std::nullopt;
  return DaysSinceEpoch(year, month, day) * kMicrosPerDay + (h * 3600 + m * 60 + s) * kMicrosPerSecond;
}

}  // namespace tickvane::chart
