// How closely the real station keeps the pace: 300 records one second apart replayed at speed 20
// in DDE-only mode, timed from the Start click to the closing message, and record by record as a
// client linked to `last` sees the prices arrive.
//
//   bench_station_pacing [records [speed]]
//
// The loop sleeps after each shown record for the step to the previous one divided by the speed;
// the first record is measured against time 0, so it waits 1000 ms instead of one step. The ideal
// total is therefore 1000 ms + (records - 1) steps, and what lies above it is the station's own
// cost (display, DDE, event handling, the wait's lateness) spread over the records.
//
// Next to it, the least any DDE price source pays per record on this platform: a bare window
// setting its two linked edit boxes for the same number of records, with a client in another
// process, and nothing else (FloorWindow). Under Wine that floor is most of the overhead.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/station/bench_records.h"
#include "bench/station/floor_window_win.h"
#include "bench/station/link_client_win.h"
#include "bench/station/station_run_win.h"
#include "common/win_text_win.h"
#include "station/platform/replay_wait_win.h"
#include "tests/windows/support/programs_win.h"
#include "tools/ddewatch/dde_client_win.h"

namespace {

using namespace tickvane;
using namespace tickvane::bench;

constexpr double kFirstRecordWaitMs = 1000;

int Fail(const std::wstring& what) {
  std::fprintf(stderr, "bench_station_pacing: %s\n", ToUtf8(what).c_str());
  return 1;
}

double Percentile(std::vector<double> values, double p) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  return values[static_cast<size_t>(p * static_cast<double>(values.size() - 1))];
}

}  // namespace

// Seconds the bare window takes for `records` records with a linked client, or a negative value.
double FloorSeconds(int records, std::wstring* error) {
  const std::wstring service = L"TickvaneFloor";
  const std::string maskedTime = MaskedTime("093000");
  FloorWindow floor;
  if (!floor.Create(service, error)) return -1;
  LinkClientProcess client;
  if (!client.Start(service, static_cast<std::uint64_t>(records), maskedTime, error)) return -1;
  const double seconds = floor.Replay(static_cast<std::uint64_t>(records), FromUtf8(maskedTime));
  const LinkResult link = client.Finish(120000);
  if (!link.finished || !link.inOrder) {
    *error = L"the bare window's client did not get every update in order";
    return -1;
  }
  return seconds;
}

int wmain(int argc, wchar_t** argv) {
  if (argc >= 5 && std::wstring(argv[1]) == kLinkClientWord)
    return RunLinkClient(argv[2], std::wcstoull(argv[3], nullptr, 10), ToUtf8(argv[4]));

  const int records = argc > 1 ? std::max(2, _wtoi(argv[1])) : 300;
  const std::wstring speedText = argc > 2 ? argv[2] : L"20";
  const double speed = std::wcstod(speedText.c_str(), nullptr);
  if (!(speed > 0)) return Fail(L"the speed must be above 0");
  PrintPlatformNote();

  StationRun station(L"bench-pacing");
  std::string text = HeaderLines();
  for (int i = 0; i < records; ++i) text += RecordLine(static_cast<std::uint64_t>(i), TimeAfterOpen(i));
  if (!station.WritePlaybackFile(text)) return Fail(L"could not write " + station.PlaybackFilePath());
  std::wstring error;
  if (!station.Start(&error)) return Fail(error);
  station.SetSpeed(speedText);

  DdeClient client;
  if (!test::WaitUntil([&] { return client.Connect(L"Tickvane", L"playback", &error); }, 30000) ||
      !client.StartAdvise(L"last"))
    return Fail(L"could not link to Tickvane|playback!last: " + error + client.LastErrorText());

  // The same 1 ms system timer as the station's, so that this side sees arrivals to the millisecond.
  FineTimerResolution fine;
  std::vector<double> arrivals;
  const double start = Now();
  station.ClickStart();
  bool closing = false;
  double lastLook = start;
  while (!closing && Now() - start < 600) {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
    const double now = Now();
    for (const DdeUpdate& update : client.TakeUpdates()) {
      if (IndexOfPrice(update.value) == arrivals.size()) arrivals.push_back(now);
    }
    // Looking for the message box goes through every window of the session; done every
    // millisecond during the whole replay it would load the window server that the station needs.
    if (arrivals.size() >= static_cast<size_t>(records) || now - lastLook > 0.25) {
      closing = station.ClosingShown();
      lastLook = now;
    }
    if (!closing) ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
  }
  const double wallMs = (Now() - start) * 1000;
  if (!closing) return Fail(L"no closing message within 10 minutes");

  const double stepMs = 1000 / speed;
  const double idealMs = kFirstRecordWaitMs + (records - 1) * stepMs;
  std::printf("Pacing: %d records one second apart, speed %s, DDE-only, one client linked to last\n", records,
              ToUtf8(speedText).c_str());
  std::printf("  Start to closing message: %9.1f ms\n", wallMs);
  std::printf("  ideal:                    %9.1f ms  (%.0f s of recorded time at speed %s = %.1f ms, plus the first\n"
              "                                          record's %.0f ms wait in place of its %.0f ms step)\n",
              idealMs, records * 1.0, ToUtf8(speedText).c_str(), records * stepMs, kFirstRecordWaitMs, stepMs);
  const double overhead = (wallMs - idealMs) / records;
  std::printf("  overhead per record:      %9.3f ms  (target under 0.5 ms: %s)\n", overhead,
              overhead < 0.5 ? "met" : "NOT met");

  if (arrivals.size() >= 3) {
    std::vector<double> late;
    for (size_t i = 2; i < arrivals.size(); ++i) late.push_back((arrivals[i] - arrivals[i - 1]) * 1000 - stepMs);
    const double mean = ((arrivals.back() - arrivals[1]) * 1000 - stepMs * static_cast<double>(arrivals.size() - 2)) /
                        static_cast<double>(arrivals.size() - 2);
    std::printf("  as the client saw it, records 2 to %zu: mean step %.3f ms for %.1f ms (%.3f ms over),\n"
                "    median %.3f ms over, 99th percentile %.3f ms over, worst %.3f ms over\n",
                arrivals.size(), stepMs + mean, stepMs, mean, Percentile(late, 0.5), Percentile(late, 0.99),
                Percentile(late, 1.0));
  }
  std::printf("  prices received in order by the client: %zu of %d\n", arrivals.size(), records);

  const double floorSeconds = FloorSeconds(records, &error);
  if (floorSeconds < 0) return Fail(L"bare window: " + error);
  const double floorMs = floorSeconds * 1000 / records;
  std::printf("  platform floor per record: %9.3f ms  (a bare window setting two linked edit boxes and\n"
              "                                          processing pending messages, a client in another process)\n",
              floorMs);
  std::printf("  overhead beyond the floor: %9.3f ms per record (the station's own work and the wait's lateness)\n",
              overhead - floorMs);
  return 0;
}
