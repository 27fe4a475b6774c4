// The settings window of Setvane.exe as a user sees it: what it shows, whether its controls and
// texts fit, and the message boxes it opens. Shared by the window's tests and the installer's,
// which also look at the installer's settings page this way.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace tickvane::test {

// The process's visible settings window, or nullptr.
HWND FindSettingsWindow(DWORD processId);

struct SettingsWindowState {
  bool intoFolder = false;     // "Into this folder" is chosen
  bool besidePrograms = false; // "Beside the Tickvane programs" is chosen
  bool folderBoxEnabled = false;
  std::wstring folder;         // the text of the folder box
  std::wstring zone;           // the chosen entry of the zone list, as shown
};
SettingsWindowState ReadSettingsWindow(HWND window);

// What is wrong with the layout of a dialog in the system's dialog font (8 points of MS Shell Dlg)
// at that DPI: controls outside the window or the screen, controls on top of each other or half
// out of their group, texts cut off. Empty when all is well.
std::vector<std::string> DialogLayoutProblems(HWND dialog, int dpi);

// A visible message box of the process other than the window itself.
HWND MessageBoxBeside(DWORD processId, HWND window);
// Its text.
std::wstring MessageBoxText(HWND box);

// The zone's display text as the system's registry gives it ("(UTC-05:00) Eastern Time ...").
std::optional<std::wstring> ZoneDisplayText(const std::wstring& keyName);

}  // namespace tickvane::test
