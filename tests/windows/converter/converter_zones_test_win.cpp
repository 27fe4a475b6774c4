// Genvane writes the playback file in the recording time zone of the settings: a file in another
// zone is moved into it, a file that does not say its zone (the bundled sample) is not; a zone the
// system does not know is refused naming the setting. Several files on the command line become
// one playback file in time order.
#include <gtest/gtest.h>

#include "common/win_text_win.h"
#include "tests/native/converter_fixtures.h"
#include "tests/windows/converter/converter_fixture_win.h"
#include "tests/windows/support/user_settings_scope_win.h"

namespace tickvane::test {
namespace {

namespace fixtures = tickvane::converter::fixtures;

std::vector<std::string> FileLines(const std::string& text) {
  std::vector<std::string> lines;
  for (size_t at = 0; at < text.size();) {
    size_t end = text.find("\r\n", at);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(at, end - at));
    at = end + 2;
  }
  return lines;
}

class ConverterZones : public ConverterTest {
 protected:
  UserSettingsScope settings_;
};

TEST_F(ConverterZones, TheSampleIsNotShiftedAndANinjaTraderFileIsMovedIntoTheRecordingZone) {
  settings_.Set(std::nullopt, L"Eastern Standard Time");
  StartConverter(L"ddeonly \"" + SamplePath() + L"\"");
  DWORD exitCode = 99;
  ASSERT_TRUE(WaitForExit(&exitCode));
  ASSERT_EQ(exitCode, 0u);
  std::vector<std::string> lines = FileLines(PlaybackFile());
  ASSERT_EQ(lines.size(), 3u + 17049u);
  EXPECT_NE(lines[0].find(": CSV with a header line; times read as written (no zone), written in Eastern Standard "
                          "Time; price: last"),
            std::string::npos)
      << lines[0];
  EXPECT_EQ(lines[3], "IBM,20131007,140007,182.50,1");
  EXPECT_EQ(lines.back(), "IBM,20131008,105959,180.00,1");

  folder_->WriteFile(L"ES 12-13.Last.txt", fixtures::kNinjaTrader8);
  StartConverter(L"ddeonly \"" + PathOf(L"ES 12-13.Last.txt") + L"\"");
  ASSERT_TRUE(WaitForExit(&exitCode));
  ASSERT_EQ(exitCode, 0u);
  lines = FileLines(PlaybackFile());
  ASSERT_EQ(lines.size(), 3u + 2u);
  EXPECT_EQ(lines[3], "ES 12-13,20131008,093003,1680.25,3");
  EXPECT_TRUE(WaitUntil([&] { return StationStarts().size() == 2; })) << "the station was not started twice";
}

TEST_F(ConverterZones, ARecordingZoneTheSystemDoesNotKnowIsRefusedNamingTheSetting) {
  settings_.Set(std::nullopt, L"Atlantis Standard Time");
  folder_->WriteFile(L"ES 12-13.Last.txt", fixtures::kNinjaTrader8);
  StartConverter(L"ddeonly \"" + PathOf(L"ES 12-13.Last.txt") + L"\"");
  ASSERT_NO_FATAL_FAILURE(AnswerRefusal({L"\"Atlantis Standard Time\" (RecordingTimeZone in Tickvane Settings)"}));
  ExpectNothingChanged();
}

TEST_F(ConverterZones, SeveralFilesOnTheCommandLineBecomeOneInTimeOrder) {
  folder_->WriteFile(L"ES 20131009.Last.txt", "20131009 133003 0000000;1681.25;1\r\n");
  folder_->WriteFile(L"ES 20131008.Last.txt", "20131008 133003 0000000;1680.25;1\r\n");
  StartConverter(L"sierra \"" + PathOf(L"ES 20131009.Last.txt") + L"\" \"" + PathOf(L"ES 20131008.Last.txt") + L"\"");
  DWORD exitCode = 99;
  ASSERT_TRUE(WaitForExit(&exitCode));
  ASSERT_EQ(exitCode, 0u);
  std::vector<std::string> lines = FileLines(PlaybackFile());
  ASSERT_EQ(lines.size(), 3u + 2u);
  EXPECT_EQ(lines[1], "Converted from " + ToAnsi(PathOf(L"ES 20131008.Last.txt")) + "; " +
                          ToAnsi(PathOf(L"ES 20131009.Last.txt")));
  EXPECT_EQ(lines[3], "ES 20131008,20131008,133003,1680.25,1");
  EXPECT_EQ(lines[4], "ES 20131009,20131009,133003,1681.25,1");
  EXPECT_TRUE(WaitUntil([&] { return !StationStarts().empty(); }));
  EXPECT_EQ(StationStarts().at(0).commandLine, L"Tickvane sierra");
}

}  // namespace
}  // namespace tickvane::test
