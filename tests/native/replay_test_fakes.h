// A station window and a chart-file writer that write down every call the replay makes, in one
// log, instead of showing, writing or sleeping. Scripted actions stand in for the user: they run
// when a given call is made for the n-th time (a Pause click during the 3rd event hand-over, a
// speed typed during a wait, a forward requested while a message is open).
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "station/engine/chart_writer.h"
#include "station/engine/numeric_value.h"
#include "station/engine/replay_loop.h"

namespace tickvane::replay_test {

class CallLog {
 public:
  // A replay that never ends (a wait that misses its exit) stops the test instead of hanging it.
  static constexpr std::size_t kLimit = 200000;

  // `kind` is what scripted actions are keyed on, `entry` what the log keeps.
  void Add(const std::string& kind, std::string entry) {
    if (calls.size() >= kLimit) throw std::runtime_error("the replay does not end: " + calls.back());
    calls.push_back(std::move(entry));
    const int n = ++counts_[kind];
    auto found = actions_.find({kind, n});
    if (found != actions_.end()) {
      auto action = std::move(found->second);
      actions_.erase(found);
      action();
    }
  }
  void At(const std::string& kind, int n, std::function<void()> action) { actions_[{kind, n}] = std::move(action); }
  int Count(const std::string& kind) const {
    auto found = counts_.find(kind);
    return found == counts_.end() ? 0 : found->second;
  }
  // The entries that start with one of the prefixes, in order.
  std::vector<std::string> Only(std::initializer_list<std::string_view> prefixes) const {
    std::vector<std::string> kept;
    for (const std::string& call : calls)
      for (std::string_view prefix : prefixes)
        if (std::string_view(call).substr(0, prefix.size()) == prefix) {
          kept.push_back(call);
          break;
        }
    return kept;
  }

  std::vector<std::string> calls;

 private:
  std::map<std::string, int> counts_;
  std::map<std::pair<std::string, int>, std::function<void()>> actions_;
};

inline const char* ButtonName(ReplayButton button) {
  switch (button) {
    case ReplayButton::cbStartFastSend: return "cbStartFastSend";
    case ReplayButton::Forward: return "Forward";
    case ReplayButton::for_mins: return "for_mins";
  }
  return "?";
}

class FakeWindow final : public ReplayWindow {
 public:
  explicit FakeWindow(CallLog& log) : log_(log) {}

  void SetLastText(std::string_view text) override {
    last = text;
    log_.Add("last", "last=" + last);
  }
  void SetTimeText(std::string_view text) override {
    time = text;
    log_.Add("time", "time=" + time);
  }
  std::string SpeedText() override {
    log_.Add("SpeedText", "SpeedText");
    return speed;
  }
  void SetSpeedText(std::string_view text) override {
    speed = text;
    log_.Add("speed", "speed=" + speed);
  }
  std::string ChartFileName() override {
    log_.Add("ChartFileName", "ChartFileName");
    return chartFileName;
  }
  void SetButtonEnabled(ReplayButton button, bool on) override {
    enabled[button] = on;
    log_.Add(on ? "Enable" : "Disable", std::string(on ? "Enable(" : "Disable(") + ButtonName(button) + ")");
  }
  void ShowNotice(std::string_view text) override { log_.Add("Notice", "Notice(" + std::string(text) + ")"); }
  // The window's own check: a negative speed is reported and replaced by "2". Switched off, it
  // stands for a check whose message is already open and so does nothing.
  void CheckSpeed() override {
    log_.Add("CheckSpeed", "CheckSpeed");
    if (checkSpeedActs && NumericValue(speed) < 0) {
      log_.Add("Notice", "Notice(Wrong input of playback speed.)");
      speed = "2";
    }
  }
  void WaitAfterRecord(std::uint32_t ms) override {
    log_.Add("WaitAfterRecord", "WaitAfterRecord(" + std::to_string(ms) + ")");
  }
  void Wait(std::uint32_t ms) override { log_.Add("Wait", "Wait(" + std::to_string(ms) + ")"); }
  void ProcessEvents() override { log_.Add("ProcessEvents", "ProcessEvents"); }
  bool Closed() override { return closed; }

  std::string last = "last";
  std::string time = "time";
  std::string speed = "2";
  std::string chartFileName = "dji.mnd";
  bool checkSpeedActs = true;
  bool closed = false;
  std::map<ReplayButton, bool> enabled{
      {ReplayButton::cbStartFastSend, true}, {ReplayButton::Forward, false}, {ReplayButton::for_mins, false}};

 private:
  CallLog& log_;
};

// Each successful call returns "s1", "s2", ... so the log shows which result went into which call.
struct WriterScript {
  std::string failing;  // the method that fails
  int failingCall = 1;  // at its n-th call
  int created = 0;
  int results = 0;
  std::map<std::string, int> calls;
};

class FakeWriter final : public ChartWriter {
 public:
  FakeWriter(CallLog& log, WriterScript& script) : log_(log), script_(script) {}
  WriterResult writing_header(std::string_view name) override { return Answer("writing_header", {name}); }
  WriterResult writing_data(std::string_view d, std::string_view p, std::string_view t, const WriterValue& s,
                            std::string_view name) override {
    return Answer("writing_data", {d, p, t, s.Text(), name});
  }
  WriterResult writing_data_forward(std::string_view d, std::string_view p, std::string_view t, const WriterValue& s,
                                    std::string_view name) override {
    return Answer("writing_data_forward", {d, p, t, s.Text(), name});
  }
  WriterResult add_time(std::string_view from, std::string_view minutes) override {
    return Answer("add_time", {from, minutes});
  }

 private:
  WriterResult Answer(const std::string& method, std::vector<std::string_view> args) {
    std::string entry = method + "(";
    for (std::size_t i = 0; i < args.size(); ++i) entry += (i ? "," : "") + std::string(args[i]);
    log_.Add(method, entry + ")");
    WriterResult result;
    if (method == script_.failing && ++script_.calls[method] == script_.failingCall) {
      result.error = "disk full";
      return result;
    }
    result.ok = true;
    result.value = WriterValue::FromText("s" + std::to_string(++script_.results));
    return result;
  }
  CallLog& log_;
  WriterScript& script_;
};

class FakeWriterFactory final : public ChartWriterFactory {
 public:
  FakeWriterFactory(CallLog& log, WriterScript& script) : log_(log), script_(script) {}
  WriterCreation Create() override {
    WriterCreation creation;
    if (!available) {
      creation.error = "the ProgID \"zavovq\" is not registered";
      return creation;
    }
    ++script_.created;
    creation.writer = std::make_unique<FakeWriter>(log_, script_);
    return creation;
  }
  std::string ComponentName() const override { return "zavovq"; }

  bool available = true;

 private:
  CallLog& log_;
  WriterScript& script_;
};

// A playback file: three header lines, then the given lines, each ended by CR LF.
inline std::string TickFile(const std::vector<std::string>& records) {
  std::string text = "IBM\r\nSymbol,Date,Time,Price\r\n3\r\n";
  for (const std::string& record : records) text += record + "\r\n";
  return text;
}

// Everything one replay needs, faked; the file is read from memory.
struct ReplayRig {
  explicit ReplayRig(std::string mode = "sierra") { station.commandArgs = {L"Tickvane", std::wstring(mode.begin(), mode.end())}; }

  void Run(const ForwardStepHook& forwardStep = {}) {
    RunReplay(window, station, factory, [this] { return Open(); }, forwardStep);
  }
  PlaybackFileOpening Open() {
    PlaybackFileOpening opening;
    if (!openError.empty()) {
      opening.error = openError;
    } else if (!readFailure.empty()) {
      opening.source = std::make_unique<MemoryPlaybackSource>(file, failAfter, readFailure);
    } else {
      opening.source = std::make_unique<MemoryPlaybackSource>(file);
    }
    return opening;
  }

  CallLog log;
  FakeWindow window{log};
  WriterScript script;
  FakeWriterFactory factory{log, script};
  StationState station;
  std::string file = TickFile({});
  std::string openError;
  std::string readFailure;
  std::size_t failAfter = 0;
};

}  // namespace tickvane::replay_test
