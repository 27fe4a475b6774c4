// How closely the real station keeps time: 300 records one second apart replayed at speed 20 in
// DDE-only mode, with a burst of 100 records of one time after the 150th, as a client linked to
// `last` in this process sees the prices arrive from the station's process. The same run is made
// twice: with the station's pacing schedule, and with the plain sleep of each delay that came
// before it (TICKVANE_BENCH_PACING=plain-sleep, which only this benchmark sets).
//
//   bench_station_pacing [speed]
//
// The station waits after each shown record for the step from the record before it divided by
// the speed; the first record is measured against time 0 and waits 1000 ms instead. The ideal
// time from the first price to the last is therefore the sum of those waits, and each step's
// error is how much later (or earlier) than its wait the next price arrived.
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/station/bench_records.h"
#include "bench/station/station_run_win.h"
#include "common/win_text_win.h"
#include "station/platform/replay_wait_win.h"
#include "tests/windows/support/programs_win.h"
#include "tools/ddewatch/dde_client_win.h"

namespace {

using namespace tickvane;
using namespace tickvane::bench;

constexpr int kSeconds = 300;
constexpr int kBurstAfter = 150;
constexpr int kBurstRecords = 100;
constexpr double kReplacementMs = 1000;

struct Record {
  std::uint64_t index;
  int second;  // after 09:30:00
};

std::vector<Record> Records() {
  std::vector<Record> records;
  for (int s = 0; s < kSeconds; ++s) {
    records.push_back({records.size(), s});
    if (s == kBurstAfter - 1)
      for (int b = 0; b < kBurstRecords; ++b) records.push_back({records.size(), s});
  }
  return records;
}

// The wait after each record, as the station computes it.
std::vector<double> Waits(const std::vector<Record>& records, double speed) {
  std::vector<double> waits;
  for (std::size_t i = 0; i < records.size(); ++i) {
    waits.push_back(i == 0 ? kReplacementMs : (records[i].second - records[i - 1].second) * 1000 / speed);
  }
  return waits;
}

double Percentile(std::vector<double> values, double p) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  return values[static_cast<std::size_t>(p * static_cast<double>(values.size() - 1))];
}

struct Run {
  bool ok = false;
  std::wstring error;
  std::vector<double> arrivals;  // seconds on the performance counter, one per record
};

// One replay of the file in a fresh station; `plainSleep` asks it for the old pacing.
Run Replay(const std::string& file, std::size_t records, const std::wstring& speedText, bool plainSleep) {
  Run run;
  ::SetEnvironmentVariableW(L"TICKVANE_BENCH_PACING", plainSleep ? L"plain-sleep" : nullptr);
  StationRun station(plainSleep ? L"bench-pacing-plain" : L"bench-pacing");
  if (!station.WritePlaybackFile(file)) {
    run.error = L"could not write " + station.PlaybackFilePath();
    return run;
  }
  const bool started = station.Start(&run.error);
  ::SetEnvironmentVariableW(L"TICKVANE_BENCH_PACING", nullptr);
  if (!started) return run;
  station.SetSpeed(speedText);

  DdeClient client;
  if (!test::WaitUntil([&] { return client.Connect(L"Tickvane", L"playback", &run.error); }, 30000) ||
      !client.StartAdvise(L"last")) {
    run.error = L"could not link to Tickvane|playback!last: " + run.error + client.LastErrorText();
    return run;
  }
  // The same 1 ms system timer as the station's, so that this side sees arrivals to the millisecond.
  FineTimerResolution fine;
  const double start = Now();
  station.ClickStart();
  while (run.arrivals.size() < records && Now() - start < 600) {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
    const double now = Now();
    for (const DdeUpdate& update : client.TakeUpdates())
      if (IndexOfPrice(update.value) == run.arrivals.size()) run.arrivals.push_back(now);
    if (run.arrivals.size() < records) ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
  }
  if (run.arrivals.size() < records) {
    run.error = L"the client got " + std::to_wstring(run.arrivals.size()) + L" of " + std::to_wstring(records) +
                L" prices in order within 10 minutes";
    return run;
  }
  test::WaitUntil([&] { return station.ClosingShown(); }, 30000);
  run.ok = true;
  return run;
}

void Print(const char* title, const Run& run, const std::vector<double>& waits) {
  double idealMs = 0;
  for (std::size_t i = 0; i + 1 < waits.size(); ++i) idealMs += waits[i];
  const double stationMs = (run.arrivals.back() - run.arrivals.front()) * 1000;
  std::vector<double> errors;
  for (std::size_t i = 1; i < run.arrivals.size(); ++i)
    errors.push_back((run.arrivals[i] - run.arrivals[i - 1]) * 1000 - waits[i - 1]);
  std::vector<double> sizes;
  for (double e : errors) sizes.push_back(std::fabs(e));
  std::printf("  %s\n", title);
  std::printf("    first price to last: ideal %9.1f ms, station %9.1f ms, difference %+8.1f ms\n", idealMs, stationMs,
              stationMs - idealMs);
  std::printf("    step error as the client saw it: median %+.3f ms, 99th percentile %+.3f ms;\n"
              "      size of the error: median %.3f ms, 99th percentile %.3f ms, worst %.3f ms\n",
              Percentile(errors, 0.5), Percentile(errors, 0.99), Percentile(sizes, 0.5), Percentile(sizes, 0.99),
              Percentile(sizes, 1.0));
}

int Fail(const std::wstring& what) {
  std::fprintf(stderr, "bench_station_pacing: %s\n", ToUtf8(what).c_str());
  return 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring speedText = argc > 1 ? argv[1] : L"20";
  const double speed = std::wcstod(speedText.c_str(), nullptr);
  if (!(speed > 0)) return Fail(L"the speed must be above 0");
  PrintPlatformNote();

  const std::vector<Record> records = Records();
  std::string file = HeaderLines();
  for (const Record& r : records) file += RecordLine(r.index, TimeAfterOpen(r.second));
  const std::vector<double> waits = Waits(records, speed);

  std::printf("Pacing: %d records one second apart at speed %s, with %d records of one time after the %dth\n"
              "(%zu records), DDE-only, one client linked to last in another process\n",
              kSeconds, ToUtf8(speedText).c_str(), kBurstRecords, kBurstAfter, records.size());
  const Run schedule = Replay(file, records.size(), speedText, false);
  if (!schedule.ok) return Fail(L"schedule: " + schedule.error);
  Print("schedule (the station's pacing; goal: within 10 ms of the ideal, median step error under 0.5 ms)",
        schedule, waits);
  const Run plain = Replay(file, records.size(), speedText, true);
  if (!plain.ok) return Fail(L"plain sleep: " + plain.error);
  Print("plain sleep after each record, fraction dropped (the pacing before the schedule)", plain, waits);
  return 0;
}
