// The replay as the main window runs it: the Start button, the pause wait, and what the replay
// reaches of the window (its boxes, buttons, notices, waits and event handling).
#include <exception>

#include "common/message_box_win.h"
#include "common/message_loop_win.h"
#include "common/win_text_win.h"
#include "station/platform/chart_writer_com_win.h"
#include "station/engine/replay_loop.h"
#include "station/platform/replay_wait_win.h"
#include "station/platform/playback_file_win.h"
#include "station/window/frmzavo_win.h"
#include "station/engine/station_texts.h"

namespace tickvane {

void Frmzavo::cbStartFastSend_Click() {
  if (!writerFactory_) writerFactory_ = MakeComChartWriterFactory();
  std::wstring folder = ProgramDirectory();
  FineTimerResolution fineWaits;
  // No exception may leave a window procedure; the replay itself throws none of its own.
  try {
    RunReplay(*this, station, *writerFactory_, [folder] { return OpenPlaybackFile(folder); });
  } catch (const std::exception& e) {
    ShowNotice(L"The replay stopped: " + FromUtf8(e.what()));
  }
}

void Frmzavo::SetLastText(std::string_view tickPrice) { SetText(MainControlId::last, FromAnsi(tickPrice)); }

void Frmzavo::SetTimeText(std::string_view maskedTime) { SetText(MainControlId::time, FromAnsi(maskedTime)); }

std::wstring Frmzavo::SpeedText() { return Text(MainControlId::speed); }

void Frmzavo::SetSpeedText(std::wstring_view text) { SetText(MainControlId::speed, text); }

std::wstring Frmzavo::ChartFileName() { return Text(MainControlId::vqfilename); }

void Frmzavo::SetButtonEnabled(ReplayButton button, bool enabled) {
  MainControlId id = MainControlId::cbStartFastSend;
  switch (button) {
    case ReplayButton::cbStartFastSend: id = MainControlId::cbStartFastSend; break;
    case ReplayButton::Forward: id = MainControlId::Forward; break;
    case ReplayButton::for_mins: id = MainControlId::for_mins; break;
  }
  ::EnableWindow(Control(id), enabled ? TRUE : FALSE);
}

void Frmzavo::ShowNotice(std::wstring_view text) {
  ++messageBoxes_;
  tickvane::ShowNotice(Window(), text, kProgramTitle);
}

double Frmzavo::NowMs() { return ClockMs(); }

void Frmzavo::WaitAfterRecordUntil(double dueMs) {
  if (!PumpingWaitUntil(dueMs, &DispatchWindowMessage)) quitSeen_ = true;
}

void Frmzavo::Wait(std::uint32_t ms) {
  if (!PumpingWait(ms, &DispatchWindowMessage)) quitSeen_ = true;
}

void Frmzavo::ProcessEvents() {
  MSG message{};
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      // The message loop outside must still see it once the replay has returned.
      quitSeen_ = true;
      ::PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    DispatchWindowMessage(message);
  }
}

bool Frmzavo::Closed() { return quitSeen_ || !Window(); }

}  // namespace tickvane
