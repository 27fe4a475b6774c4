// A station window that writes down every call the replay makes into the shared log (beside the
// fake chart-file writer's), instead of showing, waiting or handling events.
#pragma once

#include <cmath>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "station/engine/numeric_value.h"
#include "station/engine/replay_loop.h"
#include "station/window/command_line.h"
#include "tests/native/call_log.h"
#include "tests/native/fake_writer.h"

namespace tickvane::replay_test {

inline const char* ButtonName(ReplayButton button) {
  switch (button) {
    case ReplayButton::cbStartFastSend: return "cbStartFastSend";
    case ReplayButton::Forward: return "Forward";
    case ReplayButton::for_mins: return "for_mins";
  }
  return "?";
}

// "500", "333.333": a length in milliseconds to the thousandth, without trailing zeros.
inline std::string Milliseconds(double ms) {
  std::string text = std::to_string(std::llround(ms * 1000) / 1000) ;
  const long long thousandths = std::llround(ms * 1000) % 1000;
  if (thousandths == 0) return text;
  std::string fraction = std::to_string(1000 + thousandths).substr(1);
  while (fraction.back() == '0') fraction.pop_back();
  return text + "." + fraction;
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
  std::wstring SpeedText() override {
    log_.Add("SpeedText", "SpeedText");
    return Wide(speed);
  }
  void SetSpeedText(std::wstring_view text) override {
    speed = Narrow(text);
    log_.Add("speed", "speed=" + speed);
  }
  std::wstring ChartFileName() override {
    log_.Add("ChartFileName", "ChartFileName");
    return Wide(chartFileName);
  }
  void SetButtonEnabled(ReplayButton button, bool on) override {
    enabled[button] = on;
    log_.Add(on ? "Enable" : "Disable", std::string(on ? "Enable(" : "Disable(") + ButtonName(button) + ")");
  }
  void ShowNotice(std::wstring_view text) override {
    ++boxes;
    log_.Add("Notice", "Notice(" + Narrow(text) + ")");
  }
  // The window's own check: a negative speed is reported and replaced by "2". Switched off, it
  // stands for a check whose message is already open and so does nothing.
  void CheckSpeed() override {
    log_.Add("CheckSpeed", "CheckSpeed");
    if (checkSpeedActs && NumericValue(speed) < 0) {
      ++boxes;
      log_.Add("Notice", "Notice(Wrong input of playback speed.)");
      speed = "2";
    }
  }
  // The clock moves only when told: by the waits, and by scripted costs (log.At) that stand for
  // the time the station spends on a record.
  double NowMs() override { return now; }
  // Logged as the length of the wait, "WaitAfterRecord(333.333)"; the clock then stands at the due
  // time, or where it was when that has passed.
  void WaitAfterRecordUntil(double dueMs) override {
    dues.push_back(dueMs);
    const double length = dueMs > now ? dueMs - now : 0;
    if (dueMs > now) now = dueMs;
    log_.Add("WaitAfterRecord", "WaitAfterRecord(" + Milliseconds(length) + ")");
  }
  void Wait(std::uint32_t ms) override {
    now += ms;
    log_.Add("Wait", "Wait(" + std::to_string(ms) + ")");
  }
  std::uint64_t MessageBoxesOpened() override { return boxes; }
  void ShowStatus(const ReplayStatus& status) override { statuses.push_back(status); }
  void ProcessEvents() override { log_.Add("ProcessEvents", "ProcessEvents"); }
  bool Closed() override { return closed; }

  std::string last = "last";
  std::string time = "time";
  std::string speed = "2";
  std::string chartFileName = "dji.mnd";
  bool checkSpeedActs = true;
  bool closed = false;
  double now = 0;
  std::uint64_t boxes = 0;
  std::vector<double> dues;
  std::vector<ReplayStatus> statuses;
  std::map<ReplayButton, bool> enabled{
      {ReplayButton::cbStartFastSend, true}, {ReplayButton::Forward, false}, {ReplayButton::for_mins, false}};

 private:
  CallLog& log_;
};

// A playback file: three header lines, then the given lines, each ended by CR LF.
inline std::string TickFile(const std::vector<std::string>& records) {
  std::string text = "IBM\r\nSymbol,Date,Time,Price\r\n3\r\n";
  for (const std::string& record : records) text += record + "\r\n";
  return text;
}

// A playback file of IBM records of one day at the given hhmmss times, all at one price.
inline std::string TimedTickFile(const std::vector<std::string>& times) {
  std::vector<std::string> records;
  for (const std::string& time : times) records.push_back("IBM,20131008," + time + ",182.5");
  return TickFile(records);
}

// The station state of a process started with this mode word, as start-up leaves it.
inline StationState StateFor(const std::string& modeWord) {
  StationState station;
  station.commandArgs = {L"", Wide(modeWord)};
  station.mode = ModeOf(station.commandArgs);
  return station;
}

// Everything one replay needs, faked; the file is read from memory.
struct ReplayRig {
  explicit ReplayRig(const std::string& mode = "sierra") : station(StateFor(mode)) {}

  void Run() {
    RunReplay(window, station, factory, [this] { return Open(); });
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
  std::wstring openError;
  std::wstring readFailure;
  std::size_t failAfter = 0;
};

}  // namespace tickvane::replay_test
