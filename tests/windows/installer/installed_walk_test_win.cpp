// The whole way from the installed toolset, started as the Start menu starts it: both walks of the
// launcher (DDE only, and "sierra" into a chart file), every window at its designed size at the
// run's DPI and pictured, then an uninstall that keeps the files the walk made for the user.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>

#include "launcher/launcher_layout.h"
#include "launcher/launcher_texts.h"
#include "station/window/layout.h"
#include "tests/windows/installer/installation_win.h"
#include "tests/windows/installer/installer_fixture_win.h"
#include "tests/windows/settings/settings_window_view_win.h"
#include "tests/windows/support/dde_child_process_win.h"
#include "tests/windows/support/launcher_recorder_win.h"
#include "tests/windows/support/sample_replay_win.h"
#include "tests/windows/support/windows_win.h"

namespace tickvane::test {
namespace {

class InstalledWalk : public InstallerTest {
 protected:
  void TearDown() override {
    watch_.Kill();
    EndProcessOf(station_);
    EndProcessOf(dialog_);
    launcher_.Kill();
    InstallerTest::TearDown();
  }

  // Starts what the Start menu's "Tickvane Playback" points to, as the shell does, picks the
  // option and answers its question with Yes.
  void ChooseInLauncher(const Shortcut& shortcut, const wchar_t* option, const wchar_t* shotPrefix) {
    launcher_ = Process::Start(shortcut.target, shortcut.arguments, shortcut.workingDirectory);
    ASSERT_TRUE(launcher_.Started());
    HWND window = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (window = FindTopLevel(launcher_.Id(), launcher::kWindowClass, true)) != nullptr; }));
    ExpectLaidOutAsDesigned(window, launcher::LauncherWindowDesign());
    SaveShot(window, std::wstring(shotPrefix) + L"launcher");
    const ControlDesign* control = FindControl(launcher::LauncherWindowDesign(), option);
    ASSERT_TRUE(control);
    Click(::GetDlgItem(window, control->id));
    std::optional<MessageBoxView> question = WaitForMessageBox(launcher_.Id());
    ASSERT_TRUE(question);
    EXPECT_EQ(question->title, L"Are you sure?");
    SaveShot(question->window, std::wstring(shotPrefix) + L"launcher-question");
    Answer(*question, IDYES);
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(question->window); }));
  }

  // The converter's open-file dialog offers the bundled sample; taken.
  void TakeTheOfferedSample(const wchar_t* shot) {
    ASSERT_TRUE(WaitUntil([&] { return (dialog_ = FindTopLevelAnywhere(L"#32770", L"Genvane")) != nullptr; }, 60000))
        << "the converter's open-file dialog did not show";
    if (shot) SaveShot(dialog_, shot);
    ::PostMessageW(dialog_, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog_, IDOK)));
  }

  void WaitForStation() {
    ASSERT_TRUE(WaitUntil([&] { return (station_ = FindTopLevelAnywhere(L"TickvaneFrmzavo", L"")) != nullptr; }, 60000))
        << "the station did not come up";
  }

  void EndStation() {
    EndProcessOf(station_);
    station_ = nullptr;
  }

  Process launcher_;
  tickvane::testing::DdeChildProcess watch_;
  HWND dialog_ = nullptr;
  HWND station_ = nullptr;
};

TEST_F(InstalledWalk, FromTheStartMenuBothWaysAndTheUsersFilesOutliveTheUninstall) {
  ASSERT_EQ(Install(L"/S"), 0u);
  std::optional<Shortcut> shortcut = ReadShortcut(StartMenuFolder() + L"\\Tickvane Playback.lnk");
  ASSERT_TRUE(shortcut);

  // The settings as the installation left them, in "Tickvane Settings": no Sierra Chart was found,
  // and the ticks are taken as New York's.
  {
    std::optional<Shortcut> settingsShortcut = ReadShortcut(StartMenuFolder() + L"\\Tickvane Settings.lnk");
    ASSERT_TRUE(settingsShortcut);
    Process settingsWindow =
        Process::Start(settingsShortcut->target, settingsShortcut->arguments, settingsShortcut->workingDirectory);
    ASSERT_TRUE(settingsWindow.Started());
    HWND window = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (window = FindSettingsWindow(settingsWindow.Id())) != nullptr; }, 60000));
    SettingsWindowState shown = ReadSettingsWindow(window);
    EXPECT_TRUE(shown.besidePrograms);
    EXPECT_EQ(shown.folder, L"");
    EXPECT_EQ(shown.zone, ZoneDisplayText(L"Eastern Standard Time").value_or(L"?"));
    std::string layout;
    for (const std::string& problem : DialogLayoutProblems(window, RequestedDpi())) layout += problem + "\n";
    EXPECT_TRUE(layout.empty()) << layout;
    SaveShot(window, L"settings");
    Click(::GetDlgItem(window, IDCANCEL));
    ASSERT_TRUE(settingsWindow.WaitForExit(60000));
  }

  // DDE only: launcher, converter, station, and a linked ddewatch receiving the sample's ticks.
  ChooseInLauncher(*shortcut, L"tickvane", L"dde-");
  ASSERT_TRUE(launcher_.WaitForExit(30000));
  TakeTheOfferedSample(L"converter-open-file");
  WaitForStation();
  ExpectLaidOutAsDesigned(station_, MainWindowDesign());
  ASSERT_NO_FATAL_FAILURE(ReplaySampleIntoDdewatch(watch_, InstalledFile(L"ddewatch.exe"), station_));
  SaveShot(station_, L"station-dde");
  EndStation();

  // "sierra": the launcher's notice, the station's notice and chooser, a replay into ibm.mnd
  // through the component that the installer registered, and chartdump reading it back.
  ChooseInLauncher(*shortcut, L"sierra", L"sierra-");
  std::optional<MessageBoxView> notice = WaitForMessageBox(launcher_.Id());
  ASSERT_TRUE(notice);
  SaveShot(notice->window, L"sierra-launcher-notice");
  Answer(*notice, IDOK);
  ASSERT_TRUE(launcher_.WaitForExit(30000));
  TakeTheOfferedSample(nullptr);
  HWND stationNotice = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (stationNotice = FindTopLevelAnywhere(L"#32770", L"zavo")) != nullptr; }, 60000));
  std::optional<MessageBoxView> box = FindMessageBox(ProcessOf(stationNotice));
  ASSERT_TRUE(box);
  SaveShot(box->window, L"sierra-station-notice");
  Answer(*box, IDOK);
  HWND chooser = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (chooser = FindTopLevelAnywhere(L"TickvaneFilename", L"")) != nullptr; }, 60000));
  ExpectLaidOutAsDesigned(chooser, ChooserWindowDesign());
  SaveShot(chooser, L"sierra-chooser");
  Click(ControlOf(chooser, ChooserControlId::IBM));
  WaitForStation();
  SetTextOf(ControlOf(station_, MainControlId::speed), L"100000");
  Click(ControlOf(station_, MainControlId::cbStartFastSend));
  std::optional<MessageBoxView> done = WaitForMessageBox(ProcessOf(station_), 300000);
  ASSERT_TRUE(done) << "the replay did not end";
  EXPECT_EQ(done->text, L"This playback session has been done. Happy trading!");
  SaveShot(station_, L"sierra-station");
  SaveShot(done->window, L"sierra-station-done");
  EndStation();

  tickvane::testing::DdeChildProcess dump;
  std::wstring error;
  ASSERT_TRUE(dump.Start(InstalledFile(L"chartdump.exe"), L"\"" + InstalledFile(L"ibm.mnd") + L"\"", true, &error))
      << Narrow(error);
  ASSERT_TRUE(dump.WaitExit(60000));
  std::string chart = dump.Output();
  // The installation set RecordingTimeZone to New York's: the chart holds UTC, four hours on in
  // October's summer time, and chartdump shows the recorded time beside it.
  EXPECT_NE(chart.find("20131007 180007 182.50 1 20131007 140007"), std::string::npos) << chart.substr(0, 500);
  EXPECT_NE(chart.find("# 17049 records"), std::string::npos) << chart.substr(chart.size() > 300 ? chart.size() - 300 : 0);

  // Whatever the walk added to the folder is the user's and stays, untouched.
  std::map<std::wstring, std::string> userFiles;
  for (const std::wstring& name : FolderContents(InstallFolder()))
    if (name != L"Uninstall.exe" && std::find(kShippedFiles.begin(), kShippedFiles.end(), name) == kShippedFiles.end())
      userFiles[name] = ReadWholeFile(InstalledFile(name));
  ASSERT_TRUE(userFiles.count(L"practice.EPF"));
  ASSERT_TRUE(userFiles.count(L"ibm.mnd"));
  ASSERT_TRUE(UninstallQuietly());
  std::vector<std::wstring> names;
  for (const auto& [name, bytes] : userFiles) names.push_back(name);
  ExpectNothingOfOursLeft(names);
  for (const auto& [name, bytes] : userFiles) EXPECT_EQ(ReadWholeFile(InstalledFile(name)), bytes) << Narrow(name);
}

}  // namespace
}  // namespace tickvane::test
