// tickconvert.exe as scripts use it: each format's fixture written as a file and converted into
// New York time, several files joined in time order, bad input refused with the file, the line
// and the problem (exit code 2) and the older playback file kept.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "common/win_text_win.h"
#include "tests/native/converter_fixtures.h"
#include "tests/native/record_lines.h"
#include "tests/windows/support/dde_child_process_win.h"
#include "tests/windows/support/launcher_recorder_win.h"
#include "tests/windows/support/programs_win.h"
#include "tests/windows/support/user_settings_scope_win.h"

namespace tickvane::test {
namespace {

namespace fixtures = tickvane::converter::fixtures;

constexpr char kOldPlaybackFile[] = "an older playback file\r\nthat a failed conversion leaves alone\r\n";

class TickConvertTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::make_unique<ScratchFolder>(L"tickconvert");
    program_ = folder_->CopyProgram(L"tickconvert.exe");
    ASSERT_TRUE(FileExists(program_)) << "tickconvert.exe was not built";
    folder_->WriteFile(L"practice.EPF", kOldPlaybackFile);
  }
  void TearDown() override { folder_.reset(); }

  std::wstring PathOf(std::wstring_view name) const { return folder_->Path() + L"\\" + std::wstring(name); }
  std::string PlaybackFile() const { return ReadWholeFile(PathOf(L"practice.EPF")); }

  // Runs tickconvert with the arguments; its exit code, and what it printed.
  DWORD Run(const std::wstring& arguments) {
    tickvane::testing::DdeChildProcess run;
    std::wstring error;
    EXPECT_TRUE(run.Start(program_, arguments, true, &error)) << ToAnsi(error);
    std::optional<DWORD> code = run.WaitExit(60000);
    EXPECT_TRUE(code) << "tickconvert did not end";
    out_ = run.Output();
    err_ = run.Errors();
    return code.value_or(99);
  }
  std::wstring Out() const { return L"--out \"" + PathOf(L"practice.EPF") + L"\""; }
  // Nothing but the files the test put there.
  std::vector<std::wstring> LeftOver(const std::vector<std::wstring>& mine) const {
    std::vector<std::wstring> left;
    for (const std::wstring& name : FilesIn(folder_->Path())) {
      bool known = name == L"tickconvert.exe" || name == L"practice.EPF";
      for (const std::wstring& m : mine) known = known || name == m;
      if (!known) left.push_back(name);
    }
    return left;
  }

  UserSettingsScope settings_;  // no recording time zone unless a test sets one
  std::unique_ptr<ScratchFolder> folder_;
  std::wstring program_;
  std::string out_, err_;
};

class TickConvertFormats : public TickConvertTest, public ::testing::WithParamInterface<fixtures::TickFixture> {};

TEST_P(TickConvertFormats, FirstRecordInNewYorkTime) {
  const fixtures::TickFixture& f = GetParam();
  const std::wstring name = FromAnsi(f.fileName);
  folder_->WriteFile(name, f.bytes);
  std::wstring arguments = L"\"" + PathOf(name) + L"\" " + Out() + L" --zone \"Eastern Standard Time\"";
  if (*f.symbol) arguments += L" --symbol " + FromAnsi(f.symbol);
  ASSERT_EQ(Run(arguments), 0u) << out_ << err_;
  EXPECT_NE(out_.find(std::string(f.format) + "; "), std::string::npos) << out_;
  EXPECT_NE(out_.find("written in Eastern Standard Time"), std::string::npos) << out_;
  EXPECT_NE(out_.find(" written to " + ToAnsi(PathOf(L"practice.EPF"))), std::string::npos) << out_;
  std::vector<std::string> lines = RecordLines(PlaybackFile());
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ(lines[1], "Converted from " + ToAnsi(PathOf(name)));
  EXPECT_EQ(lines[2], "Symbol,Date,Time,Price,Volume");
  EXPECT_EQ(lines[3], f.firstNewYork);
  EXPECT_TRUE(LeftOver({name}).empty()) << "a temporary file was left behind";
}

INSTANTIATE_TEST_SUITE_P(EachFormat, TickConvertFormats, ::testing::ValuesIn(fixtures::EachFormat()),
                         [](const ::testing::TestParamInfo<fixtures::TickFixture>& info) {
                           return std::string(info.param.label);
                         });

// NinjaTrader 7 writes the exporting computer's time, which is taken to be this one's: the record
// must be what the system itself makes of 09:30:03 here, in New York.
TEST_F(TickConvertTest, NinjaTrader7IsReadInThisComputersZone) {
  SYSTEMTIME local{2013, 10, 2, 8, 9, 30, 3, 0}, utc{}, newYork{};
  ASSERT_TRUE(::TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc));
  DYNAMIC_TIME_ZONE_INFORMATION eastern{};
  wcscpy_s(eastern.TimeZoneKeyName, L"Eastern Standard Time");
  TIME_ZONE_INFORMATION easternIn2013{};
  ASSERT_TRUE(::GetTimeZoneInformationForYear(2013, &eastern, &easternIn2013));
  ASSERT_TRUE(::SystemTimeToTzSpecificLocalTime(&easternIn2013, &utc, &newYork));
  char expected[64];
  snprintf(expected, sizeof expected, "ES 12-13,%04u%02u%02u,%02u%02u%02u,1680.25,3", newYork.wYear, newYork.wMonth,
           newYork.wDay, newYork.wHour, newYork.wMinute, newYork.wSecond);

  folder_->WriteFile(L"ES 12-13.txt", fixtures::kNinjaTrader7);
  ASSERT_EQ(Run(L"\"" + PathOf(L"ES 12-13.txt") + L"\" " + Out() + L" --zone \"Eastern Standard Time\""), 0u) << err_;
  EXPECT_NE(out_.find("NinjaTrader 7 tick file; times read in "), std::string::npos) << out_;
  std::vector<std::string> lines = RecordLines(PlaybackFile());
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ(lines[3], expected);
}

TEST_F(TickConvertTest, SeveralFilesBecomeOneInTimeOrder) {
  const wchar_t* names[] = {L"ES 20131009.Last.txt", L"ES 20131007.Last.txt", L"ES 20131008.Last.txt"};
  const char* days[] = {"20131009", "20131007", "20131008"};
  std::wstring arguments;
  for (int i = 0; i < 3; ++i) {
    folder_->WriteFile(names[i], std::string(days[i]) + " 133003 0000000;1680.25;1\r\n" + days[i] +
                                     " 200000 0000000;1681.50;2\r\n");
    arguments += L"\"" + PathOf(names[i]) + L"\" ";
  }
  ASSERT_EQ(Run(arguments + Out() + L" --zone UTC-04:00"), 0u) << err_;
  std::vector<std::string> lines = RecordLines(PlaybackFile());
  ASSERT_EQ(lines.size(), 3u + 6u);
  EXPECT_NE(lines[0].find("3 files joined in time order"), std::string::npos) << lines[0];
  EXPECT_EQ(lines[3], "ES 20131007,20131007,093003,1680.25,1");
  EXPECT_EQ(lines[5], "ES 20131008,20131008,093003,1680.25,1");
  EXPECT_EQ(lines[8], "ES 20131009,20131009,160000,1681.50,2");
  // It says what it found in the order it joined the files.
  size_t monday = out_.find("ES 20131007.Last.txt: "), tuesday = out_.find("ES 20131008.Last.txt: ");
  ASSERT_NE(monday, std::string::npos) << out_;
  EXPECT_LT(monday, tuesday) << out_;
  EXPECT_NE(out_.find("6 ticks written to"), std::string::npos) << out_;
}

struct Refused {
  const char* label;
  const wchar_t* fileName;
  const char* text;
  const wchar_t* options;
  std::vector<const char*> said;  // pieces of what it prints on its error output
};

class TickConvertRefusals : public TickConvertTest, public ::testing::WithParamInterface<Refused> {};

TEST_P(TickConvertRefusals, ExitCodeTwoTheFileLineAndProblemAndTheOldFileKept) {
  const Refused& r = GetParam();
  folder_->WriteFile(r.fileName, r.text);
  ASSERT_EQ(Run(L"\"" + PathOf(r.fileName) + L"\" " + Out() + L" " + r.options), 2u) << out_ << err_;
  for (const char* piece : r.said) EXPECT_NE(err_.find(piece), std::string::npos) << err_;
  EXPECT_EQ(PlaybackFile(), kOldPlaybackFile);
  EXPECT_TRUE(LeftOver({r.fileName}).empty()) << "a temporary file was left behind";
}

const Refused kRefusals[] = {
    {"MinuteBars",
     L"ES 12-13.Last.txt",
     "20131008 133000;1680.25;1680.50;1680.00;1680.25;120\n",
     L"",
     {"ES 12-13.Last.txt, line 1: this is a file of one-minute bars", "was left as it was"}},
    {"BadPriceOnLine3",
     L"IBM.txt",
     "10/08/2013,09:30:03,182.5,200\n10/08/2013,09:30:04,182.52,100\n10/08/2013,09:30:05,n/a,100\n",
     L"--zone UTC",
     {"IBM.txt, line 3: the price \"n/a\" is not a number"}},
    {"NoBidPrices", L"IBM.txt", "10/08/2013,09:30:03,182.5,200\n", L"--price bid", {"has no bid prices; it has last"}},
    {"UnknownZone", L"IBM.txt", "10/08/2013,09:30:03,182.5,200\n", L"--zone \"Atlantis Time\"",
     {"The time zone \"Atlantis Time\" (--zone) is not a time zone of this computer"}},
    {"UnknownOption", L"IBM.txt", "10/08/2013,09:30:03,182.5,200\n", L"--zones UTC",
     {"the option --zones is not one of tickconvert's", "Usage: tickconvert SOURCE..."}},
};

INSTANTIATE_TEST_SUITE_P(Input, TickConvertRefusals, ::testing::ValuesIn(kRefusals),
                         [](const ::testing::TestParamInfo<Refused>& info) { return std::string(info.param.label); });

TEST_F(TickConvertTest, FilesThatOverlapInTimeAreRefused) {
  folder_->WriteFile(L"a.Last.txt", "20131008 133003 0000000;1680.25;1\r\n20131008 200000 0000000;1681.50;2\r\n");
  folder_->WriteFile(L"b.Last.txt", "20131008 150000 0000000;1680.75;1\r\n");
  ASSERT_EQ(Run(L"\"" + PathOf(L"a.Last.txt") + L"\" \"" + PathOf(L"b.Last.txt") + L"\" " + Out()), 2u) << out_;
  EXPECT_NE(err_.find("b.Last.txt, line 1: its ticks begin at 2013-10-08 15:00:00, before the last tick of "),
            std::string::npos)
      << err_;
  EXPECT_NE(err_.find("the files overlap in time"), std::string::npos) << err_;
  EXPECT_EQ(PlaybackFile(), kOldPlaybackFile);
}

// Without --zone the recording time zone of the settings is the playback zone, as in Genvane;
// --zone none leaves the source's times as they are.
TEST_F(TickConvertTest, TheRecordingTimeZoneUnlessTheCommandLineSaysOtherwise) {
  folder_->WriteFile(L"ES 12-13.Last.txt", fixtures::kNinjaTrader8);
  const std::wstring source = L"\"" + PathOf(L"ES 12-13.Last.txt") + L"\" " + Out();
  settings_.Set(std::nullopt, L"Eastern Standard Time");
  ASSERT_EQ(Run(source), 0u) << err_;
  EXPECT_EQ(RecordLines(PlaybackFile()).at(3), "ES 12-13,20131008,093003,1680.25,3");
  ASSERT_EQ(Run(source + L" --zone none"), 0u) << err_;
  EXPECT_EQ(RecordLines(PlaybackFile()).at(3), "ES 12-13,20131008,133003,1680.25,3");
  settings_.Set(std::nullopt, std::nullopt);
  ASSERT_EQ(Run(source), 0u) << err_;
  EXPECT_EQ(RecordLines(PlaybackFile()).at(3), "ES 12-13,20131008,133003,1680.25,3");
  EXPECT_NE(out_.find("written as read"), std::string::npos) << out_;
}

TEST_F(TickConvertTest, HelpSaysHowToUseIt) {
  ASSERT_EQ(Run(L"--help"), 0u);
  EXPECT_NE(out_.find("Usage: tickconvert SOURCE... --out FILE"), std::string::npos) << out_;
  EXPECT_NE(out_.find("--source-zone"), std::string::npos);
}

}  // namespace
}  // namespace tickvane::test
