#include "station/engine/forward_step.h"

#include <optional>
#include <string_view>

#include "station/engine/numeric_value.h"

namespace tickvane {
namespace {

// Batches of a forward by minutes hold 101 records: the write comes before the append that would
// make the 102nd.
constexpr double kMinutesBatchLimit = 100;
constexpr std::int64_t kTicksBatchSize = 100;

enum class BatchKind { Minutes, Ticks, Both };

bool Pending(const ForwardBatches& batches) {
  return !batches.dateList.empty() || !batches.timeList.empty() || !batches.priceList.empty();
}

void WriteBatch(ForwardBatches& batches, ReplayChartWriter& writer, ReplayWindow& window, BatchKind kind) {
  auto message = writer.WriteBatch(batches.dateList, batches.priceList, batches.timeList, window.ChartFileName());
  batches.dateList.clear();
  batches.timeList.clear();
  batches.priceList.clear();
  if (kind != BatchKind::Ticks) batches.minutesBatchCount = 0;
  if (kind != BatchKind::Minutes) batches.ticksBatchCount = 0;
  if (message) window.ShowNotice(*message);
}

void WriteBatch(ForwardContext& c, BatchKind kind) { WriteBatch(c.batches, c.writer, c.window, kind); }

// The record's numbers, each read from its text only when a rule needs it: a forward runs through
// every record of the file, and most records need none of them.
class RecordNumbers {
 public:
  explicit RecordNumbers(const ForwardContext& c) : c_(c) {}
  double Time() { return Get(time_, c_.record.tickTime); }
  double From() {
    if (!from_) from_ = NumericValue(c_.station.forwardFromTime);
    return *from_;
  }
  bool SameDay() { return Get(date_, c_.record.tickDate) == c_.previousDate; }
  bool AtFromTime() { return Time() == From(); }

 private:
  static double Get(std::optional<double>& cached, std::string_view text) {
    if (!cached) cached = NumericValue(text);
    return *cached;
  }
  const ForwardContext& c_;
  std::optional<double> time_, from_, date_;
};

// A record at the from-time that opens an empty batch stands alone, without the leading ",";
// every other record is added after a ",". Nothing already pending is ever replaced.
void Append(ForwardBatches& batches, const TickRecord& record, RecordNumbers& numbers) {
  if (!Pending(batches) && numbers.AtFromTime()) {
    batches.dateList = record.tickDate;
    batches.timeList = record.tickTime;
    batches.priceList = record.tickPrice;
    return;
  }
  batches.dateList += ',';
  batches.dateList += record.tickDate;
  batches.timeList += ',';
  batches.timeList += record.tickTime;
  batches.priceList += ',';
  batches.priceList += record.tickPrice;
}

}  // namespace

RecordFate ForwardStep(ForwardContext& c) {
  StationState& station = c.station;
  ForwardBatches& batches = c.batches;
  RecordNumbers numbers(c);
  const bool sierra = station.Sierra();
  const double to = station.forwardToTime.Number();
  // A target equal to 0 is no forward at all: a record with a negative time must not be taken
  // into a batch while the replay writes it singly too.
  bool minutesRunning = to != 0;
  bool inFinalTicksBatch = false;

  if (sierra && minutesRunning && numbers.Time() < to && numbers.SameDay()) {
    if (batches.minutesBatchCount > kMinutesBatchLimit) WriteBatch(c, BatchKind::Minutes);
    Append(batches, c.record, numbers);
    batches.minutesBatchCount += 1;
  } else if (sierra && minutesRunning && batches.minutesBatchCount > 0 && numbers.Time() >= numbers.From() &&
             numbers.SameDay()) {
    // The record that reaches the target closes the pending batch; it is not shown, and the
    // forward ends with the next record that is not skipped.
    Append(batches, c.record, numbers);
    batches.minutesBatchCount += 1;
    WriteBatch(c, BatchKind::Minutes);
  } else {
    // The pending records (of the previous day, or of this day after a day change below the
    // from-time) precede the record in hand, which the replay now writes singly.
    if (sierra && batches.minutesBatchCount > 0) WriteBatch(c, BatchKind::Minutes);
    if (minutesRunning) {
      station.forwardToTime = WriterValue::FromText(L"0");
      minutesRunning = false;
    }
  }

  if (station.forwardTicks >= 1 && sierra && !minutesRunning) {
    Append(batches, c.record, numbers);
    station.forwardTicks -= 1;
    batches.ticksBatchCount += 1;
    inFinalTicksBatch = station.forwardTicks < 1;
    if (batches.ticksBatchCount >= kTicksBatchSize || inFinalTicksBatch) WriteBatch(c, BatchKind::Ticks);
    if (inFinalTicksBatch) {
      station.forwardTicks = 0;
      EnableForwardButtons(c.window);
    }
  }

  // A forward cut short by a command (a count of 0, a refused count, a target of 0) may leave
  // records pending while the replay is about to write this one singly.
  if (sierra && !inFinalTicksBatch && Pending(batches) && station.forwardTicks == 0 && !minutesRunning)
    WriteBatch(c, BatchKind::Both);

  if (!station.NoForward()) return RecordFate::Skipped;
  return sierra && !inFinalTicksBatch ? RecordFate::WriteAndShow : RecordFate::ShowOnly;
}

void FinishForwards(const StationState& station, ForwardBatches& batches, ReplayChartWriter& writer,
                    ReplayWindow& window) {
  if (station.Sierra() && Pending(batches)) WriteBatch(batches, writer, window, BatchKind::Both);
}

std::wstring StripChar(std::wstring_view text, std::wstring_view ch) {
  if (ch.size() != 1) return std::wstring(text);
  std::wstring result;
  result.reserve(text.size());
  for (wchar_t character : text)
    if (character != ch[0]) result += character;
  return result;
}

}  // namespace tickvane
