// Date-times of the chart file: microseconds since 1899-12-30 00:00:00 (common/civil_time.h).
#pragma once

#include <cstdint>
#include <optional>

#include "common/civil_time.h"

namespace tickvane::chart {

using tickvane::CivilDateTime;
using tickvane::DaysSinceEpoch;
using tickvane::kMicrosPerDay;
using tickvane::kMicrosPerSecond;
using tickvane::ToCivil;

// The date-time of a tick: date as yyyymmdd, time as hhmmss, both taken as given (no time zone).
// Nothing for a date that is no calendar day of the years 1 to 9999 or a time that is no clock
// time (minutes or seconds of 60 and more, hours of 24 and more, negative): a chart cannot place
// such a tick, and a made-up date or midnight would put it far out of order.
// Fractions of a second in the time are dropped.
std::optional<std::int64_t> TickDateTime(double yyyymmdd, double hhmmss);

}  // namespace tickvane::chart
