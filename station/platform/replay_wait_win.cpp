#include "station/platform/replay_wait_win.h"

#include <mmsystem.h>

#include <cmath>

namespace tickvane {
namespace {

long long Now() {
  LARGE_INTEGER counter;
  ::QueryPerformanceCounter(&counter);
  return counter.QuadPart;
}

long long Frequency() {
  LARGE_INTEGER frequency;
  ::QueryPerformanceFrequency(&frequency);
  return frequency.QuadPart;
}

// Handles what is queued now, but stops at the deadline: a flood of messages must not stretch
// the wait. What is left is handled by the replay's next event hand-over.
bool Drain(MessageDispatch dispatch, long long deadline) {
  MSG message;
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      ::PostQuitMessage(static_cast<int>(message.wParam));
      return false;
    }
    dispatch(message);
    if (Now() >= deadline) break;
  }
  return true;
}

}  // namespace

FineTimerResolution::FineTimerResolution() : raised_(::timeBeginPeriod(1) == TIMERR_NOERROR) {}

FineTimerResolution::~FineTimerResolution() {
  if (raised_) ::timeEndPeriod(1);
}

double ClockMs() { return static_cast<double>(Now()) * 1000.0 / static_cast<double>(Frequency()); }

bool PumpingWaitUntil(double dueMs, MessageDispatch dispatch) {
  const long long frequency = Frequency();
  // Rounded up: a deadline a fraction of a tick early would end the wait before its due time.
  const long long deadline = static_cast<long long>(std::ceil(dueMs * static_cast<double>(frequency) / 1000.0));
  // A timed wait may wake up to a tick late, so it is only used until this close to the deadline;
  // the rest is spent yielding, which costs at most this much processor time per wait.
  const long long spinTicks = frequency * 3 / 2000;
  for (;;) {
    if (!Drain(dispatch, deadline)) return false;
    const long long left = deadline - Now();
    if (left <= 0) return true;
    if (left > spinTicks) {
      const DWORD timeout = static_cast<DWORD>((left - spinTicks) * 1000 / frequency) + 1;
      // MWMO_INPUTAVAILABLE: wake for input that arrived before the call too, not only new input.
      ::MsgWaitForMultipleObjectsEx(0, nullptr, timeout, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    } else {
      ::Sleep(0);
    }
  }
}

bool PumpingWait(DWORD ms, MessageDispatch dispatch) { return PumpingWaitUntil(ClockMs() + ms, dispatch); }

}  // namespace tickvane
