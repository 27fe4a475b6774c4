// Finding Sierra Chart's Data folder where its installations usually keep it, and picking a
// folder with the system's picker.
#include <gtest/gtest.h>

#include "settings/settings_ids.h"
#include "settings/sierra_chart_folders.h"
#include "settings/sierra_chart_search_win.h"
#include "tests/windows/settings/settings_fixture_win.h"
#include "tests/windows/settings/settings_window_view_win.h"
#include "tests/windows/support/windows_win.h"

namespace tickvane::test {
namespace {

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

struct FindCase {
  const char* label;
  std::vector<std::wstring> made;  // folders there for the test
  const wchar_t* found;            // what the box then shows; nullptr: nothing is found
};

// Test names and failure messages show the case by its label.
void PrintTo(const FindCase& c, std::ostream* out) { *out << c.label; }

const FindCase kFindCases[] = {
    {"FirstInstallation", {L"C:\\SierraChart\\Data", L"C:\\SierraChart2\\Data"}, L"C:\\SierraChart\\Data"},
    {"NumberedInstallationsInOrder", {L"C:\\SierraChart7\\Data", L"C:\\SierraChart3\\Data"}, L"C:\\SierraChart3\\Data"},
    {"DriveRootBeforeProgramFiles", {L"C:\\Program Files\\SierraChart\\Data", L"C:\\SierraChart9\\Data"},
     L"C:\\SierraChart9\\Data"},
    {"ProgramFiles", {L"C:\\Program Files\\SierraChart\\Data"}, L"C:\\Program Files\\SierraChart\\Data"},
    {"ProgramFilesX86", {L"C:\\Program Files (x86)\\SierraChart\\Data"}, L"C:\\Program Files (x86)\\SierraChart\\Data"},
    // An installation without its Data folder has never stored a chart: nothing to offer.
    {"InstallationWithoutData", {L"C:\\SierraChart", L"C:\\SierraChart2\\Charts"}, nullptr},
    {"NoInstallation", {}, nullptr},
};

class FindsSierraChart : public SettingsWindowTest, public ::testing::WithParamInterface<FindCase> {
 protected:
  void SetUp() override {
    // The prefix holds no Sierra Chart of its own, or the cases would not mean what they say.
    for (const std::wstring& usual : settings::SierraChartDataCandidates(L"C:\\"))
      ASSERT_FALSE(settings::IsExistingFolder(usual)) << "already there: " << Narrow(usual);
  }
};

TEST_P(FindsSierraChart, InTheUsualPlaces) {
  const FindCase& c = GetParam();
  MadeFolders made(c.made);
  ScratchFolder before(L"settings-find");
  // Starting beside the programs: a find switches to the folder; a failed one changes nothing.
  ASSERT_NO_FATAL_FAILURE(Open(std::nullopt, std::nullopt));
  SetTextOf(Control(IDC_FOLDER), before.Path());
  ClickAndWait(IDC_FIND_SIERRA);
  if (c.found) {
    ASSERT_TRUE(WaitUntil([&] { return ReadSettingsWindow(window_).folder == c.found; }, 10000))
        << "shows " << Narrow(ReadSettingsWindow(window_).folder);
    EXPECT_TRUE(ReadSettingsWindow(window_).intoFolder);
    EXPECT_TRUE(ReadSettingsWindow(window_).folderBoxEnabled);
    ClickAndWait(IDOK);
    ASSERT_TRUE(Closes());
    EXPECT_EQ(StoredChartFolder(), c.found);
  } else {
    HWND box = WaitForMessage();
    ASSERT_TRUE(box) << "no message";
    const std::wstring text = MessageBoxText(box);
    EXPECT_NE(text.find(L"No Sierra Chart Data folder was found"), std::wstring::npos) << Narrow(text);
    EXPECT_NE(text.find(L"Browse..."), std::wstring::npos) << Narrow(text);
    Dismiss(box);
    SettingsWindowState shown = ReadSettingsWindow(window_);
    EXPECT_EQ(shown.folder, before.Path());
    EXPECT_TRUE(shown.besidePrograms);
    ClickAndWait(IDOK);
    ASSERT_TRUE(Closes());
    EXPECT_EQ(StoredChartFolder(), std::nullopt);
  }
}

INSTANTIATE_TEST_SUITE_P(Settings, FindsSierraChart, ::testing::ValuesIn(kFindCases),
                         [](const auto& info) { return std::string(info.param.label); });

// The system's folder picker, in the window's process; nullptr when it is not open.
HWND FolderPicker(DWORD processId, HWND settingsWindow) {
  for (HWND w : TopLevelWindows(processId, true))
    if (w != settingsWindow && ClassNameOf(w) == L"#32770" && TextOf(w) == L"Sierra Chart's Data Files folder") return w;
  return nullptr;
}

constexpr int kPickerNameBox = 1152;  // the picker's "File name:" box

class BrowsesForAFolder : public SettingsWindowTest, public ::testing::WithParamInterface<bool> {};

// A folder picked (typed into the picker, as a user may) goes into the box and is chosen; a
// cancelled picker changes nothing.
TEST_P(BrowsesForAFolder, WithTheSystemsPicker) {
  const bool pick = GetParam();
  ScratchFolder picked(L"settings-picked");
  ASSERT_NO_FATAL_FAILURE(Open(std::nullopt, std::nullopt));
  ClickAndWait(IDC_BROWSE);
  HWND picker = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (picker = FolderPicker(program_.Id(), window_)) != nullptr; }, 60000))
      << "no folder picker";
  if (pick) {
    HWND name = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (name = ::GetDlgItem(picker, kPickerNameBox)) != nullptr; }, 10000));
    SetTextOf(name, picked.Path());
    Click(::GetDlgItem(picker, IDOK));
  } else {
    Click(::GetDlgItem(picker, IDCANCEL));
  }
  ASSERT_TRUE(WaitUntil([&] { return !::IsWindowVisible(picker); }, 60000)) << "the picker stayed";
  DWORD_PTR ignored = 0;
  ::SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 10000, &ignored);
  SettingsWindowState shown = ReadSettingsWindow(window_);
  EXPECT_EQ(shown.folder, pick ? picked.Path() : L"");
  EXPECT_EQ(shown.intoFolder, pick);
  EXPECT_EQ(shown.besidePrograms, !pick);
  ClickAndWait(IDOK);
  ASSERT_TRUE(Closes());
  EXPECT_EQ(StoredChartFolder(), pick ? std::optional<std::wstring>(picked.Path()) : std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(Settings, BrowsesForAFolder, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Picked" : "Cancelled"; });

}  // namespace
}  // namespace tickvane::test
