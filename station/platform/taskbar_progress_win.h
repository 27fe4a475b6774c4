// The share of the playback file read, on the station window's taskbar button (ITaskbarList3):
// green while running, the paused look while paused or waiting for a speed, nothing once the
// replay has ended. A platform without it (an older Windows, a Wine without a taskbar) simply
// shows nothing: every failure here is silent, since the replay does not depend on it.
#pragma once

#include <windows.h>
#include <shobjidl.h>

#include <cstdint>

#include "common/com_owners_win.h"
#include "station/engine/replay_status.h"

namespace tickvane {

class TaskbarProgress {
 public:
  explicit TaskbarProgress(HWND window) : window_(window) {}

  // Shows the status; calls the taskbar only when what it shows changes (a thousandth of the
  // file, or the look), so that a replay pays nothing per record for it.
  void Show(const ReplayStatus& status);

  // The taskbar was made anew (Explorer restarted, "TaskbarButtonCreated"): the button has
  // forgotten what it showed, so it is told again at the next status.
  void ButtonCreated();

  // The message Explorer sends to a window whose taskbar button it has (re)made.
  static UINT ButtonCreatedMessage();

 private:
  bool Ready();

  // Joined first and left last: the taskbar object is released while the apartment stands.
  ComApartment apartment_;
  HWND window_;
  ComPtr<ITaskbarList3> taskbar_;
  bool unavailable_ = false;
  // What the button shows now; a flag value that no status gives before the first call.
  TBPFLAG shownFlag_ = static_cast<TBPFLAG>(-1);
  std::uint64_t shownThousandths_ = UINT64_MAX;
};

}  // namespace tickvane
