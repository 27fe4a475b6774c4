// Speed of the replay engine itself: a file of records that all carry the same time (so no record
// waits) replayed through a window that does nothing, next to the reader alone cutting the same
// text. What is left between the two is the loop's own cost per record: the speed box read, the
// time mask, the pacing arithmetic and the calls into the window.
//
//   bench_replay [records]
//
// The text is built in memory (1,000,000 records unless told); each way runs several times and
// the best time is printed.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "station/engine/replay_loop.h"
#include "station/engine/tick_file_reader.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace tickvane;

// The window's half of a record costs nothing here; only what the engine does is measured.
class NullWindow final : public ReplayWindow {
 public:
  void SetLastText(std::string_view text) override { shown += text.size(); }
  void SetTimeText(std::string_view text) override { shown += text.size(); }
  std::wstring SpeedText() override { return L"2"; }
  void SetSpeedText(std::wstring_view) override {}
  std::wstring ChartFileName() override { return L"dji.mnd"; }
  void SetButtonEnabled(ReplayButton, bool) override {}
  void ShowNotice(std::wstring_view) override {}
  void CheckSpeed() override {}
  void WaitAfterRecord(std::uint32_t ms) override { waited += ms; }
  void Wait(std::uint32_t) override {}
  void ProcessEvents() override {}
  bool Closed() override { return false; }

  std::size_t shown = 0;
  std::uint64_t waited = 0;
};

class NullWriter final : public ChartWriter {
 public:
  WriterResult writing_header(std::wstring_view) override { return Ok(); }
  WriterResult writing_data(std::string_view, std::string_view, std::string_view, std::wstring_view) override {
    return Ok();
  }
  WriterResult writing_data_forward(std::string_view, std::string_view, std::string_view, std::wstring_view) override {
    return Ok();
  }
  WriterResult add_time(std::wstring_view, std::wstring_view) override { return Ok(); }
  std::wstring WriterStateText() const override { return L"1"; }

 private:
  static WriterResult Ok() { return {true, {}, {}}; }
};

class NullWriterFactory final : public ChartWriterFactory {
 public:
  WriterCreation Create() override { return {std::make_unique<NullWriter>(), {}}; }
  std::wstring ComponentName() const override { return L"zavovq"; }
};

std::string EqualTimeFile(long records) {
  std::string text = "IBM\r\nSymbol,Date,Time,Price,Volume\r\n1000000\r\n";
  text.reserve(text.size() + static_cast<std::size_t>(records) * 36);
  unsigned seed = 12345;
  long cents = 18250;
  for (long i = 0; i < records; ++i) {
    seed = seed * 1103515245u + 12345u;
    cents += static_cast<long>((seed >> 16) % 7) - 3;
    char line[96];
    const int n = std::snprintf(line, sizeof line, "IBM,20131008,93000,%ld.%02ld,%u\r\n", cents / 100, cents % 100,
                                100 + (seed >> 20) % 900);
    text.append(line, static_cast<std::size_t>(n));
  }
  return text;
}

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

double ReaderAlone(const std::string& text, long& records) {
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
  }
  const double seconds = Seconds(Clock::now() - start);
  if (bytes == 0) std::puts("");  // keeps the fields in use
  return seconds;
}

double Replay(const std::string& text, bool sierra, std::size_t& shown) {
  NullWindow window;
  NullWriterFactory factory;
  StationState station;
  station.commandArgs = {L"Tickvane", sierra ? L"sierra" : L"ddeonly"};
  station.mode = sierra ? StationMode::Sierra : StationMode::DdeOnly;
  const auto start = Clock::now();
  RunReplay(window, station, factory, [&] {
    return PlaybackFileOpening{std::make_unique<MemoryPlaybackSource>(text), {}};
  });
  const double seconds = Seconds(Clock::now() - start);
  shown = window.shown;
  return seconds;
}

}  // namespace

int main(int argc, char** argv) {
  const long records = argc > 1 ? std::atol(argv[1]) : 1000000;
  if (records <= 0) {
    std::fprintf(stderr, "usage: bench_replay [records]\n");
    return 2;
  }
  const std::string text = EqualTimeFile(records);
  constexpr int kRuns = 5;
  double reader = 1e9, ddeOnly = 1e9, sierra = 1e9;
  long counted = 0;
  std::size_t shown = 0;
  for (int run = 0; run < kRuns; ++run) {
    reader = std::min(reader, ReaderAlone(text, counted));
    ddeOnly = std::min(ddeOnly, Replay(text, false, shown));
    sierra = std::min(sierra, Replay(text, true, shown));
  }
  if (counted != records) {
    std::fprintf(stderr, "the reader found %ld records, not %ld\n", counted, records);
    return 1;
  }
  std::printf("records: %ld, same time each (no waits), %.1f MB in memory; best of %d runs\n", records,
              static_cast<double>(text.size()) / 1e6, kRuns);
  std::printf("%-34s %8.3f s  %12.0f records/s\n", "reader alone (read and cut)", reader, records / reader);
  std::printf("%-34s %8.3f s  %12.0f records/s  (%.0f ns per record over the reader)\n",
              "replay, DDE-only, null window", ddeOnly, records / ddeOnly, (ddeOnly - reader) / records * 1e9);
  std::printf("%-34s %8.3f s  %12.0f records/s  (%.0f ns per record over the reader)\n",
              "replay, sierra, null writer", sierra, records / sierra, (sierra - reader) / records * 1e9);
  return 0;
}
