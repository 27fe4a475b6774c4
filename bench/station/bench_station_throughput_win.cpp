// How many records a second the station replays when nothing waits, next to a bare loop that
// does only what any DDE price source must do per record on this platform (FloorWindow), each
// with one client in another process linked to `last` and `time` that checks every update.
//
//   bench_station_throughput [records]
//
// The records (1,000,000 unless told) all carry the same time. The station's speed box is set so
// high that even the first record, measured against time 0, waits under a millisecond, so both
// sides are timed without any pacing: the station from the Start click to its closing message,
// the bare loop from its first text to its last.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/station/bench_records.h"
#include "bench/station/floor_window_win.h"
#include "bench/station/link_client_win.h"
#include "bench/station/station_run_win.h"
#include "common/win_text_win.h"
#include "tests/windows/support/programs_win.h"
#include "tests/windows/support/windows_win.h"

namespace {

using namespace tickvane;
using namespace tickvane::bench;

constexpr char kTime[] = "093000";
constexpr wchar_t kSpeed[] = L"100000000";
// The client may trail the source by many posted updates; it gets this long after the source
// has finished to catch up and report.
constexpr unsigned long kClientCatchUpMs = 600000;

void PrintClient(const char* side, const LinkResult& link) {
  if (!link.finished) {
    std::printf("  %s: the client gave no report: %s\n", side, link.output.c_str());
    return;
  }
  std::printf("  %s: client received %llu of %llu updates, %s\n", side,
              static_cast<unsigned long long>(link.updates), static_cast<unsigned long long>(link.expected),
              link.inOrder ? "every one in order (price, then time, record by record)"
                           : ("NOT all in order: " + (link.firstFault.empty() ? std::string("some missing")
                                                                               : link.firstFault)).c_str());
}

bool Fail(const std::wstring& what) {
  std::fprintf(stderr, "bench_station_throughput: %s\n", ToUtf8(what).c_str());
  return false;
}

// With link == nullptr no client links, which shows what the DDE posts cost on top of the boxes.
bool RunFloor(std::uint64_t records, double* seconds, LinkResult* link) {
  FloorWindow floor;
  std::wstring error;
  const std::wstring service = L"TickvaneFloor";
  if (!floor.Create(service, &error)) return Fail(L"bare loop: " + error);
  if (!link) {
    *seconds = floor.Replay(records, FromUtf8(MaskedTime(kTime)));
    return true;
  }
  LinkClientProcess client;
  if (!client.Start(service, records, MaskedTime(kTime), &error)) return Fail(L"bare loop: " + error);
  *seconds = floor.Replay(records, FromUtf8(MaskedTime(kTime)));
  *link = client.Finish(kClientCatchUpMs);
  return true;
}

bool RunStation(std::uint64_t records, double* seconds, LinkResult* link) {
  StationRun station(L"bench-throughput");
  {
    std::string text = HeaderLines();
    text.reserve(text.size() + records * RecordLine(0, kTime).size());
    for (std::uint64_t i = 0; i < records; ++i) text += RecordLine(i, kTime);
    if (!station.WritePlaybackFile(text)) return Fail(L"could not write " + station.PlaybackFilePath());
  }
  std::wstring error;
  if (!station.Start(&error)) return Fail(L"station: " + error);
  station.SetSpeed(kSpeed);
  LinkClientProcess client;
  if (!client.Start(L"Tickvane", records, MaskedTime(kTime), &error)) return Fail(L"station: " + error);

  const double start = Now();
  station.ClickStart();
  // Looking for the message box goes through every window of the session and so loads the
  // window server that the station needs; the bare loop has no such watcher, so look seldom.
  double lastLook = start;
  const bool ended = test::WaitUntil([&] {
    if (Now() - lastLook < 0.25) return false;
    lastLook = Now();
    return station.ClosingShown() || !station.Running();
  }, 3600000);
  if (!ended || !station.Running())
    return Fail(L"station: no closing message");
  *seconds = Now() - start;
  *link = client.Finish(kClientCatchUpMs);
  return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc >= 5 && std::wstring(argv[1]) == kLinkClientWord)
    return RunLinkClient(argv[2], std::wcstoull(argv[3], nullptr, 10), ToUtf8(argv[4]));

  const std::uint64_t records = argc > 1 ? std::wcstoull(argv[1], nullptr, 10) : 1000000;
  if (records == 0) {
    std::fprintf(stderr, "usage: bench_station_throughput [records]\n");
    return 2;
  }
  PrintPlatformNote();
  std::printf("Throughput: %llu records with the same time, DDE-only, one client linked to last and time\n",
              static_cast<unsigned long long>(records));
  std::fflush(stdout);

  double floorSeconds = 0, stationSeconds = 0, unlinkedSeconds = 0;
  LinkResult floorLink, stationLink;
  if (!RunFloor(records, &unlinkedSeconds, nullptr)) return 1;
  std::printf("  bare loop with no client linked (for comparison):              %8.2f s  %9.0f records/s\n",
              unlinkedSeconds, records / unlinkedSeconds);
  if (!RunFloor(records, &floorSeconds, &floorLink)) return 1;
  std::printf("  bare loop (two edit boxes, DDE hot links, pending messages): %8.2f s  %9.0f records/s\n",
              floorSeconds, records / floorSeconds);
  std::fflush(stdout);
  if (!RunStation(records, &stationSeconds, &stationLink)) return 1;
  std::printf("  station  (Start to closing message):                          %8.2f s  %9.0f records/s\n",
              stationSeconds, records / stationSeconds);
  const double share = floorSeconds / stationSeconds;
  std::printf("  station / bare loop: %.0f%% (target at least 90%%: %s)\n", share * 100,
              share >= 0.9 ? "reached" : "NOT reached");
  PrintClient("bare loop", floorLink);
  PrintClient("station  ", stationLink);
  return 0;
}
