#include "tests/windows/settings/settings_fixture_win.h"

#include "common/registry_win.h"
#include "common/user_settings_win.h"
#include "settings/settings_ids.h"
#include "tests/windows/settings/settings_window_view_win.h"
#include "tests/windows/support/windows_win.h"

namespace tickvane::test {
namespace {

std::optional<std::wstring> Stored(const wchar_t* name) {
  UniqueRegistryKey key = OpenRegistryKey(HKEY_CURRENT_USER, kSettingsKey);
  return ReadRegistryString(key.get(), name);
}

}  // namespace

void SettingsWindowTest::TearDown() {
  // A test that failed half-way leaves its window: end it before the settings are put back.
  program_.Kill();
}

void SettingsWindowTest::Open(std::optional<std::wstring> chartFolder, std::optional<std::wstring> recordingTimeZone) {
  settings_.Set(std::move(chartFolder), std::move(recordingTimeZone));
  program_ = Process::Start(ProgramsDirectory() + L"\\Setvane.exe", L"", ProgramsDirectory());
  ASSERT_TRUE(program_.Started());
  ASSERT_TRUE(WaitUntil([&] { return (window_ = FindSettingsWindow(program_.Id())) != nullptr; }, 60000))
      << "the settings window did not show";
}

void SettingsWindowTest::ClickAndWait(int id) {
  Click(Control(id));
  // The click is posted; a message sent after it is handled once the click has been.
  DWORD_PTR ignored = 0;
  ::SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 10000, &ignored);
}

void SettingsWindowTest::ChooseZoneEntry(const std::wstring& text) {
  HWND list = Control(IDC_ZONE);
  const LRESULT index = ::SendMessageW(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
  ASSERT_NE(index, CB_ERR) << "no such entry in the zone list";
  ::SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  ::SendMessageW(window_, WM_COMMAND, MAKEWPARAM(IDC_ZONE, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
  ASSERT_EQ(TextOf(list), text);
}

void SettingsWindowTest::ChooseZone(const std::wstring& keyName) {
  std::optional<std::wstring> display = ZoneDisplayText(keyName);
  ASSERT_TRUE(display) << "the system has no zone of that name";
  ChooseZoneEntry(*display);
}

void SettingsWindowTest::Press(UINT virtualKey) {
  PressKey(program_.ThreadId(), virtualKey);
}

HWND SettingsWindowTest::WaitForMessage() {
  HWND box = nullptr;
  // A window that closed instead has nothing more to say.
  WaitUntil([&] { return (box = MessageBoxBeside(program_.Id(), window_)) != nullptr || !program_.Running(); }, 60000);
  return box;
}

void SettingsWindowTest::Dismiss(HWND box) {
  ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(box, IDOK)));
  EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(box); }, 60000)) << "the message box did not close";
}

bool SettingsWindowTest::Closes() {
  DWORD exitCode = ~0u;
  return program_.WaitForExit(60000, &exitCode) && exitCode == 0;
}

std::optional<std::wstring> SettingsWindowTest::StoredChartFolder() { return Stored(kChartFolderSetting); }
std::optional<std::wstring> SettingsWindowTest::StoredZone() { return Stored(kRecordingTimeZoneSetting); }

std::wstring SettingsWindowTest::ArtifactPath(std::wstring_view fileName) {
  std::wstring folder = TestDirectory() + L"\\artifacts";
  ::CreateDirectoryW(folder.c_str(), nullptr);
  return folder + L"\\" + std::wstring(fileName);
}

}  // namespace tickvane::test
