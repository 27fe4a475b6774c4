// The one chart-file writer of the native tests: it writes every call into the shared CallLog,
// keeps what the chart would hold (ticks written singly or in batches), fails where a script says,
// and keeps writerState as the component's caller does. Each successful writing call returns
// "s1", "s2", ..., so the log shows which result went into which call; add_time adds the minutes to
// an hhmmss time as the component does within a day.
#pragma once

#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "station/engine/chart_writer.h"
#include "station/engine/numeric_value.h"
#include "tests/native/call_log.h"

namespace tickvane::replay_test {

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

// What the chart file holds after the calls, in call order. `calls` keeps each writing call
// compactly: "D:price" for a single write, "B:" and the price list for a batch.
struct ChartLog {
  std::vector<ChartTick> ticks;
  std::vector<std::string> calls;
  std::vector<std::size_t> batchSizes;
  std::vector<std::string> addTimes;
  bool listsMisaligned = false;
};

// What the instances of one factory share: the script they follow and what they did.
struct WriterScript {
  std::string failing;  // the method that fails
  int failingCall = 1;  // at its n-th call
  bool available = true;  // false: the component cannot be created
  int created = 0;
  int results = 0;
  std::map<std::string, int> calls;
  ChartLog chart;
};

class FakeWriter final : public ChartWriter {
 public:
  FakeWriter(CallLog& log, WriterScript& script) : log_(log), script_(script) {}

  WriterResult writing_header(std::wstring_view name) override {
    return Answer("writing_header", {Narrow(name)}, true);
  }
  WriterResult writing_data(std::string_view d, std::string_view p, std::string_view t,
                            std::wstring_view name) override {
    WriterResult r = Answer("writing_data", {std::string(d), std::string(p), std::string(t), state_, Narrow(name)}, true);
    if (r.ok) {
      script_.chart.ticks.push_back({std::string(d), std::string(t), std::string(p)});
      script_.chart.calls.push_back("D:" + std::string(p));
    }
    return r;
  }
  // Like the component: positions where all three elements are empty are no tick.
  WriterResult writing_data_forward(std::string_view d, std::string_view p, std::string_view t,
                                    std::wstring_view name) override {
    WriterResult r =
        Answer("writing_data_forward", {std::string(d), std::string(p), std::string(t), state_, Narrow(name)}, true);
    if (!r.ok) return r;
    auto dates = SplitList(std::string(d)), prices = SplitList(std::string(p)), times = SplitList(std::string(t));
    if (dates.size() != prices.size() || dates.size() != times.size()) script_.chart.listsMisaligned = true;
    std::size_t n = 0;
    for (std::size_t i = 0; i < dates.size() && i < prices.size() && i < times.size(); ++i) {
      if (dates[i].empty() && prices[i].empty() && times[i].empty()) continue;
      script_.chart.ticks.push_back({dates[i], times[i], prices[i]});
      ++n;
    }
    script_.chart.calls.push_back("B:" + std::string(p));
    script_.chart.batchSizes.push_back(n);
    return r;
  }
  WriterResult add_time(std::wstring_view from, std::wstring_view minutes) override {
    script_.chart.addTimes.push_back(Narrow(from) + "+" + Narrow(minutes));
    WriterResult r = Answer("add_time", {Narrow(from), Narrow(minutes)}, false);
    if (!r.ok) return r;
    const long t = static_cast<long>(NumericValue(from));
    const long m = static_cast<long>(NumericValue(minutes));
    const long total = (t / 10000) * 60 + (t / 100) % 100 + m;
    r.value = WriterValue::FromText(std::to_wstring((total / 60) * 10000 + (total % 60) * 100 + t % 100));
    return r;
  }
  std::wstring WriterStateText() const override { return Wide(state_); }

 private:
  WriterResult Answer(const std::string& method, const std::vector<std::string>& args, bool writing) {
    std::string entry = method + "(";
    for (std::size_t i = 0; i < args.size(); ++i) entry += (i ? "," : "") + args[i];
    log_.Add(method, entry + ")");
    WriterResult result;
    if (method == script_.failing && ++script_.calls[method] == script_.failingCall) {
      result.error = L"disk full";
      return result;
    }
    result.ok = true;
    if (writing) state_ = "s" + std::to_string(++script_.results);
    return result;
  }

  CallLog& log_;
  WriterScript& script_;
  std::string state_;  // writerState: the last successful writing call's result
};

class FakeWriterFactory final : public ChartWriterFactory {
 public:
  FakeWriterFactory(CallLog& log, WriterScript& script) : log_(log), script_(script) {}
  WriterCreation Create() override {
    WriterCreation creation;
    if (!script_.available) {
      creation.error = L"the ProgID \"zavovq\" is not registered";
      return creation;
    }
    ++script_.created;
    creation.writer = std::make_unique<FakeWriter>(log_, script_);
    return creation;
  }
  std::wstring ComponentName() const override { return L"zavovq"; }

 private:
  CallLog& log_;
  WriterScript& script_;
};

}  // namespace tickvane::replay_test
