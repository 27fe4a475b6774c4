// Genvane, the converter: turns recorded ticks into the station's practice.EPF, then starts the
// station in the matching mode.
//   Genvane [sierra|ddeonly|esignal] [TICKFILE]
// Without a tick file it asks for one; without a mode word it is esignal mode.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <optional>
#include <string>
#include <vector>

#include "common/start_program_win.h"
#include "common/win_text.h"
#include "converter/conversion_job_win.h"
#include "converter/genvane_mode.h"
#include "converter/genvane_texts.h"
#include "converter/open_dialog_win.h"
#include "converter/progress_window_win.h"

namespace {

using namespace tickvane;
using namespace tickvane::converter;

void ShowError(const std::wstring& text) {
  ::MessageBoxW(nullptr, text.c_str(), kProgramTitle, MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}

std::vector<std::wstring> Arguments() {
  int count = 0;
  wchar_t** words = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  std::vector<std::wstring> arguments;
  if (!words) return arguments;
  for (int i = 1; i < count; ++i) arguments.emplace_back(words[i]);
  ::LocalFree(words);
  return arguments;
}

int Run() {
  std::vector<std::wstring> arguments = Arguments();
  std::wstring modeWord = arguments.empty() ? std::wstring() : arguments[0];
  const wchar_t* stationMode = StationModeAfter(modeWord);
  if (!stationMode || arguments.size() > 2) {
    ShowError(L"Genvane was started with the command line \"" + std::wstring(::GetCommandLineW()) +
              L"\", which it does not understand.\r\n\r\nUse: Genvane [sierra|ddeonly|esignal] [tick file]");
    return 2;
  }
  std::wstring folder = ProgramDirectory();
  std::wstring input;
  if (arguments.size() == 2) {
    input = arguments[1];
  } else {
    std::optional<std::wstring> chosen = AskForTickFile(folder, kSampleFileName);
    if (!chosen) return 1;  // the user changed their mind: nothing to do
    input = *chosen;
  }

  ConversionJob job(input, folder + L"\\" + kPlaybackFileName);
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
    ShowError(L"The playback file " + folder + L"\\" + kPlaybackFileName +
              L" was written, but the station could not be started with the command line \"" + kStationProgram +
              L" " + stationMode + L"\": " + SystemErrorText(error));
    return 1;
  }
  return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_PROGRESS_CLASS};
  ::InitCommonControlsEx(&controls);
  return Run();
}
