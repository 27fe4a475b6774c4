// The fast-forward rules in the replay: which records are skipped, how they are batched, and that
// every record reaches the chart once and in file order.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/native/forward_test_rig.h"

namespace tickvane::forward_test {
namespace {

using Texts = std::vector<std::string>;

std::string Rec(const std::string& date, const std::string& time, int price) {
  return "IBM," + date + "," + time + "," + std::to_string(price);
}

// hhmmss of 9:30:00 plus the given seconds.
std::string TimeAfter(int seconds) {
  int total = 9 * 3600 + 30 * 60 + seconds;
  return std::to_string(total / 3600 * 10000 + total / 60 % 60 * 100 + total % 60);
}

// Records of one day, one second apart from 9:30:00, priced 1, 2, ...
Texts Seconds(int count, const std::string& date = "20131008") {
  Texts records;
  for (int i = 0; i < count; ++i) records.push_back(Rec(date, TimeAfter(i), i + 1));
  return records;
}

std::vector<ChartTick> TicksOf(const Texts& records) {
  std::vector<ChartTick> ticks;
  for (const std::string& line : records) {
    auto fields = replay_test::SplitList(line);
    ticks.push_back({fields[1], fields[2], fields[3]});
  }
  return ticks;
}

struct Command {
  int afterRecord;  // 0: before Start
  char kind;        // 'T' forward ticks, 'M' forward mins
  const wchar_t* text;
};

struct RuleCase {
  const char* name;
  Texts records;
  std::vector<Command> commands;
  Texts chartCalls;  // "D:price" single write, "B:priceList" batch
  Texts shown;
};

class ForwardRules : public testing::TestWithParam<RuleCase> {};

TEST_P(ForwardRules, WriteAndShow) {
  const RuleCase& c = GetParam();
  ForwardRig rig;
  rig.file = replay_test::TickFile(c.records);
  for (const Command& command : c.commands) {
    rig.AfterRecord(command.afterRecord, [&rig, command] {
      if (command.kind == 'T') rig.Ticks(command.text);
      else rig.Minutes(command.text);
    });
  }
  rig.Run();
  EXPECT_EQ(rig.chart.calls, c.chartCalls);
  EXPECT_EQ(rig.Shown(), c.shown);
  EXPECT_EQ(rig.chart.ticks, TicksOf(c.records)) << "every record once, in file order";
  EXPECT_FALSE(rig.chart.listsMisaligned);
}

const std::string d1 = "20131008", d2 = "20131009";

INSTANTIATE_TEST_SUITE_P(
    Cases, ForwardRules,
    testing::Values(
        // The record that ends a forward by ticks closes its batch and is shown, not written again.
        RuleCase{"TicksTwo", Seconds(5), {{1, 'T', L"2"}}, {"D:1", "B:,2,3", "D:4", "D:5"}, {"1", "3", "4", "5"}},
        RuleCase{"TicksOne", Seconds(3), {{1, 'T', L"1"}}, {"D:1", "B:,2", "D:3"}, {"1", "2", "3"}},
        // 2.5, 1.5, 0.5: the second record ends it; the user's "," and "." both read as the fraction.
        RuleCase{"TicksTwoAndAHalfWithComma", Seconds(4), {{1, 'T', L"2,5"}}, {"D:1", "B:,2,3", "D:4"},
                 {"1", "3", "4"}},
        RuleCase{"TicksTwoAndAHalfWithPoint", Seconds(4), {{1, 'T', L" 2.5 "}}, {"D:1", "B:,2,3", "D:4"},
                 {"1", "3", "4"}},
        RuleCase{"TicksZeroSkipsNothing", Seconds(3), {{1, 'T', L"0"}}, {"D:1", "D:2", "D:3"}, {"1", "2", "3"}},
        RuleCase{"TicksBeforeStart", Seconds(3), {{0, 'T', L"2"}}, {"B:,1,2", "D:3"}, {"2", "3"}},
        // Skipping that meets the end of the file: the last batch is written before the replay closes.
        RuleCase{"TicksPastTheEnd", Seconds(5), {{1, 'T', L"10"}}, {"D:1", "B:,2,3,4,5"}, {"1"}},
        // A refused count stops the forward; what it had skipped goes before the next record.
        RuleCase{"TicksCutShortByARefusal", Seconds(4), {{1, 'T', L"5"}, {2, 'T', L"abc"}},
                 {"D:1", "B:,2", "D:3", "D:4"}, {"1", "3", "4"}},
        // Target 9:31:00: the record that reaches it closes the batch unshown; the next ends the forward.
        RuleCase{"MinutesWithinADay",
                 {Rec(d1, "93000", 1), Rec(d1, "93020", 2), Rec(d1, "93059", 3), Rec(d1, "93100", 4),
                  Rec(d1, "93101", 5), Rec(d1, "93130", 6)},
                 {{1, 'M', L"1"}},
                 {"D:1", "B:,2,3,4", "D:5", "D:6"},
                 {"1", "5", "6"}},
        RuleCase{"MinutesZeroEndsAtTheNextRecord", Seconds(3), {{1, 'M', L"0"}}, {"D:1", "D:2", "D:3"},
                 {"1", "2", "3"}},
        // Nothing shown yet: no record is on the shown day, so the forward ends at once.
        RuleCase{"MinutesBeforeAnyRecordIsShown", Seconds(3), {{0, 'M', L"5"}}, {"D:1", "D:2", "D:3"},
                 {"1", "2", "3"}},
        // A new day at or past the from-time: the previous day's batch is written, not dropped.
        RuleCase{"MinutesDayChangeAtOrPastFromTime",
                 {Rec(d1, "93000", 1), Rec(d1, "93010", 2), Rec(d2, "93020", 3), Rec(d2, "93030", 4)},
                 {{1, 'M', L"1"}},
                 {"D:1", "B:,2", "D:3", "D:4"},
                 {"1", "3", "4"}},
        // A new day below the from-time: the batch goes before the new day's first record.
        RuleCase{"MinutesDayChangeBelowFromTime",
                 {Rec(d1, "93000", 1), Rec(d1, "93010", 2), Rec(d2, "92000", 3), Rec(d2, "93030", 4)},
                 {{1, 'M', L"1"}},
                 {"D:1", "B:,2", "D:3", "D:4"},
                 {"1", "3", "4"}},
        // A record at the from-time opening an empty batch stands alone, without the leading ",".
        RuleCase{"MinutesRecordAtTheFromTimeOpensTheBatch",
                 {Rec(d1, "93000", 1), Rec(d1, "93000", 2), Rec(d1, "93030", 3), Rec(d1, "93000", 4),
                  Rec(d1, "93200", 5), Rec(d1, "93201", 6)},
                 {{1, 'M', L"1"}},
                 {"D:1", "B:2,3,4,5", "D:6"},
                 {"1", "6"}},
        // A record at the from-time outside any forward stays out of every batch.
        RuleCase{"RecordAtTheFromTimeOutsideAForward",
                 {Rec(d1, "93000", 1), Rec(d1, "93010", 2), Rec(d1, "93200", 3), Rec(d1, "93210", 4),
                  Rec(d1, "93000", 5), Rec(d1, "93300", 6)},
                 {{1, 'M', L"1"}, {5, 'T', L"1"}},
                 {"D:1", "B:,2,3", "D:4", "D:5", "B:,6"},
                 {"1", "4", "5", "6"}},
        // A forward by ticks asked for during a forward by minutes starts where the minutes end.
        RuleCase{"TicksDuringMinutes",
                 {Rec(d1, "93000", 1), Rec(d1, "93010", 2), Rec(d1, "93020", 3), Rec(d1, "93100", 4),
                  Rec(d1, "93110", 5), Rec(d1, "93120", 6), Rec(d1, "93130", 7)},
                 {{1, 'M', L"1"}, {2, 'T', L"2"}},
                 {"D:1", "B:,2,3,4", "B:,5,6", "D:7"},
                 {"1", "6", "7"}}),
    [](const testing::TestParamInfo<RuleCase>& info) { return std::string(info.param.name); });

TEST(ForwardTicks, TwoHundredFiftyGoInBatchesOf100And100And50AndTheLastIsShown) {
  ForwardRig rig;
  const Texts records = Seconds(260);
  rig.file = replay_test::TickFile(records);
  rig.AfterRecord(0, [&] { rig.Ticks(L"250"); });
  // Both buttons are enabled again at the 250th record, before it is shown.
  bool enabledBeforeShown = false;
  rig.log.At("last", 1, [&] {
    enabledBeforeShown = rig.window.enabled[ReplayButton::Forward] && rig.window.enabled[ReplayButton::for_mins];
  });
  rig.Run();
  EXPECT_EQ(rig.chart.batchSizes, (std::vector<std::size_t>{100, 100, 50}));
  Texts shown;
  for (int i = 250; i <= 260; ++i) shown.push_back(std::to_string(i));
  EXPECT_EQ(rig.Shown(), shown);
  EXPECT_EQ(rig.chart.ticks, TicksOf(records));
  EXPECT_TRUE(enabledBeforeShown);
  EXPECT_EQ(rig.station.forwardTicks, 0);
}

TEST(ForwardMinutes, SkippedRecordsGoInBatchesOf101) {
  ForwardRig rig;
  const Texts records = Seconds(400);  // 9:30:00 to 9:36:39
  rig.file = replay_test::TickFile(records);
  rig.AfterRecord(1, [&] { rig.Minutes(L"6"); });  // target 9:36:00, the 361st record
  rig.Run();
  // 359 skipped below the target, then the one at it closes the last batch.
  EXPECT_EQ(rig.chart.batchSizes, (std::vector<std::size_t>{101, 101, 101, 57}));
  EXPECT_EQ(rig.chart.ticks, TicksOf(records));
  EXPECT_EQ(rig.chart.addTimes, Texts{"93000+6"});
  EXPECT_EQ(rig.Shown().at(1), "362");
  EXPECT_TRUE(rig.station.forwardToTime.EqualsZero());
}

TEST(ForwardMinutes, ASecondForwardSkipsToItsOwnTarget) {
  ForwardRig rig;
  const Texts records = Seconds(400);
  rig.file = replay_test::TickFile(records);
  rig.AfterRecord(1, [&] { rig.Minutes(L"2"); });    // 9:30:00 to 9:32:00, the 121st record
  rig.AfterRecord(122, [&] { rig.Minutes(L"1"); });  // shown 9:32:01 to 9:33:01, the 182nd
  rig.Run();
  const Texts shown = rig.Shown();
  ASSERT_GE(shown.size(), 4u);
  EXPECT_EQ((Texts{shown[0], shown[1], shown[2], shown[3]}), (Texts{"1", "122", "183", "184"}));
  EXPECT_EQ(rig.chart.addTimes, (Texts{"93000+2", "93201+1"}));
  EXPECT_EQ(rig.chart.ticks, TicksOf(records));
}

TEST(ForwardEnd, APendingBatchIsWrittenBeforeTheClosingNotice) {
  ForwardRig rig;
  rig.file = replay_test::TickFile(Seconds(4));
  rig.AfterRecord(1, [&] { rig.Minutes(L"9"); });
  std::size_t callsAtNotice = 0;
  rig.log.At("Notice", 1, [&] { callsAtNotice = rig.chart.calls.size(); });
  rig.Run();
  EXPECT_EQ(rig.chart.calls, (Texts{"D:1", "B:,2,3,4"}));
  EXPECT_EQ(callsAtNotice, 2u);
  EXPECT_EQ(rig.log.calls.back(), "Notice(This playback session has been done. Happy trading!)");
}

TEST(ForwardEnd, AClosedWindowWritesNothingMore) {
  ForwardRig rig;
  rig.file = replay_test::TickFile(Seconds(4));
  rig.AfterRecord(1, [&] { rig.Ticks(L"10"); });
  rig.AfterRecord(3, [&] { rig.window.closed = true; });
  rig.Run();
  EXPECT_EQ(rig.chart.calls, Texts{"D:1"});
}

TEST(ForwardButtons, CountZeroLeavesThemDisabledUntilTheNextSingleWrite) {
  ForwardRig rig;
  rig.file = replay_test::TickFile(Seconds(2));
  bool disabledAfterCommand = false;
  rig.AfterRecord(1, [&] {
    rig.Ticks(L"0");
    disabledAfterCommand = !rig.window.enabled[ReplayButton::Forward] && !rig.window.enabled[ReplayButton::for_mins];
  });
  bool enabledAtNextWrite = false;
  rig.log.At("last", 2, [&] {
    enabledAtNextWrite = rig.window.enabled[ReplayButton::Forward] && rig.window.enabled[ReplayButton::for_mins];
  });
  rig.Run();
  EXPECT_TRUE(disabledAfterCommand);
  EXPECT_TRUE(enabledAtNextWrite);
}

// Outside "sierra" mode nothing is batched: the writer is never called.
TEST(ForwardModes, DdeOnlyNeverCallsTheWriter) {
  ForwardRig rig("ddeonly");
  rig.file = replay_test::TickFile(Seconds(5));
  rig.AfterRecord(1, [&] { rig.Minutes(L"0"); });
  rig.Run();
  EXPECT_TRUE(rig.chart.calls.empty());
  EXPECT_EQ(rig.Shown(), (Texts{"1", "2", "3", "4", "5"}));
}

}  // namespace
}  // namespace tickvane::forward_test
