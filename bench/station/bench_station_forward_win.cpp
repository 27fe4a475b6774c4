// Fast-forward speed of the real station in "sierra" mode with our chart-file writer: a whole file
// skipped by "Forward ticks" and, from its first record, by "Forward mins" to the end of the day,
// in skipped records per second. Next to it, the floor measured in the same run: reading and
// cutting the same lines from the same file and processing pending messages once per line, with
// no other work. The chart file must then hold every record once.
//
//   bench_station_forward [records]        (1,000,000 unless told)
//
// zavovq.dll is registered for the current user from the benchmark's scratch folder while it runs
// and unregistered at the end.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "bench/station/bench_records.h"
#include "bench/station/station_run_win.h"
#include "common/handle_owners_win.h"
#include "common/win_text_win.h"
#include "station/engine/tick_file_reader.h"
#include "station/platform/playback_file_win.h"
#include "tests/windows/support/programs_win.h"
#include "tests/windows/support/windows_win.h"

namespace {

using namespace tickvane;
using namespace tickvane::bench;

constexpr int kRecordsPerSecond = 20;  // a busy day: 1,000,000 records end before midnight
constexpr std::uint64_t kChartHeaderBytes = 56;
constexpr std::uint64_t kChartRecordBytes = 40;

int Fail(const std::wstring& what) {
  std::fprintf(stderr, "bench_station_forward: %s\n", ToUtf8(what).c_str());
  return 1;
}

std::string DayFile(std::uint64_t records) {
  std::string text = HeaderLines();
  text.reserve(text.size() + records * 40);
  for (std::uint64_t i = 0; i < records; ++i) {
    text += RecordLine(i, TimeAfterOpen(static_cast<int>(i / kRecordsPerSecond)));
  }
  return text;
}

// What the station cannot do with less: read and cut every line of the file and hand pending
// messages to their windows once per line, on a thread that shows a window as the station's
// does (under Wine a thread with a window of the X server pays more for each look at its
// messages than one without). Returns seconds, or a negative value when the file cannot be read.
double Floor(const std::wstring& folder, std::uint64_t& records) {
  UniqueWindow window(::CreateWindowExW(0, L"STATIC", L"bench_station_forward floor", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                        0, 0, 300, 200, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr));
  if (!window) return -1;
  MSG pending;
  while (::PeekMessageW(&pending, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&pending);
  const double start = Now();
  PlaybackFileOpening file = OpenPlaybackFile(folder);
  if (!file.source) return -1;
  TickFileReader reader(*file.source);
  records = 0;
  std::size_t bytes = 0;
  while (!reader.AtEnd()) {
    const LineResult line = reader.ReadLine();
    if (line.kind == LineKind::Record) {
      ++records;
      bytes += line.record.tickPrice.size();
    }
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
  }
  const double seconds = Now() - start;
  if (bytes == 0) std::puts("");  // keeps the cutting in use
  return seconds;
}

bool Register(const StationRun& station, bool on) {
  test::Process p = test::Process::Start(L"C:\\windows\\system32\\regsvr32.exe",
                                         std::wstring(on ? L"/s \"" : L"/u /s \"") + station.Folder() +
                                             L"\\zavovq.dll\"",
                                         station.Folder());
  DWORD exitCode = 1;
  return p.WaitForExit(60000, &exitCode) && exitCode == 0;
}

// Records in the station's chart file, from its size; -1 when it is missing or torn.
long long ChartRecords(const StationRun& station) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!::GetFileAttributesExW((station.Folder() + L"\\IBM.mnd").c_str(), GetFileExInfoStandard, &data)) return -1;
  const std::uint64_t size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  if (size < kChartHeaderBytes || (size - kChartHeaderBytes) % kChartRecordBytes != 0) return -1;
  return static_cast<long long>((size - kChartHeaderBytes) / kChartRecordBytes);
}

// Waits for the closing message, looking every 20 ms (looking goes through every window of the
// session and must not load the window server that the station needs). Seconds since `start`,
// or a negative value when it did not come within `limit` seconds.
double UntilClosing(const StationRun& station, double start, double limit) {
  while (Now() - start < limit) {
    if (station.ClosingShown()) return Now() - start;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
  return -1;
}

struct Way {
  const char* label;
  bool byMinutes;
};

struct Outcome {
  double seconds = -1;
  long long chartRecords = -1;
  std::uint64_t skipped = 0;
};

// One forward through the file by a fresh station. Returns false with the reason on failure.
bool RunForward(const std::string& text, std::uint64_t records, const Way& way, Outcome& outcome,
                std::wstring* error) {
  StationRun station(L"bench-forward");
  if (::GetFileAttributesW(station.CopyProgram(L"zavovq.dll").c_str()) == INVALID_FILE_ATTRIBUTES) {
    *error = L"zavovq.dll is not next to the benchmark";
    return false;
  }
  if (!station.WritePlaybackFile(text)) {
    *error = L"could not write " + station.PlaybackFilePath();
    return false;
  }
  if (!Register(station, true)) {
    *error = L"zavovq.dll could not be registered";
    return false;
  }
  struct Unregister {
    const StationRun& station;
    ~Unregister() { Register(station, false); }
  } unregister{station};
  if (!station.Start(L"sierra", error)) return false;
  station.Click(L"more");

  double start = 0;
  if (!way.byMinutes) {
    // Asked before Start: the forward by ticks runs from the first record to the last, which
    // ends it and is shown.
    station.SetText(L"tick", std::to_wstring(records));
    station.Click(L"Forward");
    station.SetSpeed(L"1000000");
    start = Now();
    station.ClickStart();
  } else {
    // The first record is held on display while the speed box is empty; the forward by minutes
    // taken there skips the rest of the day once a speed is typed.
    station.SetSpeed(L"");
    station.ClickStart();
    const std::wstring firstPrice = FromAnsi(PriceOf(0));
    if (!test::WaitUntil([&] { return test::TextOf(station.Control(L"last")) == firstPrice; }, 60000)) {
      *error = L"the first record was not shown within a minute";
      return false;
    }
    station.SetText(L"for_min", L"900");
    station.Click(L"for_mins");
    if (!test::WaitUntil([&] { return !::IsWindowEnabled(station.Control(L"for_mins")); }, 60000)) {
      *error = L"the forward by minutes was not taken";
      return false;
    }
    start = Now();
    station.SetSpeed(L"1000000");
  }
  // Either way every record but one (the last, or the first) is skipped.
  outcome.skipped = records - 1;
  outcome.seconds = UntilClosing(station, start, 1800);
  if (outcome.seconds < 0) {
    *error = L"no closing message within 30 minutes";
    return false;
  }
  outcome.chartRecords = ChartRecords(station);
  return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::uint64_t records = argc > 1 ? std::max(2, _wtoi(argv[1])) : 1000000;
  PrintPlatformNote();
  const std::string text = DayFile(records);

  // The floor reads the same bytes from a file of its own, as the station does.
  test::ScratchFolder floorFolder(L"bench-forward-floor");
  floorFolder.WriteFile(L"practice.EPF", text);
  double floor = 1e9;
  std::uint64_t counted = 0;
  for (int run = 0; run < 3; ++run) {
    const double seconds = Floor(floorFolder.Path(), counted);
    if (seconds < 0) return Fail(L"could not read the floor's playback file or show its window");
    floor = std::min(floor, seconds);
  }
  if (counted != records) return Fail(L"the floor found " + std::to_wstring(counted) + L" records");

  std::printf("Forward in \"sierra\" mode with zavovq.dll, %llu records of one day (%.1f MB)\n",
              static_cast<unsigned long long>(records), static_cast<double>(text.size()) / 1e6);
  std::printf("  %-44s %8.3f s  %10.0f records/s\n", "floor (read, cut, pending messages per line)", floor,
              static_cast<double>(records) / floor);
  const Way ways[] = {{"forward by ticks, whole file (Start to end)", false},
                      {"forward by minutes, rest of the day", true}};
  for (const Way& way : ways) {
    Outcome outcome;
    std::wstring error;
    if (!RunForward(text, records, way, outcome, &error)) return Fail(FromAnsi(way.label) + L": " + error);
    const double rate = static_cast<double>(outcome.skipped) / outcome.seconds;
    const double share = rate / (static_cast<double>(records) / floor);
    std::printf("  %-44s %8.3f s  %10.0f records/s  %5.1f%% of the floor (target 70%%: %s)\n", way.label,
                outcome.seconds, rate, 100 * share, share >= 0.7 ? "met" : "NOT met");
    std::printf("  %-44s chart file: %lld records of %llu%s\n", "", outcome.chartRecords,
                static_cast<unsigned long long>(records),
                outcome.chartRecords == static_cast<long long>(records) ? "" : "  (WRONG)");
  }
  return 0;
}
