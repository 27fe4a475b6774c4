// The settings window: the chart folder and the recording's time zone, read from the user's
// settings when it opens and written back only by OK, and only when both can be used.
#pragma once

#include <windows.h>

#include "settings/zone_choices_win.h"

namespace tickvane::settings {

class SettingsDialog {
 public:
  // Shows the window until it is closed: IDOK when the settings were written, IDCANCEL when they
  // were left as they were, -1 when the window could not be made.
  INT_PTR Run(HINSTANCE instance);

 private:
  static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
  void OnInit();
  void OnCommand(int id, int code);
  void ChooseIntoFolder(bool intoFolder);
  void Browse();
  void FindSierraChart();
  // Checks both settings, tells the user once what is wrong, or writes them; whether written.
  bool Save();
  void Complain(const std::wstring& text, int focusId);

  HWND dialog_ = nullptr;
  ZoneChoices zones_;
};

}  // namespace tickvane::settings
