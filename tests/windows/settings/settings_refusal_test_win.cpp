// What the chart-file writer would refuse when a replay starts is refused on OK already, with a
// message that says why; nothing is written, and the window stays for the user to mend it.
#include <gtest/gtest.h>

#include "settings/settings_ids.h"
#include "tests/windows/settings/settings_fixture_win.h"
#include "tests/windows/settings/settings_window_view_win.h"
#include "tests/windows/support/windows_win.h"

namespace tickvane::test {
namespace {

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

struct BadFolderCase {
  const char* label;
  const wchar_t* typed;  // "{scratch}" stands for an existing folder of the test
  const wchar_t* says;   // a part of the message
  const wchar_t* shot;   // the message's picture, or nullptr
};

// Test names and failure messages show the case by its label.
void PrintTo(const BadFolderCase& c, std::ostream* out) { *out << c.label; }

const BadFolderCase kBadFolders[] = {
    {"Missing", L"{scratch}\\Sierra Chart\\Data", L"\"{scratch}\\Sierra Chart\\Data\" does not exist", L"settings-missing-folder.bmp"},
    {"MissingDrive", L"Q:\\SierraChart\\Data", L"\"Q:\\SierraChart\\Data\"", nullptr},
    {"AFile", L"{scratch}\\IBM.scid", L"\"{scratch}\\IBM.scid\" is a file, not a folder", nullptr},
    {"Relative", L"SierraChart\\Data", L"\"SierraChart\\Data\" is not a full folder path", nullptr},
    {"DriveRelative", L"C:SierraChart", L"\"C:SierraChart\" is not a full folder path", nullptr},
    {"Empty", L"   ", L"No chart folder is given", nullptr},
};

std::wstring WithScratch(std::wstring text, const std::wstring& scratch) {
  const std::wstring mark = L"{scratch}";
  for (size_t at = text.find(mark); at != std::wstring::npos; at = text.find(mark, at + scratch.size()))
    text.replace(at, mark.size(), scratch);
  return text;
}

class RefusesAChartFolder : public SettingsWindowTest, public ::testing::WithParamInterface<BadFolderCase> {};

TEST_P(RefusesAChartFolder, ThatCannotBeUsed) {
  const BadFolderCase& c = GetParam();
  ScratchFolder scratch(L"settings-bad");
  scratch.WriteFile(L"IBM.scid", "not a folder");
  ASSERT_NO_FATAL_FAILURE(Open(scratch.Path(), L"Eastern Standard Time"));
  SetTextOf(Control(IDC_FOLDER), WithScratch(c.typed, scratch.Path()));
  ASSERT_NO_FATAL_FAILURE(ChooseZone(L"Tokyo Standard Time"));
  ClickAndWait(IDOK);

  HWND box = WaitForMessage();
  ASSERT_TRUE(box) << "no message";
  const std::wstring text = MessageBoxText(box);
  EXPECT_NE(text.find(WithScratch(c.says, scratch.Path())), std::wstring::npos) << Narrow(text);
  EXPECT_NE(text.find(L"Nothing was saved."), std::wstring::npos) << Narrow(text);
  if (c.shot) {
    EXPECT_TRUE(SaveScreenshot(box, ArtifactPath(c.shot)));
  }
  Dismiss(box);
  // Neither value is written, not even the zone that could be used.
  EXPECT_EQ(StoredChartFolder(), scratch.Path());
  EXPECT_EQ(StoredZone(), L"Eastern Standard Time");
  ASSERT_TRUE(::IsWindow(window_)) << "the window closed";
  EXPECT_EQ(FocusOf(program_.ThreadId()), Control(IDC_FOLDER)) << "the folder box is where to mend it";

  // Mended, the same OK goes through.
  SetTextOf(Control(IDC_FOLDER), scratch.Path());
  ClickAndWait(IDOK);
  ASSERT_TRUE(Closes());
  EXPECT_EQ(StoredZone(), L"Tokyo Standard Time");
}

INSTANTIATE_TEST_SUITE_P(Settings, RefusesAChartFolder, ::testing::ValuesIn(kBadFolders),
                         [](const auto& info) { return std::string(info.param.label); });

// The folder's check counts only when the chart files are to go there.
TEST_F(SettingsWindowTest, AFolderThatIsGoneDoesNotMatterBesideThePrograms) {
  ASSERT_NO_FATAL_FAILURE(Open(L"C:\\No Such Sierra Chart\\Data", std::nullopt));
  ClickAndWait(IDC_BESIDE_PROGRAMS);
  ClickAndWait(IDOK);
  ASSERT_TRUE(Closes());
  EXPECT_EQ(StoredChartFolder(), std::nullopt);
}

// A stored zone that the system does not know cannot be saved again; a zone of the list can.
TEST_F(SettingsWindowTest, RefusesAZoneTheSystemDoesNotKnow) {
  ASSERT_NO_FATAL_FAILURE(Open(std::nullopt, L"Atlantis Standard Time"));
  ClickAndWait(IDOK);
  HWND box = WaitForMessage();
  ASSERT_TRUE(box) << "no message";
  const std::wstring text = MessageBoxText(box);
  EXPECT_NE(text.find(L"\"Atlantis Standard Time\" is not a time zone of this system"), std::wstring::npos) << Narrow(text);
  Dismiss(box);
  EXPECT_EQ(StoredZone(), L"Atlantis Standard Time");
  ASSERT_TRUE(::IsWindow(window_));

  ASSERT_NO_FATAL_FAILURE(ChooseZone(L"Eastern Standard Time"));
  ClickAndWait(IDOK);
  ASSERT_TRUE(Closes());
  EXPECT_EQ(StoredZone(), L"Eastern Standard Time");
  EXPECT_EQ(StoredChartFolder(), std::nullopt);
}

}  // namespace
}  // namespace tickvane::test
