// The station's own commands: pause, exit, the width toggle, status and the speed check.
#include "common/control_set_win.h"
#include "common/message_box_win.h"
#include "common/program_files.h"
#include "common/start_program_win.h"
#include "common/user_settings_win.h"
#include "common/win_text_win.h"
#include "station/engine/numeric_value.h"
#include "station/window/chooser_win.h"
#include "station/window/command_line.h"
#include "station/window/frmzavo_win.h"
#include "station/window/layout.h"
#include "station/engine/station_texts.h"

namespace tickvane {

void Frmzavo::cmdPause_Click() {
  if (!station.paused) {
    station.paused = true;
    SetText(MainControlId::cmdPause, L"Resume");
  } else {
    station.paused = false;
    SetText(MainControlId::cmdPause, L"Pause");
  }
}

void Frmzavo::cmdexit_Click() {
  ++messageBoxes_;
  if (!Confirm(Window(), kExitQuestion)) return;
  if (chooser_ && chooser_->Window()) ::DestroyWindow(chooser_->Window());
  ::DestroyWindow(Window());
  // At once, wherever a replay stands: nothing more reaches the chart file or DDE clients.
  ::ExitProcess(0);
}

void Frmzavo::more_Click() {
  RECT r{};
  ::GetWindowRect(Window(), &r);
  int widthTwips = station.wideView ? kNarrowViewWidth : kWideViewWidth;
  int width = TwipsToPixels(widthTwips, WindowDpi(Window()));
  ::SetWindowPos(Window(), nullptr, 0, 0, width, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  SetText(MainControlId::more, station.wideView ? L">>" : L"<<");
  station.wideView = !station.wideView;
}

void Frmzavo::status_Click() {
  if (station.Sierra()) {
    // Where the chart file really lies: in the user's chart folder when one is set.
    const std::wstring chartFile = ChartFilePath(ReadUserSettings(), ProgramDirectory(), Text(MainControlId::vqfilename));
    ShowNotice(std::wstring(kStatusSierra) + chartFile);
  } else {
    ShowNotice(kStatusDdeOnly);
  }
}

void Frmzavo::help_Click() {
  ::MessageBeep(MB_OK);
  const std::wstring page = ProgramDirectory() + L"\\" + kHelpPageName;
  DWORD error = 0;
  if (!StartProgram(kHelpProgram, HelpPageAddress(ProgramDirectory()), SW_SHOWMINIMIZED, &error)) {
    ShowNotice(L"The help page " + page + L" could not be opened: " + SystemErrorText(error));
  }
}

void Frmzavo::Timer1_Timer() { CheckSpeed(); }

void Frmzavo::CheckSpeed() {
  // The timer keeps ticking while the message is open and would find the same bad text again.
  if (speedMessageOpen_) return;
  if (NumericValue(Text(MainControlId::speed)) < 0) {
    speedMessageOpen_ = true;
    ShowNotice(kWrongSpeed);
    SetText(MainControlId::speed, kDesignSpeed);
    speedMessageOpen_ = false;
  }
}

}  // namespace tickvane
