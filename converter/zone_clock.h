// A zone's clock and UTC for tick after tick, in whole seconds since 1899-12-30 00:00:00. A
// zone's offset changes a few times a year, ticks come by the million: the offset found for a
// clock hour is kept for the rest of that hour, so that the zone's rules are worked out about
// once an hour of ticks.
#pragma once

#include <cstdint>

#include "common/time_zone.h"

namespace tickvane::converter {

class ZoneClock {
 public:
  // The rules must outlive the clock.
  explicit ZoneClock(const ZoneRules& zone) : zone_(&zone) {}

  // As LocalToUtc and UtcToLocal (common/time_zone.h), in seconds.
  std::int64_t ToUtc(std::int64_t localSeconds) { return Shift(localSeconds, toUtc_, true); }
  std::int64_t FromUtc(std::int64_t utcSeconds) { return Shift(utcSeconds, fromUtc_, false); }

  const ZoneRules& Rules() const { return *zone_; }

 private:
  // An hour [from, from + 3600) whose seconds all move by the same shift.
  struct Hour {
    std::int64_t from = 0;
    std::int64_t shift = 0;
    bool known = false;
  };
  std::int64_t Shift(std::int64_t seconds, Hour& hour, bool toUtc);
  std::int64_t Exact(std::int64_t seconds, bool toUtc) const;

  const ZoneRules* zone_;
  Hour toUtc_, fromUtc_;
};

}  // namespace tickvane::converter
