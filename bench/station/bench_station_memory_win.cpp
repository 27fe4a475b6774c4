// How much memory the station takes while it replays a large playback file: the peak working set
// of Tickvane.exe, read from this process with GetProcessMemoryInfo, for files of different sizes.
// The station reads its file as it goes, so the peak should not follow the file's size.
//
//   bench_station_memory [seconds per file [sizes in MB...]]
//
// Each file (100 MB and 1024 MB unless told) is written into a scratch folder next to a copy of
// the station, made of same-time records so that nothing waits, replayed in DDE-only mode with no
// client for the given time (20 s unless told) or to its end, and removed afterwards.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/station/bench_records.h"
#include "bench/station/station_run_win.h"
#include "common/handle_owners_win.h"
#include "common/win_text_win.h"
#include "tests/windows/support/programs_win.h"
#include "tests/windows/support/windows_win.h"

namespace {

using namespace tickvane;
using namespace tickvane::bench;

constexpr char kTime[] = "093000";
// Even the first record, measured against time 0, waits under a millisecond at this speed.
constexpr wchar_t kSpeed[] = L"100000000";
constexpr double kMB = 1024.0 * 1024.0;

struct Figures {
  std::uint64_t fileBytes = 0;
  double writeSeconds = 0;
  double replaySeconds = 0;
  std::uint64_t recordsShown = 0;
  bool reachedEnd = false;
  SIZE_T idleWorkingSet = 0;    // before Start
  SIZE_T peakWorkingSet = 0;    // the system's own peak for the process
  SIZE_T largestSampled = 0;    // largest working set seen in the samples
  SIZE_T largestPrivate = 0;
  bool removed = false;
};

bool WriteLargeFile(const std::wstring& path, std::uint64_t bytes, std::uint64_t* written) {
  UniqueFile file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file) return false;
  std::string chunk = HeaderLines();
  const size_t lineLength = RecordLine(0, kTime).size();
  const std::uint64_t records = (bytes - std::min<std::uint64_t>(bytes, chunk.size())) / lineLength;
  *written = 0;
  for (std::uint64_t i = 0; i <= records; ++i) {
    if (i < records) chunk += RecordLine(i, kTime);
    if (chunk.size() >= (4u << 20) || (i == records && !chunk.empty())) {
      DWORD n = 0;
      if (!::WriteFile(file.get(), chunk.data(), static_cast<DWORD>(chunk.size()), &n, nullptr) || n != chunk.size())
        return false;
      *written += n;
      chunk.clear();
    }
  }
  return true;
}

bool Measure(std::uint64_t megabytes, double seconds, Figures* figures) {
  std::wstring path;
  {
    StationRun station(L"bench-memory");
    path = station.PlaybackFilePath();
    double began = Now();
    if (!WriteLargeFile(path, megabytes << 20, &figures->fileBytes)) {
      std::fprintf(stderr, "could not write %s: %s\n", ToUtf8(path).c_str(),
                   ToUtf8(SystemErrorText(::GetLastError())).c_str());
      return false;
    }
    figures->writeSeconds = Now() - began;

    std::wstring error;
    if (!station.Start(&error)) {
      std::fprintf(stderr, "%s\n", ToUtf8(error).c_str());
      return false;
    }
    station.SetSpeed(kSpeed);
    UniqueHandle process(::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, station.ProcessId()));
    if (!process) {
      std::fprintf(stderr, "OpenProcess: %s\n", ToUtf8(SystemErrorText(::GetLastError())).c_str());
      return false;
    }
    auto sample = [&](PROCESS_MEMORY_COUNTERS_EX* counters) {
      *counters = {};
      counters->cb = sizeof *counters;
      return ::GetProcessMemoryInfo(process.get(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(counters),
                                    sizeof *counters) != 0;
    };
    PROCESS_MEMORY_COUNTERS_EX counters;
    if (!sample(&counters)) {
      std::fprintf(stderr, "GetProcessMemoryInfo: %s\n", ToUtf8(SystemErrorText(::GetLastError())).c_str());
      return false;
    }
    figures->idleWorkingSet = counters.WorkingSetSize;

    began = Now();
    station.ClickStart();
    while (Now() - began < seconds && !(figures->reachedEnd = station.ClosingShown())) {
      test::WaitUntil([] { return false; }, 100);
      if (!sample(&counters)) break;
      figures->largestSampled = std::max(figures->largestSampled, counters.WorkingSetSize);
      figures->largestPrivate = std::max(figures->largestPrivate, counters.PrivateUsage);
    }
    figures->replaySeconds = Now() - began;
    if (sample(&counters)) {
      figures->peakWorkingSet = counters.PeakWorkingSetSize;
      figures->largestSampled = std::max(figures->largestSampled, counters.WorkingSetSize);
    }
    const auto shown = IndexOfPrice(ToUtf8(test::TextOf(station.Control(L"last"))));
    figures->recordsShown = shown ? *shown + 1 : 0;
  }
  figures->removed = ::GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES;
  return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const double seconds = argc > 1 ? std::max(1.0, std::wcstod(argv[1], nullptr)) : 20;
  std::vector<std::uint64_t> sizes;
  for (int i = 2; i < argc; ++i) sizes.push_back(std::max<std::uint64_t>(1, std::wcstoull(argv[i], nullptr, 10)));
  if (sizes.empty()) sizes = {100, 1024};
  PrintPlatformNote();
  std::printf("Memory: Tickvane.exe replaying same-time records in DDE-only mode, no client, up to %.0f s per file\n",
              seconds);
  std::fflush(stdout);

  SIZE_T largestPeak = 0, smallestPeak = ~SIZE_T{0};
  for (std::uint64_t megabytes : sizes) {
    Figures f;
    if (!Measure(megabytes, seconds, &f)) return 1;
    const double replayedMB = static_cast<double>(f.recordsShown * RecordLine(0, kTime).size()) / kMB;
    std::printf("  file %6.0f MB (written in %.1f s): replayed %s%.2f MB, %llu records in %.1f s\n",
                f.fileBytes / kMB, f.writeSeconds, f.reachedEnd ? "to its end, " : "", replayedMB,
                static_cast<unsigned long long>(f.recordsShown), f.replaySeconds);
    const std::string privateBytes =
        f.largestPrivate ? std::to_string(f.largestPrivate >> 20) + " MB" : std::string("not reported");
    std::printf("    working set: %.1f MB before Start, peak %.1f MB (largest sampled %.1f MB), private bytes up to %s; "
                "scratch file %s\n",
                f.idleWorkingSet / kMB, f.peakWorkingSet / kMB, f.largestSampled / kMB, privateBytes.c_str(),
                f.removed ? "removed" : "NOT removed");
    std::fflush(stdout);
    largestPeak = std::max(largestPeak, f.peakWorkingSet);
    smallestPeak = std::min(smallestPeak, f.peakWorkingSet);
  }
  std::printf("  largest peak %.1f MB (target under 30 MB: %s); peaks differ by %.1f MB across the file sizes\n",
              largestPeak / kMB, largestPeak < 30 * kMB ? "met" : "NOT met", (largestPeak - smallestPeak) / kMB);
  return 0;
}
