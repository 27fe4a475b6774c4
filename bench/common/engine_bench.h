// What the engine benchmarks share: tick-file text built in memory, the reader's pass over it as
// the floor to compare with, and a window and writer that cost nothing, so that only the
// engine's own work is measured.
#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <string>

#include "station/engine/replay_loop.h"

namespace tickvane::bench {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration d);

// The record count of the command line (1,000,000 unless told); 0 after printing `usage` when it
// is less than `least`.
long RecordCount(int argc, char** argv, long least, const char* usage);

// Whether the reader found every record built into the text; says so on stderr when not.
bool AllRecordsRead(long counted, long records);

// A tick file of `records` IBM trades on 2013-10-08, the price walking from 182.50 by a few cents;
// record i carries the time timeOf(i) (hhmmss).
std::string TickFileText(long records, const std::function<long(long record)>& timeOf);

// Reads and cuts every line of `text`, as the replay loop does, and counts the records. With a
// window, hands it its events once per record too. Returns the seconds taken.
double ReadAndCut(const std::string& text, long& records, ReplayWindow* events = nullptr);

// The window's half of a record costs nothing; the shown texts are only counted so that they are
// not optimised away.
class NullWindow final : public ReplayWindow {
 public:
  void SetLastText(std::string_view text) override { shown += text.size(); }
  void SetTimeText(std::string_view text) override { shown += text.size(); }
  std::wstring SpeedText() override { return L"2"; }
  void SetSpeedText(std::wstring_view) override {}
  // Short enough to stay inside std::wstring on every platform (3 characters with Linux's 4-byte
  // wchar_t, 7 on Windows), so that a heap copy per record that Windows never makes is not timed.
  std::wstring ChartFileName() override { return L"dji"; }
  void SetButtonEnabled(ReplayButton, bool) override {}
  void ShowNotice(std::wstring_view) override {}
  void CheckSpeed() override {}
  // A real clock, since the station reads one for every shown record; the waits end at once.
  double NowMs() override {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
  }
  void WaitAfterRecordUntil(double dueMs) override { lastDue = dueMs; }
  std::uint64_t MessageBoxesOpened() override { return 0; }
  void ShowStatus(const ReplayStatus& status) override { statusRecords = status.records; }
  void Wait(std::uint32_t) override {}
  // A user's click (onFirstEvents) arrives with the first hand-over.
  void ProcessEvents() override {
    ++events;
    if (events == 1 && onFirstEvents) onFirstEvents();
  }
  bool Closed() override { return false; }

  std::size_t shown = 0;
  double lastDue = 0;
  std::uint64_t statusRecords = 0;
  std::size_t events = 0;
  std::function<void()> onFirstEvents;
};

struct WriterCounts {
  std::size_t batchCalls = 0;
  std::size_t batchBytes = 0;
  std::size_t singleCalls = 0;
};

// Hands out writers that accept every call and only count them.
class CountingWriterFactory final : public ChartWriterFactory {
 public:
  explicit CountingWriterFactory(WriterCounts& counts) : counts_(counts) {}
  WriterCreation Create() override;
  std::wstring ComponentName() const override { return L"zavovq"; }

 private:
  WriterCounts& counts_;
};

// Replays `text` from memory through the real loop in the given mode. Returns the seconds taken.
double ReplayFromMemory(const std::string& text, StationMode mode, ReplayWindow& window, StationState& station,
                        ChartWriterFactory& factory);

}  // namespace tickvane::bench
