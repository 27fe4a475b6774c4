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
#include <cstdio>
#include <string>

#include "bench/common/engine_bench.h"

namespace {

using namespace tickvane;
using namespace tickvane::bench;

double Replay(const std::string& text, StationMode mode, std::size_t& shown) {
  NullWindow window;
  WriterCounts counts;
  CountingWriterFactory factory(counts);
  StationState station;
  const double seconds = ReplayFromMemory(text, mode, window, station, factory);
  shown = window.shown;
  return seconds;
}

}  // namespace

int main(int argc, char** argv) {
  const long records = RecordCount(argc, argv, 1, "bench_replay [records]");
  if (records == 0) return 2;
  const std::string text = TickFileText(records, [](long) { return 93000L; });
  constexpr int kRuns = 5;
  double reader = 1e9, ddeOnly = 1e9, sierra = 1e9;
  long counted = 0;
  std::size_t shown = 0;
  for (int run = 0; run < kRuns; ++run) {
    reader = std::min(reader, ReadAndCut(text, counted));
    ddeOnly = std::min(ddeOnly, Replay(text, StationMode::DdeOnly, shown));
    sierra = std::min(sierra, Replay(text, StationMode::Sierra, shown));
  }
  if (!AllRecordsRead(counted, records)) return 1;
  std::printf("records: %ld, same time each (no waits), %.1f MB in memory; best of %d runs\n", records,
              static_cast<double>(text.size()) / 1e6, kRuns);
  std::printf("%-34s %8.3f s  %12.0f records/s\n", "reader alone (read and cut)", reader, records / reader);
  std::printf("%-34s %8.3f s  %12.0f records/s  (%.0f ns per record over the reader)\n",
              "replay, DDE-only, null window", ddeOnly, records / ddeOnly, (ddeOnly - reader) / records * 1e9);
  std::printf("%-34s %8.3f s  %12.0f records/s  (%.0f ns per record over the reader)\n",
              "replay, sierra, counting writer", sierra, records / sierra, (sierra - reader) / records * 1e9);
  return 0;
}
