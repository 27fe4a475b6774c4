// The settings window shows what is set, and writes what the user chose only on OK.
#include <gtest/gtest.h>

#include "common/registry_win.h"
#include "settings/settings_ids.h"
#include "settings/settings_texts.h"
#include "tests/windows/settings/settings_fixture_win.h"
#include "tests/windows/settings/settings_window_view_win.h"
#include "tests/windows/support/windows_win.h"

namespace tickvane::test {
namespace {

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

// The text of the zone list for a stored zone name.
std::wstring ShownZone(const wchar_t* stored) {
  if (!stored) return settings::kNoZoneEntry;
  return ZoneDisplayText(stored).value_or(std::wstring(stored) + L" (not a time zone of this system)");
}

// How many zones the system's registry holds.
DWORD SystemZoneCount() {
  UniqueRegistryKey zones = OpenRegistryKey(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Time Zones");
  DWORD count = 0;
  ::RegQueryInfoKeyW(zones.get(), nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                     nullptr);
  return count;
}

struct OpenCase {
  const char* label;
  bool folderSet;             // ChartFolder names an existing folder
  const wchar_t* otherFolder; // or this one, which need not exist
  const wchar_t* zone;        // RecordingTimeZone, nullptr: not set
  const wchar_t* shownZone;   // the zone list's entry, nullptr: the stored zone's display text
};

// Test names and failure messages show the case by its label.
void PrintTo(const OpenCase& c, std::ostream* out) { *out << c.label; }

const OpenCase kOpenCases[] = {
    {"NothingSet", false, nullptr, nullptr, nullptr},
    {"FolderAndZone", true, nullptr, L"Eastern Standard Time", nullptr},
    {"ZoneInOtherLetterCase", false, nullptr, L"tokyo standard time", nullptr},
    {"ZoneTheSystemDoesNotKnow", false, nullptr, L"Atlantis Standard Time",
     L"Atlantis Standard Time (not a time zone of this system)"},
    // What is set is shown as it is, even when it cannot be used: the user is to see and mend it.
    {"FolderThatIsGone", false, L"C:\\No Such Sierra Chart\\Data", nullptr, nullptr},
};

class OpensShowingTheSettings : public SettingsWindowTest, public ::testing::WithParamInterface<OpenCase> {};

TEST_P(OpensShowingTheSettings, AsTheyAreStored) {
  const OpenCase& c = GetParam();
  ScratchFolder scratch(L"settings-open");
  std::optional<std::wstring> folder;
  if (c.folderSet) folder = scratch.Path();
  if (c.otherFolder) folder = c.otherFolder;
  std::optional<std::wstring> zone;
  if (c.zone) zone = c.zone;
  ASSERT_NO_FATAL_FAILURE(Open(folder, zone));

  SettingsWindowState shown = ReadSettingsWindow(window_);
  EXPECT_EQ(shown.intoFolder, folder.has_value());
  EXPECT_EQ(shown.besidePrograms, !folder.has_value());
  EXPECT_EQ(shown.folderBoxEnabled, folder.has_value());
  EXPECT_EQ(shown.folder, folder.value_or(L""));
  const std::wstring expectedZone = c.shownZone ? c.shownZone : ShownZone(c.zone);
  EXPECT_EQ(shown.zone, expectedZone) << Narrow(shown.zone);
  // Only looked at: the settings stay as they were.
  ClickAndWait(IDCANCEL);
  ASSERT_TRUE(Closes());
  EXPECT_EQ(StoredChartFolder(), folder);
  EXPECT_EQ(StoredZone(), zone);
}

INSTANTIATE_TEST_SUITE_P(Settings, OpensShowingTheSettings, ::testing::ValuesIn(kOpenCases),
                         [](const auto& info) { return std::string(info.param.label); });

// The zone list holds none first, then every zone of the system once.
TEST_F(SettingsWindowTest, ZoneListOffersNoneAndEveryZoneOfTheSystem) {
  ASSERT_NO_FATAL_FAILURE(Open(std::nullopt, std::nullopt));
  HWND list = Control(IDC_ZONE);
  EXPECT_EQ(::SendMessageW(list, CB_GETCOUNT, 0, 0), static_cast<LRESULT>(SystemZoneCount()) + 1);
  EXPECT_EQ(::SendMessageW(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(settings::kNoZoneEntry)),
            0);
  for (const wchar_t* key : {L"Eastern Standard Time", L"UTC", L"Tokyo Standard Time", L"Dateline Standard Time"}) {
    std::optional<std::wstring> display = ZoneDisplayText(key);
    ASSERT_TRUE(display) << Narrow(key);
    EXPECT_NE(::SendMessageW(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(display->c_str())),
              CB_ERR)
        << Narrow(*display);
  }
  // West to east: the date line's zone comes before New York, and New York before Tokyo.
  auto at = [&](const wchar_t* key) {
    return ::SendMessageW(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                          reinterpret_cast<LPARAM>(ZoneDisplayText(key).value_or(L"").c_str()));
  };
  EXPECT_LT(at(L"Dateline Standard Time"), at(L"Eastern Standard Time"));
  EXPECT_LT(at(L"Eastern Standard Time"), at(L"Tokyo Standard Time"));
  ClickAndWait(IDCANCEL);
  EXPECT_TRUE(Closes());
}

enum class Finish { OkButton, EnterKey };

class OkWritesWhatWasChosen : public SettingsWindowTest, public ::testing::WithParamInterface<Finish> {};

TEST_P(OkWritesWhatWasChosen, FolderAndZone) {
  ScratchFolder before(L"settings-before");
  ScratchFolder typed(L"settings-typed");
  ASSERT_NO_FATAL_FAILURE(Open(before.Path(), L"Eastern Standard Time"));
  SetTextOf(Control(IDC_FOLDER), typed.Path());
  ASSERT_NO_FATAL_FAILURE(ChooseZone(L"Tokyo Standard Time"));
  if (GetParam() == Finish::OkButton) {
    ClickAndWait(IDOK);
  } else {
    // Enter presses the default button, wherever the focus is.
    ::SendMessageW(window_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Control(IDC_FOLDER)), TRUE);
    Press(VK_RETURN);
  }
  ASSERT_TRUE(Closes()) << "OK did not close the window";
  EXPECT_EQ(StoredChartFolder(), typed.Path());
  EXPECT_EQ(StoredZone(), L"Tokyo Standard Time");
}

INSTANTIATE_TEST_SUITE_P(Settings, OkWritesWhatWasChosen, ::testing::Values(Finish::OkButton, Finish::EnterKey),
                         [](const auto& info) { return info.param == Finish::OkButton ? "OkButton" : "EnterKey"; });

// From nothing set: the folder box comes alive with "Into this folder", and blanks around a typed
// folder are no part of it.
TEST_F(SettingsWindowTest, OkWritesAFolderChosenFromNothingSet) {
  ScratchFolder typed(L"settings-typed");
  ASSERT_NO_FATAL_FAILURE(Open(std::nullopt, std::nullopt));
  ClickAndWait(IDC_INTO_FOLDER);
  SettingsWindowState shown = ReadSettingsWindow(window_);
  EXPECT_TRUE(shown.intoFolder);
  EXPECT_FALSE(shown.besidePrograms);
  EXPECT_TRUE(shown.folderBoxEnabled);
  SetTextOf(Control(IDC_FOLDER), L"  " + typed.Path() + L" ");
  ASSERT_NO_FATAL_FAILURE(ChooseZone(L"Eastern Standard Time"));
  ClickAndWait(IDOK);
  ASSERT_TRUE(Closes());
  EXPECT_EQ(StoredChartFolder(), typed.Path());
  EXPECT_EQ(StoredZone(), L"Eastern Standard Time");
}

enum class Leave { CancelButton, EscapeKey, CloseBox };

class LeavingWithoutOkWritesNothing : public SettingsWindowTest, public ::testing::WithParamInterface<Leave> {};

TEST_P(LeavingWithoutOkWritesNothing, ChangesAreDropped) {
  ScratchFolder before(L"settings-before");
  ScratchFolder typed(L"settings-typed");
  ASSERT_NO_FATAL_FAILURE(Open(before.Path(), L"Eastern Standard Time"));
  SetTextOf(Control(IDC_FOLDER), typed.Path());
  ASSERT_NO_FATAL_FAILURE(ChooseZone(L"Tokyo Standard Time"));
  switch (GetParam()) {
    case Leave::CancelButton: ClickAndWait(IDCANCEL); break;
    case Leave::EscapeKey: Press(VK_ESCAPE); break;
    case Leave::CloseBox: ::PostMessageW(window_, WM_SYSCOMMAND, SC_CLOSE, 0); break;
  }
  ASSERT_TRUE(Closes());
  EXPECT_EQ(StoredChartFolder(), before.Path());
  EXPECT_EQ(StoredZone(), L"Eastern Standard Time");
}

INSTANTIATE_TEST_SUITE_P(Settings, LeavingWithoutOkWritesNothing,
                         ::testing::Values(Leave::CancelButton, Leave::EscapeKey, Leave::CloseBox),
                         [](const auto& info) {
                           switch (info.param) {
                             case Leave::CancelButton: return "CancelButton";
                             case Leave::EscapeKey: return "EscapeKey";
                             default: return "CloseBox";
                           }
                         });

// "Beside the Tickvane programs" removes the chart folder, and the first zone entry the zone;
// whatever the folder box still shows.
struct RemoveCase {
  const char* label;
  bool besidePrograms;
  bool noZone;
};

// Test names and failure messages show the case by its label.
void PrintTo(const RemoveCase& c, std::ostream* out) { *out << c.label; }

const RemoveCase kRemoveCases[] = {
    {"BesideTheProgramsRemovesTheFolder", true, false},
    {"NoZoneRemovesTheZone", false, true},
    {"Both", true, true},
};

class ChoosingNoneRemoves : public SettingsWindowTest, public ::testing::WithParamInterface<RemoveCase> {};

TEST_P(ChoosingNoneRemoves, TheSetting) {
  const RemoveCase& c = GetParam();
  ScratchFolder before(L"settings-before");
  ASSERT_NO_FATAL_FAILURE(Open(before.Path(), L"Eastern Standard Time"));
  if (c.besidePrograms) {
    ClickAndWait(IDC_BESIDE_PROGRAMS);
    SettingsWindowState shown = ReadSettingsWindow(window_);
    EXPECT_TRUE(shown.besidePrograms);
    EXPECT_FALSE(shown.intoFolder);
    EXPECT_FALSE(shown.folderBoxEnabled);
    EXPECT_EQ(shown.folder, before.Path()) << "the box keeps the folder for a change of mind";
  }
  if (c.noZone) {
    ASSERT_NO_FATAL_FAILURE(ChooseZoneEntry(settings::kNoZoneEntry));
  }
  ClickAndWait(IDOK);
  ASSERT_TRUE(Closes());
  EXPECT_EQ(StoredChartFolder(), c.besidePrograms ? std::nullopt : std::optional<std::wstring>(before.Path()));
  EXPECT_EQ(StoredZone(), c.noZone ? std::nullopt : std::optional<std::wstring>(L"Eastern Standard Time"));
}

INSTANTIATE_TEST_SUITE_P(Settings, ChoosingNoneRemoves, ::testing::ValuesIn(kRemoveCases),
                         [](const auto& info) { return std::string(info.param.label); });

// A change of mind: beside the programs, then the folder again, and the folder is kept.
TEST_F(SettingsWindowTest, ChoosingTheFolderAgainKeepsIt) {
  ScratchFolder before(L"settings-before");
  ASSERT_NO_FATAL_FAILURE(Open(before.Path(), std::nullopt));
  ClickAndWait(IDC_BESIDE_PROGRAMS);
  ClickAndWait(IDC_INTO_FOLDER);
  EXPECT_TRUE(ReadSettingsWindow(window_).folderBoxEnabled);
  ClickAndWait(IDOK);
  ASSERT_TRUE(Closes());
  EXPECT_EQ(StoredChartFolder(), before.Path());
  EXPECT_EQ(StoredZone(), std::nullopt);
}

}  // namespace
}  // namespace tickvane::test
