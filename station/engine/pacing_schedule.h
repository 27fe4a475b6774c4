// When each wait after a shown record ends. The waits keep a schedule instead of sleeping their
// delay: each ends at the previous wait's end plus its own delay, fraction of a millisecond kept,
// so that what the station does between two waits (the display, DDE, the writer, the window's
// events) is taken out of the next wait instead of adding to every step. An hour of recording at
// speed 1 then takes an hour.
//
// The schedule starts again from now, rather than sprinting to catch up, at the first record,
// after anything that held the replay up on purpose (a pause, a wait for a non-zero speed, a
// message box, a forward) and when the station has fallen more than a second behind.
//
// Times are milliseconds of one monotonic clock, as the window's NowMs gives them.
#pragma once

#include <optional>

namespace tickvane {

// Schedule: as above. PlainSleep: each wait lasts its delay from whenever the station gets to it,
// fraction dropped, as before the schedule; kept only so that the pacing benchmark can show the
// difference.
enum class PacingRule { Schedule, PlainSleep };

class PacingSchedule {
 public:
  explicit PacingSchedule(PacingRule rule = PacingRule::Schedule) : rule_(rule) {}

  // Behind by more than this, the schedule is given up and started again from now.
  static constexpr double kMostBehindMs = 1000;

  // How late the record on display, shown at `now`, came against the end of the wait before it;
  // 0 when it was on time or the schedule starts again with it.
  double LagAt(double now) const;

  // The end of the wait after the record on display, whose delay is `delayMs`: the last wait's end
  // plus the delay, or now plus the delay when the schedule starts again.
  double NextDue(double now, double delayMs);

  // The next wait starts the schedule again from its own now.
  void Restart() { due_.reset(); }

 private:
  PacingRule rule_;
  std::optional<double> due_;
};

}  // namespace tickvane
