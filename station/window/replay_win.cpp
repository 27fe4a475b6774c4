// The replay as the main window runs it: the Start button, the pause wait, and what the replay
// reaches of the window (its boxes, buttons, notices, waits and event handling).
#include <exception>

#include "common/message_box.h"
#include "common/message_loop_win.h"
#include "common/win_text.h"
#include "station/engine/chart_writer_com.h"
#include "station/engine/forward_step.h"
#include "station/engine/replay_loop.h"
#include "station/engine/replay_wait_win.h"
#include "station/engine/win_file_byte_source_win.h"
#include "station/window/frmzavo_win.h"
#include "station/window/station_texts.h"

namespace tickvane {

void Frmzavo::cbStartFastSend_Click() {
  if (!writerFactory_) writerFactory_ = MakeComChartWriterFactory("zavovq");
  std::wstring folder = ProgramDirectory();
  FineTimerResolution fineWaits;
  // No exception may leave a window procedure; the replay itself throws none of its own.
  try {
    RunReplay(*this, station, *writerFactory_, [folder] { return OpenPlaybackFile(folder); }, ForwardStep,
              FinishForwards);
  } catch (const std::exception& e) {
    tickvane::ShowNotice(Window(), L"The replay stopped: " + FromUtf8(e.what()), kProgramTitle);
  }
}

void Frmzavo::Pause() { PauseWait(*this, station); }

void Frmzavo::SetLastText(std::string_view tickPrice) { SetText(L"last", FromAnsi(tickPrice)); }

void Frmzavo::SetTimeText(std::string_view maskedTime) { SetText(L"time", FromUtf8(maskedTime)); }

std::string Frmzavo::SpeedText() { return ToUtf8(Text(L"speed")); }

void Frmzavo::SetSpeedText(std::string_view text) { SetText(L"speed", FromUtf8(text)); }

std::string Frmzavo::ChartFileName() { return ToUtf8(Text(L"vqfilename")); }

void Frmzavo::SetButtonEnabled(ReplayButton button, bool enabled) {
  const wchar_t* name = button == ReplayButton::cbStartFastSend ? L"cbStartFastSend"
                        : button == ReplayButton::Forward       ? L"Forward"
                                                                : L"for_mins";
  ::EnableWindow(Control(name), enabled ? TRUE : FALSE);
}

void Frmzavo::ShowNotice(std::string_view text) {
  tickvane::ShowNotice(Window(), FromUtf8(text), kProgramTitle);
}

void Frmzavo::WaitAfterRecord(std::uint32_t ms) {
  if (!PumpingWait(ms, &DispatchWindowMessage)) quitSeen_ = true;
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
