// TickvaneSetup-<version>.exe run as a user runs it, in a Wine prefix made for this test run alone:
// where it installs, how to run it and its uninstaller and wait for them, and what must be gone
// afterwards.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "common/window_design.h"
#include "tests/windows/support/programs_win.h"

namespace tickvane::test {

// Files that the installer puts into the program folder, besides the uninstaller.
extern const std::vector<std::wstring> kShippedFiles;

class InstallerTest : public ::testing::Test {
 protected:
  // Nothing of ours may be there before a test; a test that fails half-way uninstalls in TearDown.
  void SetUp() override;
  void TearDown() override;

  static std::wstring InstallerPath();
  static std::wstring InstallFolder();
  static std::wstring StartMenuFolder();
  static std::wstring InstalledFile(std::wstring_view name) { return InstallFolder() + L"\\" + std::wstring(name); }
  static const std::wstring kUninstallKey;

  // Runs the installer with those arguments and waits for its end; its exit code, or ~0 when it
  // did not end in time.
  DWORD Install(const std::wstring& arguments = L"/S");
  // Starts the uninstaller as Apps and Features does (the quiet or the plain uninstall command of
  // the Add/Remove Programs entry), waits for it to hand over to the copy of itself that does the
  // work and returns that copy. Empty when there is no entry or nothing was handed over.
  std::vector<UniqueHandle> StartUninstaller(bool quiet);
  // The quiet uninstall, waited for to its end; whether it ended.
  bool UninstallQuietly();

  // The Start menu, Add/Remove Programs entry, component registration and program folder hold
  // nothing of ours any more; the folder holds exactly userFiles (and is gone when there are none).
  void ExpectNothingOfOursLeft(const std::vector<std::wstring>& userFiles);

  // The window's client area and every control at the design's places at the requested DPI.
  void ExpectLaidOutAsDesigned(HWND window, const WindowDesign& design);
  // Saves a picture of the window as installer-<dpi>dpi/<name>.bmp among the test artifacts.
  void SaveShot(HWND window, std::wstring_view name);
};

}  // namespace tickvane::test
