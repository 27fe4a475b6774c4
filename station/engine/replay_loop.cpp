#include "station/engine/replay_loop.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "station/engine/chart_writer_session.h"
#include "station/engine/forward_step.h"
#include "station/engine/numeric_value.h"
#include "station/engine/pacing_schedule.h"
#include "station/engine/replay_status.h"
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
constexpr double kReplacementDelayMs = 1000;
constexpr std::uint32_t kPollMs = 100;
// While no record is shown (a forward, header and short lines), the status goes out this seldom.
constexpr double kStatusIntervalMs = 100;
// How often a run of such lines reads the clock (see StatusReport::Passed).
constexpr double kLookEveryMs = 1;
constexpr std::uint64_t kMostLinesPerLook = 64;

// What lives for one replay besides the writer and the batches.
struct Pacing {
  double previousTime = 0;
  double previousDate = 0;
  double delayMs = 0;
  PacingSchedule schedule;
  // The window's count of message boxes when the schedule last looked.
  std::uint64_t boxesSeen = 0;
};

// A message box held the replay up: the schedule starts again rather than hurrying after it.
void RestartAfterMessageBoxes(ReplayWindow& window, Pacing& pacing) {
  const std::uint64_t boxes = window.MessageBoxesOpened();
  if (boxes == pacing.boxesSeen) return;
  pacing.boxesSeen = boxes;
  pacing.schedule.Restart();
}

// What the replay tells the window about where it stands.
class StatusReport {
 public:
  StatusReport(ReplayWindow& window, const PlaybackSource& file) : window_(window), file_(file) {}

  // The record on display was shown at `now`, `lagMs` after its due time: told at once.
  void Shown(std::string_view date, double lagMs, double now, const TickFileReader& reader) {
    status_.state = ReplayState::Running;
    status_.date = date;
    status_.lagMs = lagMs;
    Post(now, reader);
  }
  // A line was read and not shown: told at once when the state changes, otherwise at most ten
  // times a second. A forward passes millions of lines a second, and reading the clock for each
  // would be much of its cost: the lines between two looks at the clock double while a look
  // comes sooner than kLookEveryMs after the one before, up to kMostLinesPerLook, and halve while
  // it comes later than twice that. A status is so at most about 2 ms late once the pace has
  // settled, and at most kMostLinesPerLook lines late just after a forward slows down.
  void Passed(ReplayState state, const TickFileReader& reader) {
    if (state == status_.state && ++linesSinceLook_ < linesPerLook_) return;
    linesSinceLook_ = 0;
    const double now = window_.NowMs();
    const double sinceLook = now - lookedMs_;
    lookedMs_ = now;
    if (sinceLook < kLookEveryMs) linesPerLook_ = std::min(linesPerLook_ * 2, kMostLinesPerLook);
    else if (sinceLook > 2 * kLookEveryMs) linesPerLook_ = std::max<std::uint64_t>(linesPerLook_ / 2, 1);
    if (state == status_.state && now - postedMs_ < kStatusIntervalMs) return;
    status_.state = state;
    Post(now, reader);
  }
  // The replay waits (paused, for a speed) or goes on after it; nothing else has changed.
  void Enter(ReplayState state) {
    if (state == status_.state) return;
    status_.state = state;
    postedMs_ = window_.NowMs();
    window_.ShowStatus(status_);
  }
  void Finished(const TickFileReader& reader) {
    status_.state = ReplayState::Finished;
    Post(window_.NowMs(), reader);
  }

 private:
  void Post(double now, const TickFileReader& reader) {
    constexpr std::uint64_t kHeaderLines = 3;
    status_.records = reader.LinesRead() > kHeaderLines ? reader.LinesRead() - kHeaderLines : 0;
    status_.bytesRead = reader.BytesRead();
    status_.fileSize = file_.Size();
    postedMs_ = now;
    window_.ShowStatus(status_);
  }

  ReplayWindow& window_;
  const PlaybackSource& file_;
  ReplayStatus status_;
  double postedMs_ = 0;
  double lookedMs_ = 0;
  std::uint64_t linesSinceLook_ = 0;
  std::uint64_t linesPerLook_ = 1;
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

void ShowAndPace(ReplayWindow& window, const TickRecord& record, Pacing& pacing, StatusReport& report,
                 const TickFileReader& reader) {
  RestartAfterMessageBoxes(window, pacing);
  const double shownAt = window.NowMs();
  window.SetLastText(record.tickPrice);
  window.SetTimeText(MaskTime(record.tickTime));
  report.Shown(record.tickDate, pacing.schedule.LagAt(shownAt), shownAt, reader);
  window.CheckSpeed();
  double speed = NumericValue(window.SpeedText());
  if (speed < 0) speed = 2;  // for this record only; the box keeps what was typed
  if (speed == 0) {
    report.Enter(ReplayState::WaitingForSpeed);
    speed = WaitForSpeed(window);
    if (window.Closed()) return;
    report.Enter(ReplayState::Running);
    pacing.schedule.Restart();
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

  RestartAfterMessageBoxes(window, pacing);
  // NaN fails both tests and takes the replacement delay.
  if (pacing.delayMs >= 0 && pacing.delayMs < kLongestDelayMs) {
    window.WaitAfterRecordUntil(pacing.schedule.NextDue(window.NowMs(), pacing.delayMs));
    window.CheckSpeed();
  } else {
    window.WaitAfterRecordUntil(pacing.schedule.NextDue(window.NowMs(), kReplacementDelayMs));
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
  Pacing pacing{.schedule = PacingSchedule(station.pacing)};
  pacing.boxesSeen = window.MessageBoxesOpened();
  StatusReport report(window, *file.source);
  {
    TickFileReader reader(*file.source);
    report.Passed(ReplayState::Running, reader);
    // Header lines are counted and thrown away by the reader itself.
    while (!window.Closed() && !reader.AtEnd()) {
      if (station.paused) {
        report.Enter(ReplayState::Paused);
        Pause(window, station);
        if (window.Closed()) break;
        report.Enter(ReplayState::Running);
        pacing.schedule.Restart();
      }
      const LineResult line = reader.ReadLine();
      if (line.kind == LineKind::NoLine) break;
      if (line.kind == LineKind::Header) continue;
      bool shown = false;
      if (line.kind == LineKind::Record) {
        const TickRecord& record = line.record;
        ForwardContext context{record, station, pacing.previousDate, batches, writer, window};
        const RecordFate fate = ForwardStep(context);
        if (fate == RecordFate::WriteAndShow) {
          EnableForwardButtons(window);
          Report(window, writer.WriteRecord(record.tickDate, record.tickPrice, record.tickTime, window.ChartFileName()));
        }
        // Tested again: a handler may have started a forward while a writer message was open.
        shown = fate != RecordFate::Skipped && station.NoForward();
        if (shown) ShowAndPace(window, record, pacing, report, reader);
        // A forward is the user's leap: the schedule starts again at the record after it.
        if (!station.NoForward()) pacing.schedule.Restart();
      }
      if (!shown) report.Passed(station.NoForward() ? ReplayState::Running : ReplayState::Forwarding, reader);
      // A record line too short to hold a record is neither shown nor written, but the window
      // still gets its turn and a "[" at its start still ends the replay.
      window.ProcessEvents();
      if (line.endsReplay) break;
    }
    if (!window.Closed()) {
      FinishForwards(station, batches, writer, window);
      if (!window.Closed()) report.Finished(reader);
    }
  }

  const std::wstring readFailure = file.source->ReadFailure();
  file.source.reset();
  if (window.Closed()) return;
  EnableForwardButtons(window);
  // Said before the closing notice, which would otherwise pass a cut-off replay for a whole one.
  if (!readFailure.empty()) window.ShowNotice(readFailure);
  window.ShowNotice(kClosingMessage);
}

}  // namespace tickvane
