// What the replay needs from the station's main window. The replay runs inside the window's
// Start click handler and reaches the controls, the message boxes and the event processing only
// through this interface, so that it builds and is tested without Windows.
//
// Texts: the record's price and its masked time are the tick file's own 8-bit text (system code
// page), passed on unchanged; every other text is UTF-16, as the window holds it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "station/engine/replay_status.h"

namespace tickvane {

// The buttons the replay enables and disables, named as the window's controls are.
enum class ReplayButton { cbStartFastSend, Forward, for_mins };

class ReplayWindow {
 public:
  virtual ~ReplayWindow() = default;

  // Text of the box `last`: the record's price, 8-bit code-page text.
  virtual void SetLastText(std::string_view tickPrice) = 0;
  // Text of the box `time`: the record's time already masked ("9:30:15"), 8-bit text.
  virtual void SetTimeText(std::string_view maskedTime) = 0;
  // Text of the box `speed`, as typed.
  virtual std::wstring SpeedText() = 0;
  virtual void SetSpeedText(std::wstring_view text) = 0;
  // Caption of the hidden label `vqfilename`: the chart file picked in the chooser. Read afresh
  // for every writer call, since the chooser may change it while the replay runs.
  virtual std::wstring ChartFileName() = 0;

  virtual void SetButtonEnabled(ReplayButton button, bool enabled) = 0;

  // A modal notice (OK only, no icon, the program's title); returns when the user has closed it.
  // Window events go on being handled while it is open, as with any message box.
  virtual void ShowNotice(std::wstring_view text) = 0;

  // The window's own speed check; it may show its message and put "2" back into `speed`.
  virtual void CheckSpeed() = 0;

  // Milliseconds of a monotonic clock, with fractions: the clock of the pacing schedule.
  virtual double NowMs() = 0;
  // The wait after a shown record: until the clock reaches `dueMs` (at once when it has passed
  // already), never less, ending within about a millisecond of it. It keeps the window painting
  // and handling input meanwhile (a window frozen for seconds at every record is a defect).
  // Handlers that run during it only change state; the replay reads that state at its next test.
  virtual void WaitAfterRecordUntil(double dueMs) = 0;
  // How many message boxes the window has opened so far, the replay's notices and its own (the
  // speed check's, the status box) alike. A box holds the replay up on purpose, so the pacing
  // schedule starts again after one instead of hurrying to catch up.
  virtual std::uint64_t MessageBoxesOpened() = 0;
  // Where the replay stands now; the window serves it to DDE clients and shows it on the taskbar.
  virtual void ShowStatus(const ReplayStatus& status) = 0;
  // The 100 ms step of the pause wait and of the wait for a non-zero speed; the replay calls
  // ProcessEvents right after it. It may keep the window responsive the same way.
  virtual void Wait(std::uint32_t ms) = 0;
  // Handles every window event pending now, then returns.
  virtual void ProcessEvents() = 0;

  // True once the window has been closed or the thread's message loop has been told to quit
  // (closing the chooser closes the main window too). The replay then returns at once, without
  // its closing notice; otherwise a replay that is paused or waiting for a speed would go on
  // forever in a process without a window.
  virtual bool Closed() = 0;
};

// The three moments that hand the forwards back to the user (a record written singly, the end of
// a forward by ticks, the end of the replay) enable both buttons, Forward first.
inline void EnableForwardButtons(ReplayWindow& window) {
  window.SetButtonEnabled(ReplayButton::Forward, true);
  window.SetButtonEnabled(ReplayButton::for_mins, true);
}

}  // namespace tickvane
