#include "component/add_time.h"

#include <cmath>

namespace tickvane::chart {

double AddMinutes(double hhmmss, double minutes) {
  if (!std::isfinite(hhmmss) || !std::isfinite(minutes) || hhmmss < 0 || minutes < 0) return 0;
  constexpr double kEndOfDay = 86400;
  const double from = std::floor(hhmmss);
  if (from >= 240000) return 240000;
  const double h = std::floor(from / 10000), m = std::floor(std::fmod(from, 10000) / 100),
               s = std::fmod(from, 100);
  const double seconds = std::floor(h * 3600 + m * 60 + s + minutes * 60);
  if (seconds >= kEndOfDay) return 240000;
  const double th = std::floor(seconds / 3600), tm = std::floor(std::fmod(seconds, 3600) / 60),
               ts = std::fmod(seconds, 60);
  return th * 10000 + tm * 100 + ts;
}

}  // namespace tickvane::chart
