// A station started from its own copy of Tickvane.exe in a fresh folder, driven from outside.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>

#include "tests/windows/support/programs_win.h"
#include "tests/windows/support/windows_win.h"

namespace tickvane::test {

class StationTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Starts the station copy with the given argument text (quotes and all).
  void StartStation(const std::wstring& arguments);
  // Waits for the main window to exist and be shown; fails the test otherwise.
  HWND WaitForMainWindow();
  HWND WaitForChooser();
  // A visible top-level window of the station's of that class, once it shows (30 s at most).
  HWND WaitForWindowOfClass(const wchar_t* className, const char* what) const;
  HWND MainControl(std::wstring_view name) const;
  HWND ChooserControl(std::wstring_view name) const;
  // Waits for a message box, checks it is a notice with that text under the title "zavo", closes it.
  void ExpectNotice(std::wstring_view text);
  bool WaitForExit(DWORD* exitCode = nullptr, DWORD timeoutMs = 30000);
  // Registers the copy of zavovq.dll in the test's folder with regsvr32, as a user would; the
  // registration is taken back when the test ends.
  bool RegisterComponent();
  // "sierra" mode as a user starts it: our chart-file writer copied and registered, the playback
  // file in place, the start-up notice answered and IBM.mnd picked in the chooser; the main
  // window then shows. Fails the test (fatally) when a step does not work.
  void StartSierraOnIbm(const std::string& playbackFile);
  // Where screenshots go, so a person can look at them after the run.
  static std::wstring ArtifactPath(std::wstring_view fileName);

  std::unique_ptr<ScratchFolder> folder_;
  std::wstring program_;
  Process station_;
  HWND main_ = nullptr;
  HWND chooser_ = nullptr;

 private:
  bool Regsvr32(bool on);
  bool registered_ = false;
};

}  // namespace tickvane::test
