// A replay with the real fast-forward step and commands, a fake window, and the fake chart-file
// writer, which keeps every record it is given, singly or in a batch, so a test can compare the
// chart with the file. Commands are scripted like user clicks: they run during a given event
// hand-over.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "station/engine/forward_commands.h"
#include "station/engine/forward_step.h"
#include "tests/native/replay_test_fakes.h"

namespace tickvane::forward_test {

using replay_test::CallLog;
using replay_test::ChartLog;
using replay_test::ChartTick;
using replay_test::FakeWindow;
using replay_test::FakeWriterFactory;
using replay_test::WriterScript;

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
  void ShowNotice(std::wstring_view text) override { window_.ShowNotice(text); }

  std::wstring tick = L"1000";
  std::wstring forMin = L"9";

 private:
  FakeWindow& window_;
};

struct ForwardRig {
  explicit ForwardRig(const std::string& mode = "sierra") : station(replay_test::StateFor(mode)) {}
  void Run() {
    RunReplay(window, station, factory, [this] {
      PlaybackFileOpening opening;
      opening.source = std::make_unique<MemoryPlaybackSource>(file);
      return opening;
    });
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
  WriterScript script;
  ChartLog& chart = script.chart;
  FakeWriterFactory factory{log, script};
  StationState station;
  std::string file = replay_test::TickFile({});
};

}  // namespace tickvane::forward_test
