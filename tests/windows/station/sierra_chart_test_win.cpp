// "sierra" mode as a Sierra Chart user sets it up: the chart folder and the recording's time zone
// set, the bundled IBM sample replayed into <folder>\ibm.mnd.scid in UTC, read back by a reader of
// the format of the tests' own and checked against the system's own time-zone conversion; the
// status notice naming that file; settings that cannot be used giving one message and no file.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "tests/windows/station/ibm_sample_win.h"
#include "tests/windows/station/station_fixture_win.h"
#include "tests/windows/support/launcher_recorder_win.h"
#include "tests/windows/support/scid_reader_win.h"
#include "tests/windows/support/user_settings_scope_win.h"

namespace tickvane::test {
namespace {

constexpr wchar_t kClosing[] = L"This playback session has been done. Happy trading!";
constexpr wchar_t kStatus[] = L"Yor are using Sierra playback and the playback file name is ";

// The system's UTC for a recorded tick taken in that zone.
std::optional<SYSTEMTIME> SystemUtc(const wchar_t* zone, const Tick& tick) {
  DYNAMIC_TIME_ZONE_INFORMATION dynamic{};
  wcsncpy(dynamic.TimeZoneKeyName, zone, std::size(dynamic.TimeZoneKeyName) - 1);
  const long date = std::stol(tick.date), time = std::stol(tick.time);
  SYSTEMTIME local{};
  local.wYear = static_cast<WORD>(date / 10000);
  local.wMonth = static_cast<WORD>(date / 100 % 100);
  local.wDay = static_cast<WORD>(date % 100);
  local.wHour = static_cast<WORD>(time / 10000);
  local.wMinute = static_cast<WORD>(time / 100 % 100);
  local.wSecond = static_cast<WORD>(time % 100);
  TIME_ZONE_INFORMATION rules{};
  SYSTEMTIME utc{};
  if (!::GetTimeZoneInformationForYear(local.wYear, &dynamic, &rules) ||
      !::TzSpecificLocalTimeToSystemTime(&rules, &local, &utc))
    return std::nullopt;
  return utc;
}

class SierraChart : public StationTest {
 protected:
  void SetUp() override {
    StationTest::SetUp();
    ASSERT_TRUE(FileExists(folder_->CopyProgram(L"zavovq.dll")));
    ASSERT_TRUE(RegisterComponent()) << "zavovq.dll could not be registered";
    ASSERT_TRUE(::CreateDirectoryW((sierra_.Path() + L"\\SierraChart").c_str(), nullptr));
    ASSERT_TRUE(::CreateDirectoryW(dataFolder_.c_str(), nullptr));
  }
  // Starts "sierra" mode and picks IBM.mnd in the chooser.
  void StartWithIbm() {
    StartStation(L"sierra");
    ExpectNotice(L"If you have not done so, please start your SierraCharting program now.");
    ASSERT_TRUE(WaitForChooser());
    Click(ChooserControl(L"IBM"));
    ASSERT_TRUE(WaitForMainWindow());
  }
  // Waits for the closing message, looking for it now and then only, so that the replay has the
  // window server to itself; answers whatever other notice comes first into `notices`.
  bool WaitForTheEnd(std::vector<std::wstring>* notices, DWORD timeoutMs) {
    bool ended = false;
    ULONGLONG lastLook = 0;
    WaitUntil([&] {
      if (::GetTickCount64() - lastLook < 250) return false;
      lastLook = ::GetTickCount64();
      std::optional<MessageBoxView> box = FindMessageBox(station_.Id());
      if (!box) return false;
      if (box->text == kClosing) {
        ended = true;
        Answer(*box, IDOK);
        return true;
      }
      if (notices) notices->push_back(box->text);
      Answer(*box, IDOK);
      WaitUntil([&] { return !::IsWindow(box->window); });
      return false;
    }, timeoutMs);
    return ended;
  }

  UserSettingsScope settings_;
  ScratchFolder sierra_{L"sierra-install"};
  const std::wstring dataFolder_ = sierra_.Path() + L"\\SierraChart\\Data";
};

TEST_F(SierraChart, FollowsTheWholeSampleInUtcFromItsDataFolder) {
  const std::vector<Tick> ticks = IbmSample();
  ASSERT_EQ(ticks.size(), 17049u) << "sample not found";
  folder_->WriteFile(L"practice.EPF", PlaybackFile(ticks));
  settings_.Set(dataFolder_, L"Eastern Standard Time");
  const std::vector<std::wstring> programFolderBefore = FilesIn(folder_->Path());

  StartWithIbm();
  Click(MainControl(L"status"));
  ExpectNotice(kStatus + dataFolder_ + L"\\ibm.mnd.scid");

  SetTextOf(MainControl(L"speed"), L"100000000");
  Click(MainControl(L"cbStartFastSend"));
  std::vector<std::wstring> notices;
  ASSERT_TRUE(WaitForTheEnd(&notices, 1500000)) << "the replay did not end";
  EXPECT_TRUE(notices.empty()) << "unexpected message: " << std::string(notices[0].begin(), notices[0].end());

  EXPECT_EQ(FilesIn(folder_->Path()), programFolderBefore) << "nothing is written beside the programs";
  EXPECT_EQ(FilesIn(dataFolder_), std::vector<std::wstring>{L"ibm.mnd.scid"});
  const ScidFile chart = ReadScidFile(dataFolder_ + L"\\ibm.mnd.scid");
  EXPECT_EQ(chart.problem, "");
  ASSERT_EQ(chart.records.size(), ticks.size());
  EXPECT_EQ(TimeText(chart.records.front().utc), "2013-10-07 18:00:07") << "14:00:07 in New York, daylight time";
  const size_t open = std::find_if(ticks.begin(), ticks.end(), [](const Tick& t) {
                        return t.date == "20131008" && std::stol(t.time) >= 93000;
                      }) - ticks.begin();
  EXPECT_EQ(TimeText(chart.records[open].utc), "2013-10-08 13:30:03") << "the open's first trade";

  size_t firstWrong = ticks.size(), outOfOrder = ticks.size();
  for (size_t i = 0; i < ticks.size(); ++i) {
    const ScidRecord& r = chart.records[i];
    std::optional<SYSTEMTIME> utc = SystemUtc(L"Eastern Standard Time", ticks[i]);
    ASSERT_TRUE(utc);
    const bool same = TimeText(r.utc) == TimeText(*utc) && r.close == std::stof(ticks[i].price) && r.open == 0 &&
                      r.numTrades == 1;
    if (!same && firstWrong == ticks.size()) firstWrong = i;
    if (i > 0 && r.micros < chart.records[i - 1].micros && outOfOrder == ticks.size()) outOfOrder = i;
  }
  EXPECT_EQ(firstWrong, ticks.size()) << "record " << firstWrong << " is not the file's tick in UTC";
  EXPECT_EQ(outOfOrder, ticks.size()) << "record " << outOfOrder << " is earlier than the one before";
}

struct BadSetting {
  const wchar_t* folderBelowScratch;  // the chart folder, below the Sierra Chart scratch folder
  const wchar_t* zone;
  const char* setting;
};

class SierraChartBadSetting : public SierraChart, public ::testing::WithParamInterface<BadSetting> {};

TEST_P(SierraChartBadSetting, OneMessageThenTheReplayGoesOnWithoutAChart) {
  const BadSetting& c = GetParam();
  folder_->WriteFile(L"practice.EPF", PlaybackFile({{"20131008", "93003", "181.89"}, {"20131008", "93004", "181.9"}}));
  const std::wstring folder = sierra_.Path() + L"\\" + c.folderBelowScratch;
  settings_.Set(folder, c.zone);
  const std::vector<std::wstring> programFolderBefore = FilesIn(folder_->Path());

  StartWithIbm();
  SetTextOf(MainControl(L"speed"), L"100000000");
  Click(MainControl(L"cbStartFastSend"));
  std::vector<std::wstring> notices;
  ASSERT_TRUE(WaitForTheEnd(&notices, 120000)) << "the replay did not end";
  ASSERT_EQ(notices.size(), 1u) << "one message for the failing writer";
  const std::string message(notices[0].begin(), notices[0].end());
  EXPECT_NE(message.find(c.setting), std::string::npos) << message;
  EXPECT_NE(message.find("replay"), std::string::npos) << message;
  EXPECT_EQ(TextOf(MainControl(L"last")), L"181.9") << "the replay went on";

  EXPECT_EQ(FilesIn(folder_->Path()), programFolderBefore);
  EXPECT_TRUE(FilesIn(dataFolder_).empty());
  EXPECT_TRUE(FilesIn(folder).empty());
}

INSTANTIATE_TEST_SUITE_P(Settings, SierraChartBadSetting,
                         ::testing::Values(BadSetting{L"SierraChart\\NoSuchFolder", L"Eastern Standard Time", "ChartFolder"},
                                           BadSetting{L"SierraChart\\Data", L"Atlantis Standard Time",
                                                      "RecordingTimeZone"}));

}  // namespace
}  // namespace tickvane::test
