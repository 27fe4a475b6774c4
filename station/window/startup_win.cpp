// Start-up of the station: everything from the creation of the main window until it is ready.
#include "common/message_box_win.h"
#include "common/program_files.h"
#include "common/set_window_topmost_win.h"
#include "common/win_text_win.h"
#include "station/window/chooser_win.h"
#include "station/window/command_line.h"
#include "station/window/frmzavo_win.h"
#include "station/engine/station_texts.h"

namespace tickvane {
namespace {

// The pacing benchmark sets TICKVANE_BENCH_PACING=plain-sleep to measure the old way beside the
// schedule; nothing else does.
PacingRule BenchmarkPacingRule() {
  wchar_t value[32] = {};
  const DWORD n = ::GetEnvironmentVariableW(L"TICKVANE_BENCH_PACING", value, 32);
  return n > 0 && n < 32 && std::wstring_view(value) == L"plain-sleep" ? PacingRule::PlainSleep : PacingRule::Schedule;
}

}  // namespace

void Frmzavo::Form_Load() {
  if (instance_.AnotherIsRunning()) ::ExitProcess(0);
  // The window serves DDE under its design topic until the topic box is applied below. The service
  // is registered only now, so that a refused second copy never shows up to DDE clients.
  StartDdeService();

  station.forwardTicks = 0;
  station.forwardToTime = WriterValue::FromText(L"0");
  station.wideView = false;
  station.pacing = BenchmarkPacingRule();

  short topmost = kTopmost;
  SetWindowTopmost(Window(), topmost);

  station.commandArgs = SplitCommandLine(ArgumentText(::GetCommandLineW()));

  if (dde_) dde_->SetTopic(Text(MainControlId::txtLinkTopic));

  station.mode = ModeOf(station.commandArgs);
  switch (station.mode) {
    case StationMode::Sierra: {
      ShowNotice(kSierraStartNotice);
      if (!chooser_) {
        chooser_ = std::make_unique<Chooser>(*this);
        chooser_->Load();
      }
      chooser_->Show();
      ::ShowWindow(Window(), SW_HIDE);
      short chooserTopmost = kTopmost;
      SetWindowTopmost(chooser_->Window(), chooserTopmost);
      showsAfterLoad_ = false;
      break;
    }
    case StationMode::Esignal: {
      std::wstring notice = std::wstring(kEsignalNoticeBefore) + ProgramDirectory() + L"\\" + kPlaybackFileName +
                            kEsignalNoticeAfter;
      ShowNotice(notice);
      ::DestroyWindow(Window());
      ::ExitProcess(0);
    }
    case StationMode::DdeOnly:
      ::EnableWindow(Control(MainControlId::more), FALSE);
      // The forward controls lie outside the narrow view, but Tab would still reach them, and
      // outside "sierra" mode an accepted forward would silence the rest of the replay.
      for (MainControlId id : {MainControlId::Forward, MainControlId::tick, MainControlId::for_mins, MainControlId::for_min})
        ::EnableWindow(Control(id), FALSE);
      break;
  }

  ::SetTimer(Window(), 1, 1, nullptr);
  // The tooltip is a topmost window owned by this one; made before this window is put on top,
  // Wine leaves this window in the normal order.
  CreateTooltip();
}

}  // namespace tickvane
