// Speed of a fast-forward in "sierra" mode: a whole file skipped by a forward by ticks, and by a
// forward by minutes, through the real replay loop and ForwardStep with a writer that only counts
// its calls. Next to it, the floor measured in the same run: reading and cutting the same lines
// and handing the window its events once per line, with no other work.
//
//   bench_forward [records]
//
// The text is built in memory (1,000,000 records of one day, several per second, unless told);
// each way runs several times and the best time is printed.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

#include "station/engine/replay_loop.h"
#include "station/engine/tick_file_reader.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace tickvane;

class NullWindow final : public ReplayWindow {
 public:
  void SetLastText(std::string_view text) override { shown += text.size(); }
  void SetTimeText(std::string_view) override {}
  std::wstring SpeedText() override { return L"2"; }
  void SetSpeedText(std::wstring_view) override {}
  std::wstring ChartFileName() override { return L"dji.mnd"; }
  void SetButtonEnabled(ReplayButton, bool) override {}
  void ShowNotice(std::wstring_view) override {}
  void CheckSpeed() override {}
  void WaitAfterRecord(std::uint32_t) override {}
  void Wait(std::uint32_t) override {}
  // The user's click on "Forward mins" arrives with the first hand-over.
  void ProcessEvents() override {
    ++events;
    if (events == 1 && onFirstEvents) onFirstEvents();
  }
  bool Closed() override { return false; }

  std::size_t shown = 0;
  std::size_t events = 0;
  std::function<void()> onFirstEvents;
};

struct Counts {
  std::size_t batchCalls = 0;
  std::size_t batchBytes = 0;
  std::size_t singleCalls = 0;
};

class CountingWriter final : public ChartWriter {
 public:
  explicit CountingWriter(Counts& counts) : counts_(counts) {}
  WriterResult writing_header(std::wstring_view) override { return Ok(); }
  WriterResult writing_data(std::string_view, std::string_view, std::string_view, std::wstring_view) override {
    ++counts_.singleCalls;
    return Ok();
  }
  WriterResult writing_data_forward(std::string_view dates, std::string_view prices, std::string_view times,
                                    std::wstring_view) override {
    ++counts_.batchCalls;
    counts_.batchBytes += dates.size() + prices.size() + times.size();
    return Ok();
  }
  WriterResult add_time(std::wstring_view, std::wstring_view) override { return Ok(); }
  std::wstring WriterStateText() const override { return L"1"; }

 private:
  static WriterResult Ok() { return {true, {}, {}}; }
  Counts& counts_;
};

class CountingFactory final : public ChartWriterFactory {
 public:
  explicit CountingFactory(Counts& counts) : counts_(counts) {}
  WriterCreation Create() override { return {std::make_unique<CountingWriter>(counts_), {}}; }
  std::wstring ComponentName() const override { return L"zavovq"; }

 private:
  Counts& counts_;
};

// One trading day from 9:30:00, about four records a second; the day never reaches 24:00:00.
std::string DayFile(long records) {
  std::string text = "IBM\r\nSymbol,Date,Time,Price,Volume\r\n1000000\r\n";
  text.reserve(text.size() + static_cast<std::size_t>(records) * 36);
  unsigned seed = 12345;
  long cents = 18250;
  for (long i = 0; i < records; ++i) {
    seed = seed * 1103515245u + 12345u;
    cents += static_cast<long>((seed >> 16) % 7) - 3;
    const long second = 9 * 3600 + 30 * 60 + i / 4 % (14 * 3600);
    char line[96];
    const int n = std::snprintf(line, sizeof line, "IBM,20131008,%ld,%ld.%02ld,%u\r\n",
                                second / 3600 * 10000 + second / 60 % 60 * 100 + second % 60, cents / 100,
                                cents % 100, 100 + (seed >> 20) % 900);
    text.append(line, static_cast<std::size_t>(n));
  }
  return text;
}

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

double Floor(const std::string& text, long& records) {
  NullWindow window;
  ReplayWindow& events = window;
  const auto start = Clock::now();
  MemoryByteSource source(text);
  TickFileReader reader(source);
  records = 0;
  std::size_t bytes = 0;
  while (!reader.AtEnd()) {
    const LineResult line = reader.ReadLine();
    if (line.kind != LineKind::Record) continue;
    ++records;
    bytes += line.record.tickPrice.size() + line.record.tickTime.size();
    events.ProcessEvents();
  }
  const double seconds = Seconds(Clock::now() - start);
  if (bytes == 0 || window.events == 0) std::puts("");  // keeps the work in use
  return seconds;
}

enum class Way { Ticks, Minutes };

double Forward(const std::string& text, long records, Way way, Counts& counts) {
  NullWindow window;
  counts = {};
  CountingFactory factory(counts);
  StationState station;
  station.commandArgs = {L"Tickvane", L"sierra"};
  station.mode = StationMode::Sierra;
  if (way == Way::Ticks) {
    station.forwardTicks = static_cast<double>(records);  // asked before Start: the whole file
  } else {
    // Asked while the first record is shown: to the end of its day.
    window.onFirstEvents = [&station] {
      station.forwardFromTime = L"93000";
      station.forwardMinutes = L"900";
      station.forwardToTime = WriterValue::FromText(L"240000");
    };
  }
  const auto start = Clock::now();
  RunReplay(window, station, factory,
            [&] { return PlaybackFileOpening{std::make_unique<MemoryPlaybackSource>(text), {}}; });
  return Seconds(Clock::now() - start);
}

}  // namespace

int main(int argc, char** argv) {
  const long records = argc > 1 ? std::atol(argv[1]) : 1000000;
  if (records <= 1) {
    std::fprintf(stderr, "usage: bench_forward [records, 2 or more]\n");
    return 2;
  }
  const std::string text = DayFile(records);
  constexpr int kRuns = 5;
  double floor = 1e9, ticks = 1e9, minutes = 1e9;
  long counted = 0;
  Counts ticksCounts, minutesCounts;
  for (int run = 0; run < kRuns; ++run) {
    floor = std::min(floor, Floor(text, counted));
    ticks = std::min(ticks, Forward(text, records, Way::Ticks, ticksCounts));
    minutes = std::min(minutes, Forward(text, records, Way::Minutes, minutesCounts));
  }
  if (counted != records) {
    std::fprintf(stderr, "the reader found %ld records, not %ld\n", counted, records);
    return 1;
  }
  std::printf("records: %ld of one day, %.1f MB in memory; best of %d runs\n", records,
              static_cast<double>(text.size()) / 1e6, kRuns);
  std::printf("%-38s %8.3f s  %12.0f records/s\n", "floor (read, cut, events per line)", floor, records / floor);
  std::printf("%-38s %8.3f s  %12.0f records/s  %5.1f%% of the floor\n", "forward by ticks, whole file", ticks,
              records / ticks, 100 * floor / ticks);
  std::printf("%-38s   writer calls: %zu batches (expected %ld of 100), %zu single\n", "", ticksCounts.batchCalls,
              (records + 99) / 100, ticksCounts.singleCalls);
  std::printf("%-38s %8.3f s  %12.0f records/s  %5.1f%% of the floor\n", "forward by minutes, rest of the day",
              minutes, records / minutes, 100 * floor / minutes);
  std::printf("%-38s   writer calls: %zu batches (expected %ld of 101), %zu single\n", "",
              minutesCounts.batchCalls, (records - 1 + 100) / 101, minutesCounts.singleCalls);
  return 0;
}
