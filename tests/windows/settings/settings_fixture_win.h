// Setvane.exe started as the Start menu starts it, with the user's settings put back as they were
// after each test.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tests/windows/settings/made_folders_win.h"
#include "tests/windows/support/programs_win.h"
#include "tests/windows/support/user_settings_scope_win.h"

namespace tickvane::test {

class SettingsWindowTest : public ::testing::Test {
 protected:
  void TearDown() override;

  // Starts the window with these settings in the registry (nullopt: not set) and waits for it.
  void Open(std::optional<std::wstring> chartFolder, std::optional<std::wstring> recordingTimeZone);

  HWND Control(int id) const { return ::GetDlgItem(window_, id); }
  // Clicks a button and waits until the window has handled the click.
  void ClickAndWait(int id);
  // Picks the zone list's entry with that text, as a user picks it from the list.
  void ChooseZoneEntry(const std::wstring& text);
  // The zone with that key name, through its display text.
  void ChooseZone(const std::wstring& keyName);
  // Presses a key in the window, into the control that has the focus.
  void Press(UINT virtualKey);

  // Waits for a message box beside the window; nullptr when none came.
  HWND WaitForMessage();
  // Answers it with OK and waits until it has gone.
  void Dismiss(HWND box);
  // Whether the program ended, with exit code 0, within the time.
  bool Closes();

  // The values under HKEY_CURRENT_USER\Software\Tickvane; nullopt when not there.
  static std::optional<std::wstring> StoredChartFolder();
  static std::optional<std::wstring> StoredZone();

  static std::wstring ArtifactPath(std::wstring_view fileName);

  UserSettingsScope settings_;
  Process program_;
  HWND window_ = nullptr;
};


}  // namespace tickvane::test
