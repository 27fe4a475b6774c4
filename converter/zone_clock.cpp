#include "converter/zone_clock.h"

#include "common/civil_time.h"

namespace tickvane::converter {
namespace {

constexpr std::int64_t kHour = 3600;

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

}  // namespace

std::int64_t ZoneClock::Exact(std::int64_t seconds, bool toUtc) const {
  const std::int64_t micros = seconds * kMicrosPerSecond;
  const std::int64_t moved = toUtc ? LocalToUtc(*zone_, micros) : UtcToLocal(*zone_, micros);
  // Offsets are whole minutes: the result is whole seconds again.
  return FloorDiv(moved, kMicrosPerSecond);
}

std::int64_t ZoneClock::Shift(std::int64_t seconds, Hour& hour, bool toUtc) {
  const std::int64_t from = FloorDiv(seconds, kHour) * kHour;
  if (!hour.known || hour.from != from) {
    // A change of offset inside the hour shows as different shifts at its first and last second;
    // no zone changes twice within an hour, so equal shifts hold for every second between.
    const std::int64_t first = Exact(from, toUtc) - from;
    const std::int64_t last = Exact(from + kHour - 1, toUtc) - (from + kHour - 1);
    if (first != last) return Exact(seconds, toUtc);
    hour.from = from;
    hour.shift = first;
    hour.known = true;
  }
  return seconds + hour.shift;
}

}  // namespace tickvane::converter
