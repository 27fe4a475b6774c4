#include "station/engine/pacing_schedule.h"

#include <cmath>

namespace tickvane {

double PacingSchedule::LagAt(double now) const {
  if (!due_ || now <= *due_) return 0;
  return now - *due_;
}

double PacingSchedule::NextDue(double now, double delayMs) {
  if (rule_ == PacingRule::PlainSleep) {
    due_ = now + std::floor(delayMs);
    return *due_;
  }
  double due = due_ ? *due_ + delayMs : now + delayMs;
  if (now - due > kMostBehindMs) due = now + delayMs;
  due_ = due;
  return due;
}

}  // namespace tickvane
