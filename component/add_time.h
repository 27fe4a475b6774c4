// The arithmetic behind the component's add_time: hhmmss times handled as clock times.
#pragma once

namespace tickvane::chart {

// The hhmmss time that lies `minutes` minutes after `hhmmss`, as a number (93015 and 9 give 93915,
// 95500 and 9 give 100400). A from-time whose minutes or seconds reach 60 is read as a clock
// (96000 is 10:00:00); fractions of a second are dropped; fractions of a minute count (1.5 is 90 s).
// A target past 23:59:59 gives 240000: no record of the day lies at or after it, so a forward to
// it skips the rest of the day instead of wrapping to the small hours, which would skip nothing.
// 0, the station's "no target", for a negative from-time or a negative number of minutes.
double AddMinutes(double hhmmss, double minutes);

}  // namespace tickvane::chart
