// The station state: what the main window keeps for the life of the process and its handlers
// change while a replay runs. The window owns one and hands it to the replay by reference; the
// replay reads each field afresh at each of its tests, because a handler run during an event
// hand-over (a Pause click, a forward request) must take effect at the very next test.
#pragma once

#include <string>
#include <vector>

#include "station/engine/chart_writer.h"
#include "station/engine/pacing_schedule.h"

namespace tickvane {

// What the first word of the command line selects, once at start-up; it never changes after.
enum class StationMode { Sierra, Esignal, DdeOnly };

struct StationState {
  // Set by the Pause button; the replay waits before its next line while it is true.
  bool paused = false;
  // The words of the command line; word 1 is the mode word.
  std::vector<std::wstring> commandArgs;
  // Decided from word 1 by start-up.
  StationMode mode = StationMode::DdeOnly;
  bool wideView = false;
  // Records still to skip in a forward by ticks; 0 when none is running.
  double forwardTicks = 0;
  // The shown time without its colons, and the minutes typed, of the last accepted "Forward mins".
  std::wstring forwardFromTime;
  std::wstring forwardMinutes;
  // Target time of a forward by minutes as the chart-file writer returned it; a value equal to 0
  // means none is pending. Starts as the integer 0.
  WriterValue forwardToTime = WriterValue::FromText(L"0");
  // How the waits after shown records keep time (pacing_schedule.h); the schedule unless the
  // pacing benchmark asks for the plain sleep.
  PacingRule pacing = PacingRule::Schedule;

  // The chart-file writer is called in "sierra" mode only.
  bool Sierra() const { return mode == StationMode::Sierra; }
  // No forward of either kind is running: the replay writes, shows and paces records only then.
  bool NoForward() const { return forwardTicks == 0 && forwardToTime.EqualsZero(); }
};

}  // namespace tickvane
