#include "station/platform/taskbar_progress_win.h"

namespace tickvane {
namespace {

TBPFLAG FlagFor(ReplayState state) {
  switch (state) {
    case ReplayState::Running:
    case ReplayState::Forwarding: return TBPF_NORMAL;
    case ReplayState::Paused:
    case ReplayState::WaitingForSpeed: return TBPF_PAUSED;
    case ReplayState::Idle:
    case ReplayState::Finished: break;
  }
  return TBPF_NOPROGRESS;
}

}  // namespace

UINT TaskbarProgress::ButtonCreatedMessage() {
  static const UINT message = ::RegisterWindowMessageW(L"TaskbarButtonCreated");
  return message;
}

bool TaskbarProgress::Ready() {
  if (taskbar_) return true;
  if (unavailable_) return false;
  if (FAILED(::CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskbarList3,
                                taskbar_.put_void())) ||
      FAILED(taskbar_->HrInit())) {
    taskbar_.reset();
    unavailable_ = true;  // asked once per replay station, not per record
    return false;
  }
  return true;
}

void TaskbarProgress::ButtonCreated() {
  shownFlag_ = static_cast<TBPFLAG>(-1);
  shownThousandths_ = UINT64_MAX;
}

void TaskbarProgress::Show(const ReplayStatus& status) {
  const TBPFLAG flag = FlagFor(status.state);
  std::uint64_t thousandths = 0;
  if (status.fileSize != 0)
    thousandths = status.bytesRead >= status.fileSize ? 1000 : status.bytesRead * 1000 / status.fileSize;
  if (flag == shownFlag_ && (flag == TBPF_NOPROGRESS || thousandths == shownThousandths_)) return;
  if (!Ready()) return;
  if (flag != shownFlag_) taskbar_->SetProgressState(window_, flag);
  // The paused look keeps its bar; only "no progress" has none to set.
  if (flag != TBPF_NOPROGRESS) taskbar_->SetProgressValue(window_, thousandths, 1000);
  shownFlag_ = flag;
  shownThousandths_ = thousandths;
}

}  // namespace tickvane
