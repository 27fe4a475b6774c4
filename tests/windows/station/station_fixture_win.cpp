#include "tests/windows/station/station_fixture_win.h"

#include "tests/windows/support/launcher_recorder_win.h"

#include "station/window/layout.h"
#include "station/engine/station_texts.h"

namespace tickvane::test {

void StationTest::SetUp() {
  folder_ = std::make_unique<ScratchFolder>(L"station");
  program_ = folder_->CopyProgram(L"Tickvane.exe");
}

void StationTest::TearDown() {
  station_.Kill();
  if (registered_) Regsvr32(false);
  folder_.reset();
}

bool StationTest::Regsvr32(bool on) {
  Process p = Process::Start(L"C:\\windows\\system32\\regsvr32.exe",
                             std::wstring(on ? L"/s \"" : L"/u /s \"") + folder_->Path() + L"\\zavovq.dll\"",
                             folder_->Path());
  DWORD exitCode = 1;
  return p.WaitForExit(60000, &exitCode) && exitCode == 0;
}

bool StationTest::RegisterComponent() { return registered_ = Regsvr32(true); }

void StationTest::StartSierraOnIbm(const std::string& playbackFile) {
  ASSERT_TRUE(FileExists(folder_->CopyProgram(L"zavovq.dll")));
  ASSERT_TRUE(RegisterComponent()) << "zavovq.dll could not be registered";
  folder_->WriteFile(L"practice.EPF", playbackFile);
  StartStation(L"sierra");
  ExpectNotice(L"If you have not done so, please start your SierraCharting program now.");
  ASSERT_TRUE(WaitForChooser());
  Click(ChooserControl(L"IBM"));
  ASSERT_TRUE(WaitForMainWindow());
}

void StationTest::StartStation(const std::wstring& arguments) {
  station_ = Process::Start(program_, arguments, folder_->Path());
  ASSERT_TRUE(station_.Started()) << "could not start " << std::string(program_.begin(), program_.end());
}

HWND StationTest::WaitForMainWindow() {
  main_ = WaitForWindowOfClass(kMainWindowClass, "the station's main window");
  return main_;
}

HWND StationTest::WaitForChooser() {
  chooser_ = WaitForWindowOfClass(kChooserWindowClass, "the chart-file chooser");
  return chooser_;
}

HWND StationTest::WaitForWindowOfClass(const wchar_t* className, const char* what) const {
  HWND found = nullptr;
  EXPECT_TRUE(WaitUntil([&] { return (found = FindTopLevel(station_.Id(), className, true)) != nullptr; }))
      << what << " did not show";
  return found;
}

HWND StationTest::MainControl(std::wstring_view name) const {
  HWND main = main_ ? main_ : FindTopLevel(station_.Id(), kMainWindowClass, false);
  return ::GetDlgItem(main, FindControl(MainWindowDesign(), name)->id);
}

HWND StationTest::ChooserControl(std::wstring_view name) const {
  HWND chooser = chooser_ ? chooser_ : FindTopLevel(station_.Id(), kChooserWindowClass, false);
  return ::GetDlgItem(chooser, FindControl(ChooserWindowDesign(), name)->id);
}

void StationTest::ExpectNotice(std::wstring_view text) {
  auto box = WaitForMessageBox(station_.Id());
  ASSERT_TRUE(box) << "no message box opened";
  EXPECT_EQ(box->text, text);
  EXPECT_EQ(box->title, L"zavo");
  EXPECT_EQ(box->buttons, std::vector<int>{IDOK});
  EXPECT_FALSE(box->hasIcon);
  Answer(*box, IDOK);
  EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(box->window); })) << "the message box did not close";
}

bool StationTest::WaitForExit(DWORD* exitCode, DWORD timeoutMs) {
  return station_.WaitForExit(timeoutMs, exitCode);
}

std::wstring StationTest::ArtifactPath(std::wstring_view fileName) {
  std::wstring folder = TestDirectory() + L"\\artifacts";
  ::CreateDirectoryW(folder.c_str(), nullptr);
  return folder + L"\\" + std::wstring(fileName);
}

}  // namespace tickvane::test
