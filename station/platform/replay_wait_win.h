// The waits of a replay on Windows: as long as asked to about a millisecond, with the window
// painting and handling input meanwhile. For the main window's WaitAfterRecordUntil and Wait.
#pragma once

#include <windows.h>

namespace tickvane {

// Holds the system timer at 1 ms while it lives (a replay's length). Without it a timed wait ends
// on the default tick of up to 15.6 ms, which at speed 20 is a third of every 50 ms step.
class FineTimerResolution {
 public:
  FineTimerResolution();
  ~FineTimerResolution();
  FineTimerResolution(const FineTimerResolution&) = delete;
  FineTimerResolution& operator=(const FineTimerResolution&) = delete;

 private:
  bool raised_ = false;
};

// How one message is handed to its window (the station passes DispatchWindowMessage, so that
// Tab and the arrow keys keep working during a wait).
using MessageDispatch = void (*)(MSG& message);

// Milliseconds of the performance counter, with fractions: the clock the waits keep.
double ClockMs();

// Waits until ClockMs reaches `dueMs`, never less, handling the thread's messages as they come; a
// due time already passed still hands over what is queued. Returns false when WM_QUIT arrived; it
// is posted again so that the message loop outside still sees it.
bool PumpingWaitUntil(double dueMs, MessageDispatch dispatch);

// The same for `ms` milliseconds from now.
bool PumpingWait(DWORD ms, MessageDispatch dispatch);

}  // namespace tickvane
