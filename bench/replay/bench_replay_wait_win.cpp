// How close the replay's pumping wait comes to the time asked, with and without the 1 ms system
// timer: lateness per wait for the step lengths of common speeds.
//
//   bench_replay_wait [waits per length]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "station/platform/replay_wait_win.h"

namespace {

void Dispatch(MSG& message) {
  ::TranslateMessage(&message);
  ::DispatchMessageW(&message);
}

void Measure(const char* label, int count) {
  LARGE_INTEGER frequency;
  ::QueryPerformanceFrequency(&frequency);
  std::printf("%s\n  %6s %10s %10s %10s\n", label, "ms", "mean late", "max late", "total");
  for (DWORD ms : {1u, 10u, 50u, 100u, 500u}) {
    const int n = ms >= 500 ? std::max(1, count / 10) : count;
    double sum = 0, worst = 0, total = 0;
    for (int i = 0; i < n; ++i) {
      LARGE_INTEGER start, end;
      ::QueryPerformanceCounter(&start);
      tickvane::PumpingWait(ms, Dispatch);
      ::QueryPerformanceCounter(&end);
      const double took = static_cast<double>(end.QuadPart - start.QuadPart) * 1000.0 / frequency.QuadPart;
      sum += took - ms;
      worst = std::max(worst, took - ms);
      total += took;
    }
    std::printf("  %6lu %8.3f ms %8.3f ms %8.0f ms\n", static_cast<unsigned long>(ms), sum / n, worst, total);
  }
}

}  // namespace

int main(int argc, char** argv) {
  const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 40;
  Measure("default system timer", count);
  {
    tickvane::FineTimerResolution fine;
    Measure("1 ms system timer (as during a replay)", count);
  }
  return 0;
}
