// Genvane, the converter: turns recorded ticks into the station's practice.EPF, then starts the
// station in the matching mode.
//   Genvane [sierra|ddeonly|esignal] [TICKFILE...]
// Without a tick file it asks for them, showing what it finds in the picked file; without a mode
// word it is esignal mode. Several files become one playback file in time order.
#include <windows.h>
#include <commctrl.h>

#include <optional>
#include <string>
#include <vector>

#include "common/program_files.h"
#include "common/start_program_win.h"
#include "common/user_settings_win.h"
#include "common/win_text_win.h"
#include "converter/conversion_job_win.h"
#include "converter/genvane_mode.h"
#include "converter/genvane_texts.h"
#include "converter/open_dialog_win.h"
#include "converter/progress_window_win.h"
#include "converter/zone_directory_win.h"

namespace {

using namespace tickvane;
using namespace tickvane::converter;

void ShowError(const std::wstring& text) {
  ::MessageBoxW(nullptr, text.c_str(), kProgramTitle, MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}

int Run() {
  std::vector<std::wstring> arguments = ProgramArguments();
  std::wstring modeWord = arguments.empty() ? std::wstring() : arguments[0];
  const wchar_t* stationMode = StationModeAfter(modeWord);
  if (!stationMode) {
    ShowError(L"Genvane was started with the command line \"" + std::wstring(::GetCommandLineW()) +
              L"\", which it does not understand.\r\n\r\nUse: Genvane [sierra|ddeonly|esignal] [tick file...]");
    return 2;
  }
  std::wstring folder = ProgramDirectory();
  // The playback file is written in the recording time zone of the settings, which the station
  // shows and the chart file is written from.
  JobRequest request;
  request.target = folder + L"\\" + kPlaybackFileName;
  request.playbackZone = ToUtf8(ReadUserSettings().recordingTimeZone);
  request.playbackZoneOrigin = std::wstring(kRecordingTimeZoneSetting) + L" in Tickvane Settings";
  if (arguments.size() >= 2) {
    request.inputs.assign(arguments.begin() + 1, arguments.end());
  } else {
    const ZoneDirectory zones = SystemZoneDirectory();
    std::optional<ZoneRules> playback;
    if (!request.playbackZone.empty()) playback = ResolveZone(request.playbackZone, &zones);
    std::optional<TickFilePick> pick =
        AskForTickFiles(folder, kSampleFileName, request.playbackZone, playback ? &*playback : nullptr);
    if (!pick) return 1;  // the user changed their mind: nothing to do
    request.inputs = pick->files;
    request.sourceZone = pick->choices.sourceZone;
    request.price = pick->choices.price;
    request.symbol = pick->choices.symbol;
  }

  ConversionJob job(request);
  job.Start();
  ProgressWindow progress(job);
  switch (progress.RunUntilDone()) {
    case JobOutcome::Done: break;
    case JobOutcome::Cancelled: return 1;
    default:
      ShowError(job.Message());
      return 1;
  }

  DWORD error = 0;
  if (!StartProgram(kStationProgram, stationMode, SW_SHOWNORMAL, &error)) {
    ShowError(L"The playback file " + request.target + L" was written, but the station could not be started with "
              L"the command line \"" + kStationProgram + L" " + stationMode + L"\": " + SystemErrorText(error));
    return 1;
  }
  return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&controls);
  return Run();
}
