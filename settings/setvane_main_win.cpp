// Setvane, the settings window: where the station writes chart files for Sierra Chart, and the
// time zone that the recorded ticks were taken in.
#include <windows.h>
#include <commctrl.h>

#include "common/com_owners_win.h"
#include "common/win_text_win.h"
#include "settings/settings_dialog_win.h"
#include "settings/settings_texts.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&controls);
  // The folder picker is a COM object of the shell.
  tickvane::ComApartment apartment;

  tickvane::settings::SettingsDialog dialog;
  const INT_PTR result = dialog.Run(instance);
  if (result == -1) {
    const std::wstring text = L"The settings window could not be shown: " + tickvane::SystemErrorText(::GetLastError());
    ::MessageBoxW(nullptr, text.c_str(), tickvane::settings::kTitle, MB_OK | MB_ICONSTOP);
    return 1;
  }
  return 0;
}
