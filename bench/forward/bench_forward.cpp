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
#include <cstdio>
#include <string>

#include "bench/common/engine_bench.h"

namespace {

using namespace tickvane;
using namespace tickvane::bench;

// One trading day from 9:30:00, about four records a second; the day never reaches 24:00:00.
long DayTime(long record) {
  const long second = 9 * 3600 + 30 * 60 + record / 4 % (14 * 3600);
  return second / 3600 * 10000 + second / 60 % 60 * 100 + second % 60;
}

double Floor(const std::string& text, long& records) {
  NullWindow window;
  return ReadAndCut(text, records, &window);
}

enum class Way { Ticks, Minutes };

double Forward(const std::string& text, long records, Way way, WriterCounts& counts) {
  NullWindow window;
  counts = {};
  CountingWriterFactory factory(counts);
  StationState station;
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
  return ReplayFromMemory(text, StationMode::Sierra, window, station, factory);
}

}  // namespace

int main(int argc, char** argv) {
  const long records = RecordCount(argc, argv, 2, "bench_forward [records, 2 or more]");
  if (records == 0) return 2;
  const std::string text = TickFileText(records, DayTime);
  constexpr int kRuns = 5;
  double floor = 1e9, ticks = 1e9, minutes = 1e9;
  long counted = 0;
  WriterCounts ticksCounts, minutesCounts;
  for (int run = 0; run < kRuns; ++run) {
    floor = std::min(floor, Floor(text, counted));
    ticks = std::min(ticks, Forward(text, records, Way::Ticks, ticksCounts));
    minutes = std::min(minutes, Forward(text, records, Way::Minutes, minutesCounts));
  }
  if (!AllRecordsRead(counted, records)) return 1;
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
