#include "bench/common/engine_bench.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "station/engine/tick_file_reader.h"

namespace tickvane::bench {
namespace {

class CountingWriter final : public ChartWriter {
 public:
  explicit CountingWriter(WriterCounts& counts) : counts_(counts) {}
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
  WriterCounts& counts_;
};

}  // namespace

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

long RecordCount(int argc, char** argv, long least, const char* usage) {
  const long records = argc > 1 ? std::atol(argv[1]) : 1000000;
  if (records >= least) return records;
  std::fprintf(stderr, "usage: %s\n", usage);
  return 0;
}

bool AllRecordsRead(long counted, long records) {
  if (counted == records) return true;
  std::fprintf(stderr, "the reader found %ld records, not %ld\n", counted, records);
  return false;
}

std::string TickFileText(long records, const std::function<long(long record)>& timeOf) {
  std::string text = "IBM\r\nSymbol,Date,Time,Price,Volume\r\n1000000\r\n";
  text.reserve(text.size() + static_cast<std::size_t>(records) * 36);
  unsigned seed = 12345;
  long cents = 18250;
  for (long i = 0; i < records; ++i) {
    seed = seed * 1103515245u + 12345u;
    cents += static_cast<long>((seed >> 16) % 7) - 3;
    char line[96];
    const int n = std::snprintf(line, sizeof line, "IBM,20131008,%ld,%ld.%02ld,%u\r\n", timeOf(i), cents / 100,
                                cents % 100, 100 + (seed >> 20) % 900);
    text.append(line, static_cast<std::size_t>(n));
  }
  return text;
}

double ReadAndCut(const std::string& text, long& records, ReplayWindow* events) {
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
    if (events != nullptr) events->ProcessEvents();
  }
  const double seconds = Seconds(Clock::now() - start);
  if (bytes == 0) std::puts("");  // keeps the fields in use
  return seconds;
}

WriterCreation CountingWriterFactory::Create() { return {std::make_unique<CountingWriter>(counts_), {}}; }

double ReplayFromMemory(const std::string& text, StationMode mode, ReplayWindow& window, StationState& station,
                        ChartWriterFactory& factory) {
  station.commandArgs = {L"Tickvane", mode == StationMode::Sierra ? L"sierra" : L"ddeonly"};
  station.mode = mode;
  const auto start = Clock::now();
  RunReplay(window, station, factory,
            [&] { return PlaybackFileOpening{std::make_unique<MemoryPlaybackSource>(text), {}}; });
  return Seconds(Clock::now() - start);
}

}  // namespace tickvane::bench
