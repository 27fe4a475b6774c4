// Where fast-forward plugs into the replay: the step run for every record line, after the line
// has been cut into its fields and before the record is written, shown and paced.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "station/engine/chart_writer_session.h"
#include "station/engine/replay_window.h"
#include "station/engine/station_state.h"
#include "station/engine/tick_record.h"

namespace tickvane {

// Skipped records waiting for a batch write, and how many each kind of forward has added since
// its last batch write. They start empty with every replay.
struct ForwardBatches {
  std::string dateList;
  std::string timeList;
  std::string priceList;
  double minutesBatchCount = 0;
  std::int64_t ticksBatchCount = 0;
};

// Everything the step may look at or change for one record.
struct ForwardContext {
  const TickRecord& record;
  StationState& station;
  bool sierra;
  // Numeric date of the last shown record, 0 before the first.
  double previousDate;
  ForwardBatches& batches;
  // The replay's writer, for batch writes (WriteBatch); a message it returns goes to
  // window.ShowNotice.
  ReplayChartWriter& writer;
  ReplayWindow& window;
  // Set by the step when the record already went to the chart file inside a batch: the replay
  // then shows it but does not write it singly as well.
  bool writtenInBatch = false;
};

// What is left to do when the replay reaches its end.
struct ForwardEndContext {
  bool sierra;
  ForwardBatches& batches;
  ReplayChartWriter& writer;
  ReplayWindow& window;
};

// Empty means no step at all. A step must change nothing the replay reads (forwardTicks,
// forwardToTime) while no forward has been requested, so a replay without forwards is the same
// with or without it.
using ForwardStepHook = std::function<void(ForwardContext&)>;
// Run once when the replay reaches its end (not when the window was closed), before the forward
// buttons are enabled and the closing notice is shown. Empty means nothing to do.
using ForwardEndHook = std::function<void(ForwardEndContext&)>;

}  // namespace tickvane
