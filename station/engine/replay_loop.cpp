#include "station/engine/replay_loop.h"

#include <cstdint>
#include <optional>
#include <string>

#include "station/engine/chart_writer_session.h"
#include "station/engine/forward_step.h"
#include "station/engine/numeric_value.h"
#include "station/engine/station_texts.h"
#include "station/engine/tick_file_reader.h"
#include "station/engine/time_mask.h"

namespace tickvane {
namespace {

// One hhmmss step from ss=59 to the next minute's ss=00 is 41 on the digits, one second of time.
constexpr double kMinuteCarry = 41;
// Delays outside 0 to 2999 ms (a new day, a gap, the first record, a NaN from an infinite time)
// are replaced by one second rather than stalling the replay.
constexpr double kLongestDelayMs = 3000;
constexpr std::uint32_t kReplacementDelayMs = 1000;
constexpr std::uint32_t kPollMs = 100;

// What lives for one replay besides the writer and the batches.
struct Pacing {
  double previousTime = 0;
  double previousDate = 0;
  double delayMs = 0;
};

void Report(ReplayWindow& window, const std::optional<std::wstring>& message) {
  if (message) window.ShowNotice(*message);
}

// Holds the record on display until the speed box has a non-zero value. Every pass reads the
// box and waits once, also the first; a negative entry is reported and replaced here because
// the timer's speed check may not have seen it yet. The negative value read ends the wait
// without pacing the record by it.
double WaitForSpeed(ReplayWindow& window) {
  double speed = 0;
  while (speed == 0 && !window.Closed()) {
    speed = NumericValue(window.SpeedText());
    if (speed < 0) {
      window.ShowNotice(kWrongSpeed);
      window.SetSpeedText(kDesignSpeed);
    }
    window.Wait(kPollMs);
    window.ProcessEvents();
  }
  return speed;
}

void ShowAndPace(ReplayWindow& window, const TickRecord& record, Pacing& pacing) {
  window.SetLastText(record.tickPrice);
  window.SetTimeText(MaskTime(record.tickTime));
  window.CheckSpeed();
  double speed = NumericValue(window.SpeedText());
  if (speed < 0) speed = 2;  // for this record only; the box keeps what was typed
  if (speed == 0) {
    speed = WaitForSpeed(window);
    if (window.Closed()) return;
  }

  const double time = NumericValue(record.tickTime);
  if (speed > 0) {
    double d = time - pacing.previousTime;
    if (d == kMinuteCarry) d = 1;
    pacing.delayMs = d * 1000 / speed;
  }
  pacing.previousTime = time;
  pacing.previousDate = NumericValue(record.tickDate);
  window.CheckSpeed();

  // NaN fails both tests and takes the replacement delay.
  if (pacing.delayMs >= 0 && pacing.delayMs < kLongestDelayMs) {
    window.WaitAfterRecord(static_cast<std::uint32_t>(pacing.delayMs));
    window.CheckSpeed();
  } else {
    window.WaitAfterRecord(kReplacementDelayMs);
  }
}

}  // namespace

void Pause(ReplayWindow& window, StationState& station) {
  station.paused = true;
  do {
    window.CheckSpeed();
    window.Wait(kPollMs);
    window.ProcessEvents();
  } while (station.paused && !window.Closed());
}

void RunReplay(ReplayWindow& window, StationState& station, ChartWriterFactory& writerFactory,
               const PlaybackFileOpener& openPlaybackFile) {
  window.SetButtonEnabled(ReplayButton::cbStartFastSend, false);

  PlaybackFileOpening file = openPlaybackFile();
  if (!file.source) {
    window.ShowNotice(file.error);
    window.SetButtonEnabled(ReplayButton::cbStartFastSend, true);
    return;
  }

  ReplayChartWriter writer(writerFactory);  // made in every mode; only "sierra" calls it
  if (station.Sierra()) Report(window, writer.Start(window.ChartFileName()));

  ForwardBatches batches;
  Pacing pacing;
  {
    TickFileReader reader(*file.source);
    // Header lines are counted and thrown away by the reader itself.
    while (!window.Closed() && !reader.AtEnd()) {
      if (station.paused) {
        Pause(window, station);
        if (window.Closed()) break;
      }
      const LineResult line = reader.ReadLine();
      if (line.kind == LineKind::NoLine) break;
      if (line.kind == LineKind::Header) continue;
      if (line.kind == LineKind::Record) {
        const TickRecord& record = line.record;
        ForwardContext context{record, station, pacing.previousDate, batches, writer, window};
        const RecordFate fate = ForwardStep(context);
        if (fate == RecordFate::WriteAndShow) {
          EnableForwardButtons(window);
          Report(window, writer.WriteRecord(record.tickDate, record.tickPrice, record.tickTime, window.ChartFileName()));
        }
        // Tested again: a handler may have started a forward while a writer message was open.
        if (fate != RecordFate::Skipped && station.NoForward()) ShowAndPace(window, record, pacing);
      }
      // A record line too short to hold a record is neither shown nor written, but the window
      // still gets its turn and a "[" at its start still ends the replay.
      window.ProcessEvents();
      if (line.endsReplay) break;
    }
  }

  const std::wstring readFailure = file.source->ReadFailure();
  file.source.reset();
  if (window.Closed()) return;
  FinishForwards(station, batches, writer, window);
  if (window.Closed()) return;
  EnableForwardButtons(window);
  // Said before the closing notice, which would otherwise pass a cut-off replay for a whole one.
  if (!readFailure.empty()) window.ShowNotice(readFailure);
  window.ShowNotice(kClosingMessage);
}

}  // namespace tickvane
