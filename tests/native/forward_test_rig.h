// A replay with the real fast-forward step and commands, a fake window, and a chart-file writer
// that keeps every record it is given, singly or in a batch, so a test can compare the chart with
// the file. Commands are scripted like user clicks: they run during a given event hand-over.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "station/engine/forward_commands.h"
#include "station/engine/forward_step.h"
#include "tests/native/replay_test_fakes.h"

namespace tickvane::forward_test {

using replay_test::CallLog;
using replay_test::FakeWindow;

// One record as it reached the chart.
struct ChartTick {
  std::string date, time, price;
  friend bool operator==(const ChartTick&, const ChartTick&) = default;
};

// Splits at every ","; "" gives one empty element.
inline std::vector<std::string> SplitList(const std::string& list) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (;;) {
    std::size_t comma = list.find(',', start);
    parts.push_back(list.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
    if (comma == std::string::npos) return parts;
    start = comma + 1;
  }
}

// What the chart file holds after the calls, in call order. `calls` keeps each call compactly:
// "D:price" for a single write, "B:" and the price list for a batch.
struct ChartLog {
  std::vector<ChartTick> ticks;
  std::vector<std::string> calls;
  std::vector<std::size_t> batchSizes;
  std::vector<std::string> addTimes;
  bool listsMisaligned = false;
};

class ChartLogWriter final : public ChartWriter {
 public:
  explicit ChartLogWriter(ChartLog& log) : log_(log) {}
  WriterResult writing_header(std::string_view) override { return Ok("h"); }
  WriterResult writing_data(std::string_view d, std::string_view p, std::string_view t, const WriterValue&,
                            std::string_view) override {
    log_.ticks.push_back({std::string(d), std::string(t), std::string(p)});
    log_.calls.push_back("D:" + std::string(p));
    return Ok("d");
  }
  // Like the component: positions where all three elements are empty are no tick.
  WriterResult writing_data_forward(std::string_view d, std::string_view p, std::string_view t, const WriterValue&,
                                    std::string_view) override {
    auto dates = SplitList(std::string(d)), prices = SplitList(std::string(p)), times = SplitList(std::string(t));
    if (dates.size() != prices.size() || dates.size() != times.size()) log_.listsMisaligned = true;
    std::size_t n = 0;
    for (std::size_t i = 0; i < dates.size() && i < prices.size() && i < times.size(); ++i) {
      if (dates[i].empty() && prices[i].empty() && times[i].empty()) continue;
      log_.ticks.push_back({dates[i], times[i], prices[i]});
      ++n;
    }
    log_.calls.push_back("B:" + std::string(p));
    log_.batchSizes.push_back(n);
    return Ok("f");
  }
  // hhmmss plus whole minutes, carrying into the hour, as the component does within a day.
  WriterResult add_time(std::string_view from, std::string_view minutes) override {
    log_.addTimes.push_back(std::string(from) + "+" + std::string(minutes));
    long t = static_cast<long>(NumericValue(from));
    long m = static_cast<long>(NumericValue(minutes));
    long total = (t / 10000) * 60 + (t / 100) % 100 + m;
    long to = (total / 60) * 10000 + (total % 60) * 100 + t % 100;
    return Ok(std::to_string(to));
  }

 private:
  static WriterResult Ok(std::string value) { return {true, WriterValue::FromText(std::move(value)), {}}; }
  ChartLog& log_;
};

class ChartLogFactory final : public ChartWriterFactory {
 public:
  explicit ChartLogFactory(ChartLog& log) : log_(log) {}
  WriterCreation Create() override {
    ++created;
    return {std::make_unique<ChartLogWriter>(log_), {}};
  }
  std::string ComponentName() const override { return "zavovq"; }
  int created = 0;

 private:
  ChartLog& log_;
};

// The command side of the fake window: the forward boxes, with `time` and the buttons shared
// with the replay's fake window.
class FakeCommandWindow final : public ForwardCommandWindow {
 public:
  explicit FakeCommandWindow(FakeWindow& window) : window_(window) {}
  std::wstring BoxText(ForwardBox box) override {
    if (box == ForwardBox::time) return std::wstring(window_.time.begin(), window_.time.end());
    return box == ForwardBox::tick ? tick : forMin;
  }
  void SetBoxText(ForwardBox box, std::wstring_view text) override {
    (box == ForwardBox::tick ? tick : forMin) = text;
  }
  void SetButtonEnabled(ReplayButton button, bool enabled) override { window_.SetButtonEnabled(button, enabled); }
  void ShowNotice(std::string_view text) override { window_.ShowNotice(text); }

  std::wstring tick = L"1000";
  std::wstring forMin = L"9";

 private:
  FakeWindow& window_;
};

struct ForwardRig {
  explicit ForwardRig(const std::string& mode = "sierra") {
    station.commandArgs = {L"Tickvane", std::wstring(mode.begin(), mode.end())};
  }
  void Run() {
    RunReplay(window, station, factory,
              [this] {
                PlaybackFileOpening opening;
                opening.source = std::make_unique<MemoryPlaybackSource>(file);
                return opening;
              },
              ForwardStep, FinishForwards);
  }
  void Ticks(const std::wstring& text) {
    commands.tick = text;
    ForwardTicksCommand(commands, station, L",");
  }
  void Minutes(const std::wstring& text) {
    commands.forMin = text;
    ForwardMinutesCommand(commands, station, factory, L",");
  }
  // Runs the action during the event hand-over after the n-th record (n = 0: before Start).
  void AfterRecord(int n, std::function<void()> action) {
    if (n == 0) action();
    else log.At("ProcessEvents", n, std::move(action));
  }
  std::vector<std::string> Shown() const {
    std::vector<std::string> shown;
    for (const std::string& call : log.calls)
      if (call.rfind("last=", 0) == 0) shown.push_back(call.substr(5));
    return shown;
  }

  CallLog log;
  FakeWindow window{log};
  FakeCommandWindow commands{window};
  ChartLog chart;
  ChartLogFactory factory{chart};
  StationState station;
  std::string file = replay_test::TickFile({});
};

}  // namespace tickvane::forward_test
