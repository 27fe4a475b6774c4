// The user's settings as the component follows them: the chart file in the chart folder as
// <name>.scid, the recorded times turned into UTC by the recording's time zone, and settings that
// cannot be used refused with one message and no file anywhere.
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "common/win_text_win.h"
#include "station/platform/chart_writer_com_win.h"
#include "station/engine/chart_writer_session.h"
#include "tests/windows/component/component_fixture.h"
#include "tests/windows/support/programs_win.h"
#include "tests/windows/support/scid_reader_win.h"
#include "tests/windows/support/user_settings_scope_win.h"

namespace tickvane::test {
namespace {

class ChartSettingsTest : public ComponentTest {
 protected:
  void SetUp() override {
    ComponentTest::SetUp();
    ASSERT_TRUE(::CreateDirectoryW((scratch_.Path() + L"\\SierraChart").c_str(), nullptr));
    ASSERT_TRUE(::CreateDirectoryW(dataFolder_.c_str(), nullptr));
  }
  // The records of a replay that writes these ticks, one call each, from a fresh start.
  ScidFile Replay(const std::vector<std::array<const char*, 3>>& ticks) {
    ReplayChartWriter writer(*factory_);
    auto message = writer.Start(L"ibm.mnd");
    EXPECT_EQ(message, std::nullopt) << *message;
    for (const auto& [date, time, price] : ticks) {
      message = writer.WriteRecord(date, price, time, L"ibm.mnd");
      EXPECT_EQ(message, std::nullopt) << *message;
    }
    return ReadScidFile(dataFolder_ + L"\\ibm.mnd.scid");
  }

  UserSettingsScope settings_;
  ScratchFolder scratch_{L"chart-settings"};
  const std::wstring dataFolder_ = scratch_.Path() + L"\\SierraChart\\Data";
};

TEST_F(ChartSettingsTest, TheChartGoesIntoTheChartFolderAsScidWithUtcTimes) {
  ChartName(L"ibm.mnd");  // removed from the program folder, should a test have left it there
  settings_.Set(dataFolder_, L"Eastern Standard Time");
  ReplayChartWriter writer(*factory_);
  ASSERT_EQ(writer.Start(L"ibm.mnd"), std::nullopt);
  ASSERT_EQ(writer.WriteRecord("20131007", "182.50", "140007", L"ibm.mnd"), std::nullopt);
  ASSERT_EQ(writer.WriteBatch(",20131008,20131008", ",181.89,181.90", ",93003,93004", L"ibm.mnd"), std::nullopt);
  EXPECT_EQ(writer.writerState(), L"3");

  const ScidFile chart = ReadScidFile(dataFolder_ + L"\\ibm.mnd.scid");
  EXPECT_EQ(chart.problem, "");
  ASSERT_EQ(chart.records.size(), 3u);
  EXPECT_EQ(TimeText(chart.records[0].utc), "2013-10-07 18:00:07");
  EXPECT_EQ(TimeText(chart.records[1].utc), "2013-10-08 13:30:03");
  EXPECT_EQ(chart.records[1].close, 181.89f);
  EXPECT_FALSE(FileExists(ChartPath(L"ibm.mnd")));
  EXPECT_FALSE(FileExists(ChartPath(L"ibm.mnd.scid")));

  // chartdump shows UTC, and the recording's zone beside it.
  ProcessResult dump = RunProcess(L"\"" + BinDirectory() + L"\\chartdump.exe\" \"" + dataFolder_ + L"\\ibm.mnd.scid\"");
  EXPECT_EQ(dump.exitCode, 0u) << dump.output;
  EXPECT_NE(dump.output.find("# date time (UTC), price, volume, date time (Eastern Standard Time)"), std::string::npos)
      << dump.output;
  EXPECT_NE(dump.output.find("20131008 133003 181.89 1 20131008 093003"), std::string::npos) << dump.output;
  dump = RunProcess(L"\"" + BinDirectory() + L"\\chartdump.exe\" --utc \"" + dataFolder_ + L"\\ibm.mnd.scid\"");
  EXPECT_NE(dump.output.find("20131008 133003 181.89 1\r\n"), std::string::npos) << dump.output;
}

struct ZoneCase {
  const wchar_t* zone;
  const char *date, *time, *utc, *why;
};

class ChartTimeZoneTest : public ChartSettingsTest, public testing::WithParamInterface<ZoneCase> {};

TEST_P(ChartTimeZoneTest, RecordedTimesAreWrittenInUtc) {
  const ZoneCase& c = GetParam();
  settings_.Set(dataFolder_, c.zone);
  const ScidFile chart = Replay({{c.date, c.time, "100"}});
  ASSERT_EQ(chart.records.size(), 1u) << chart.problem;
  EXPECT_EQ(TimeText(chart.records[0].utc), c.utc) << c.why;
}

INSTANTIATE_TEST_SUITE_P(
    Changes, ChartTimeZoneTest,
    testing::Values(
        ZoneCase{L"Eastern Standard Time", "20131103", "5959", "2013-11-03 04:59:59", "before the repeated hour"},
        ZoneCase{L"Eastern Standard Time", "20131103", "10000", "2013-11-03 05:00:00", "repeated hour: summer"},
        ZoneCase{L"Eastern Standard Time", "20131103", "15959", "2013-11-03 05:59:59", "repeated hour: summer"},
        ZoneCase{L"Eastern Standard Time", "20131103", "20000", "2013-11-03 07:00:00", "winter"},
        ZoneCase{L"Eastern Standard Time", "20130310", "15959", "2013-03-10 06:59:59", "winter"},
        ZoneCase{L"Eastern Standard Time", "20130310", "23000", "2013-03-10 07:30:00", "skipped: winter offset"},
        ZoneCase{L"Eastern Standard Time", "20130310", "30000", "2013-03-10 07:00:00", "summer"},
        ZoneCase{L"AUS Eastern Standard Time", "20130115", "120000", "2013-01-15 01:00:00", "southern summer"},
        ZoneCase{L"AUS Eastern Standard Time", "20130701", "120000", "2013-07-01 02:00:00", "southern winter"},
        ZoneCase{L"eastern standard time", "20131008", "93003", "2013-10-08 13:30:03", "any letter case"},
        ZoneCase{L"  Eastern Standard Time ", "20131008", "93003", "2013-10-08 13:30:03", "blanks around"}));

TEST_F(ChartSettingsTest, WithoutAZoneTimesAreWrittenAsRecorded) {
  for (const std::optional<std::wstring>& zone : {std::optional<std::wstring>(), std::optional<std::wstring>(L"")}) {
    settings_.Set(dataFolder_ + L"\\", zone);
    const ScidFile chart = Replay({{"20131008", "93003", "100"}});
    ASSERT_EQ(chart.records.size(), 1u) << chart.problem;
    EXPECT_EQ(TimeText(chart.records[0].utc), "2013-10-08 09:30:03");
  }
}

TEST_F(ChartSettingsTest, AnEmptyChartFolderMeansTheProgramFolder) {
  const std::wstring name = ChartName(L"test-emptyfolder.mnd");
  settings_.Set(L"", std::nullopt);
  ReplayChartWriter writer(*factory_);
  ASSERT_EQ(writer.Start(name), std::nullopt);
  EXPECT_TRUE(FileExists(ChartPath(name)));
}

TEST_F(ChartSettingsTest, OneReplayKeepsItsFolderWhenTheSettingChanges) {
  settings_.Set(dataFolder_, std::nullopt);
  ReplayChartWriter writer(*factory_);
  ASSERT_EQ(writer.Start(L"ibm.mnd"), std::nullopt);
  const std::wstring other = scratch_.Path() + L"\\SierraChart";
  settings_.Set(other, L"Eastern Standard Time");
  ASSERT_EQ(writer.WriteRecord("20131008", "1", "93003", L"ibm.mnd"), std::nullopt);
  const ScidFile chart = ReadScidFile(dataFolder_ + L"\\ibm.mnd.scid");
  ASSERT_EQ(chart.records.size(), 1u);
  EXPECT_EQ(TimeText(chart.records[0].utc), "2013-10-08 09:30:03");
  EXPECT_FALSE(FileExists(other + L"\\ibm.mnd.scid"));
}

struct BadSettingCase {
  const wchar_t *folder, *zone;  // a folder below the scratch folder unless it begins with "!"
  const wchar_t *setting, *says;
};

class BadSettingTest : public ChartSettingsTest, public testing::WithParamInterface<BadSettingCase> {};

TEST_P(BadSettingTest, OneMessageNamesTheSettingAndNothingIsWrittenAnywhere) {
  const BadSettingCase& c = GetParam();
  ChartName(L"ibm.mnd");
  ChartName(L"ibm.mnd.scid");
  scratch_.WriteFile(L"a-file", "not a folder");
  const std::wstring folder = c.folder[0] == L'!' ? std::wstring(c.folder + 1) : scratch_.Path() + L"\\" + c.folder;
  settings_.Set(folder, c.zone ? std::optional<std::wstring>(c.zone) : std::nullopt);

  ReplayChartWriter writer(*factory_);
  std::optional<std::wstring> message = writer.Start(L"ibm.mnd");
  ASSERT_TRUE(message);
  EXPECT_NE(message->find(L"writing_header"), std::wstring::npos) << *message;
  EXPECT_NE(message->find(c.setting), std::wstring::npos) << *message;
  const std::wstring value = c.setting == std::wstring(L"ChartFolder") ? folder : std::wstring(c.zone);
  EXPECT_NE(message->find(L"\"" + value + L"\""), std::wstring::npos) << *message;
  EXPECT_NE(message->find(c.says), std::wstring::npos) << *message;
  // The one message: the replay goes on without the chart, and nothing else is said or written.
  EXPECT_EQ(writer.WriteRecord("20131008", "1", "93003", L"ibm.mnd"), std::nullopt);
  EXPECT_EQ(writer.WriteBatch(",20131008", ",1", ",93004", L"ibm.mnd"), std::nullopt);
  EXPECT_FALSE(FileExists(folder + L"\\ibm.mnd.scid"));
  EXPECT_FALSE(FileExists(dataFolder_ + L"\\ibm.mnd.scid"));
  EXPECT_FALSE(FileExists(ChartPath(L"ibm.mnd")));
  EXPECT_FALSE(FileExists(ChartPath(L"ibm.mnd.scid")));
}

INSTANTIATE_TEST_SUITE_P(
    Settings, BadSettingTest,
    testing::Values(BadSettingCase{L"SierraChart\\Missing", L"Eastern Standard Time", L"ChartFolder", L"cannot be reached"},
                    BadSettingCase{L"a-file", nullptr, L"ChartFolder", L"not a folder"},
                    BadSettingCase{L"!SierraChart\\Data", nullptr, L"ChartFolder", L"no full folder path"},
                    BadSettingCase{L"SierraChart\\Data", L"Atlantis Standard Time", L"RecordingTimeZone",
                                   L"no time zone of this system"},
                    BadSettingCase{L"SierraChart\\Data", L"Eastern Standard Time\\..\\Tokyo Standard Time",
                                   L"RecordingTimeZone", L"no time zone of this system"}));

}  // namespace
}  // namespace tickvane::test
