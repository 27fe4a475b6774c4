// The two forward commands: reading the count, refusals, and what an accepted command sets.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/native/forward_test_rig.h"

namespace tickvane::forward_test {
namespace {

using Texts = std::vector<std::string>;

struct CountCase {
  const wchar_t* text;
  const wchar_t* separator;
  std::optional<double> value;
};

class ForwardCount : public testing::TestWithParam<CountCase> {};

TEST_P(ForwardCount, WholeTextMustBeOneNumber) {
  const CountCase& c = GetParam();
  EXPECT_EQ(ReadForwardCount(c.text, c.separator), c.value);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ForwardCount,
    testing::Values(CountCase{L"250", L",", 250}, CountCase{L"  250\t", L",", 250}, CountCase{L"2.5", L",", 2.5},
                    CountCase{L"2,5", L",", 2.5}, CountCase{L".5", L",", 0.5}, CountCase{L"5.", L",", 5},
                    CountCase{L"-5", L",", -5}, CountCase{L"+7", L",", 7}, CountCase{L"-0", L",", 0},
                    CountCase{L"0009", L".", 9},
                    // A separator of several characters, and none at all.
                    CountCase{L"1<>5", L"<>", 1.5}, CountCase{L"1,5", L"", std::nullopt},
                    CountCase{L"1,5", L".", std::nullopt},
                    // Not one number as a whole.
                    CountCase{L"", L",", std::nullopt}, CountCase{L"   ", L",", std::nullopt},
                    CountCase{L"abc", L",", std::nullopt}, CountCase{L"12abc", L",", std::nullopt},
                    CountCase{L"1 2", L",", std::nullopt}, CountCase{L"1.2.3", L",", std::nullopt},
                    CountCase{L"1.2,3", L",", std::nullopt}, CountCase{L".", L",", std::nullopt},
                    CountCase{L"-", L",", std::nullopt}, CountCase{L"--5", L",", std::nullopt},
                    CountCase{L"1e3", L",", std::nullopt}, CountCase{L"1,000.5", L",", std::nullopt},
                    CountCase{L"\x0661", L",", std::nullopt}));

TEST(ForwardCount, ValueTooLargeForADoubleIsNoNumber) {
  EXPECT_EQ(ReadForwardCount(L"1" + std::wstring(400, L'0'), L","), std::nullopt);
  EXPECT_EQ(ReadForwardCount(L"1" + std::wstring(300, L'0'), L","), 1e300);
}

struct StripCase {
  const wchar_t* text;
  const wchar_t* ch;
  const wchar_t* result;
};

class StripCharCases : public testing::TestWithParam<StripCase> {};

TEST_P(StripCharCases, RemovesEveryOccurrenceOfOneCharacter) {
  const StripCase& c = GetParam();
  EXPECT_EQ(StripChar(c.text, c.ch), c.result);
}

INSTANTIATE_TEST_SUITE_P(Texts, StripCharCases,
                         testing::Values(StripCase{L"9:30:15", L":", L"93015"}, StripCase{L"time", L":", L"time"},
                                         StripCase{L"", L":", L""}, StripCase{L":::", L":", L""},
                                         StripCase{L"a:b", L"", L"a:b"},
                                         // Several characters never equal one character.
                                         StripCase{L"9::30", L"::", L"9::30"}, StripCase{L"9:30", L"9", L":30"},
                                         // Exact and case-sensitive.
                                         StripCase{L"aAa", L"A", L"aa"}));

TEST(StripChar, HandlesTheLongestTextOfABox) {
  std::wstring text;
  for (int i = 0; i < 32767; ++i) text += (i % 3 == 0) ? L':' : L'7';
  std::wstring stripped = StripChar(text, L":");
  EXPECT_EQ(stripped.size(), 32767u - 10923u);
  EXPECT_EQ(stripped.find(L':'), std::wstring::npos);
}

struct RefusalCase {
  const char* name;
  bool ticks;
  const wchar_t* text;
};

class ForwardRefusal : public testing::TestWithParam<RefusalCase> {};

// A refused count shows the message, puts the design text back and leaves no forward; a refused
// number of minutes changes no state at all and makes no writer instance.
TEST_P(ForwardRefusal, ResetsTheBox) {
  const RefusalCase& c = GetParam();
  ForwardRig rig;
  rig.station.forwardTicks = 7;
  rig.station.forwardFromTime = L"93000";
  rig.station.forwardMinutes = L"3";
  rig.station.forwardToTime = WriterValue::FromText(L"93300");
  if (c.ticks) rig.Ticks(c.text);
  else rig.Minutes(c.text);
  EXPECT_EQ(rig.log.calls, Texts{"Notice(Wrong data format.)"});
  if (c.ticks) {
    EXPECT_EQ(rig.commands.tick, L"1000");
    EXPECT_EQ(rig.station.forwardTicks, 0);
  } else {
    EXPECT_EQ(rig.commands.forMin, L"9");
    EXPECT_EQ(rig.station.forwardTicks, 7);
  }
  EXPECT_EQ(rig.station.forwardFromTime, L"93000");
  EXPECT_EQ(rig.station.forwardMinutes, L"3");
  EXPECT_EQ(rig.station.forwardToTime.Text(), L"93300");
  EXPECT_EQ(rig.script.created, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ForwardRefusal,
    testing::Values(RefusalCase{"TicksNegative", true, L"-5"}, RefusalCase{"TicksNoNumber", true, L"abc"},
                    RefusalCase{"TicksEmpty", true, L""},
                    // Between 0 and 1 it would leave every later record unshown and unwritten.
                    RefusalCase{"TicksHalf", true, L"0.5"}, RefusalCase{"TicksJustBelowOne", true, L"0.999"},
                    RefusalCase{"MinutesNegative", false, L"-1"}, RefusalCase{"MinutesNoNumber", false, L"9 min"}),
    [](const testing::TestParamInfo<RefusalCase>& info) { return std::string(info.param.name); });

TEST(ForwardTicksCommand, AcceptedCountDisablesForMinsThenForward) {
  for (const wchar_t* text : {L"0", L"1", L"2.5", L"250"}) {
    ForwardRig rig;
    rig.Ticks(text);
    EXPECT_EQ(rig.log.calls, (Texts{"Disable(for_mins)", "Disable(Forward)"})) << std::wstring(text).size();
    EXPECT_EQ(rig.station.forwardTicks, ReadForwardCount(text, L",").value());
  }
}

TEST(ForwardMinutesCommand, AsksAShortLivedInstanceFromTheShownTime) {
  ForwardRig rig;
  rig.window.time = "9:30:15";
  rig.Minutes(L" 9");
  EXPECT_EQ(rig.station.forwardFromTime, L"93015");
  EXPECT_EQ(rig.station.forwardMinutes, L" 9") << "the text as typed";
  EXPECT_EQ(rig.chart.addTimes, Texts{"93015+ 9"});
  EXPECT_EQ(rig.station.forwardToTime.Text(), L"93915");
  EXPECT_EQ(rig.script.created, 1);
  EXPECT_EQ(rig.log.calls, (Texts{"add_time(93015, 9)", "Disable(for_mins)", "Disable(Forward)"}));
}

TEST(ForwardMinutesCommand, BeforeAnyRecordTheDesignTextOfTimeGivesFromTimeZero) {
  ForwardRig rig;
  rig.Minutes(L"5");
  EXPECT_EQ(rig.station.forwardFromTime, L"time");
  EXPECT_EQ(rig.chart.addTimes, Texts{"time+5"});
}

// A writer that cannot be made: the failure is said once and no forward by minutes is pending.
TEST(ForwardMinutesCommand, MissingWriterLeavesNoTarget) {
  replay_test::CallLog log;
  replay_test::FakeWindow window{log};
  replay_test::WriterScript script;
  replay_test::FakeWriterFactory factory{log, script};
  script.available = false;
  FakeCommandWindow commands{window};
  StationState station;
  station.forwardToTime = WriterValue::FromText(L"93300");
  commands.forMin = L"9";
  ForwardMinutesCommand(commands, station, factory, L".");
  EXPECT_TRUE(station.forwardToTime.EqualsZero());
  ASSERT_EQ(log.Count("Notice"), 1);
  EXPECT_NE(log.calls.front().find("could not be created"), std::string::npos) << log.calls.front();
}

}  // namespace
}  // namespace tickvane::forward_test
