// What ForwardStep decides for a record, and how the replay follows that decision: a record is
// written singly, shown and paced only while no forward runs; the window gets its turn anyway.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "station/engine/forward_step.h"
#include "tests/native/forward_test_rig.h"
#include "tests/native/replay_test_fakes.h"

namespace tickvane::replay_test {
namespace {

using Texts = std::vector<std::string>;

const char* FateName(RecordFate fate) {
  switch (fate) {
    case RecordFate::Skipped: return "Skipped";
    case RecordFate::WriteAndShow: return "WriteAndShow";
    case RecordFate::ShowOnly: return "ShowOnly";
  }
  return "?";
}

struct FateCase {
  const char* name;
  const char* mode;
  double forwardTicks;
  const wchar_t* forwardToTime;
  double previousDate;
  RecordFate fate;
  double ticksAfter;
  const wchar_t* toTimeAfter;
};

class RecordFateTest : public testing::TestWithParam<FateCase> {};

TEST_P(RecordFateTest, FollowsTheForwardThatRuns) {
  const FateCase& c = GetParam();
  CallLog log;
  FakeWindow window{log};
  WriterScript script;
  FakeWriterFactory factory{log, script};
  ReplayChartWriter writer(factory);
  StationState station = StateFor(c.mode);
  station.forwardTicks = c.forwardTicks;
  station.forwardToTime = WriterValue::FromText(c.forwardToTime);
  ForwardBatches batches;
  const TickRecord record{"20131008", "93000", "182.5"};
  ForwardContext context{record, station, c.previousDate, batches, writer, window};
  EXPECT_STREQ(FateName(ForwardStep(context)), FateName(c.fate));
  EXPECT_EQ(station.forwardTicks, c.ticksAfter);
  EXPECT_EQ(station.forwardToTime.Text(), c.toTimeAfter);
}

INSTANTIATE_TEST_SUITE_P(
    States, RecordFateTest,
    testing::Values(
        // No forward requested: nothing changes, the record is written (in "sierra" mode) and shown.
        FateCase{"NoForward", "sierra", 0, L"0", 0, RecordFate::WriteAndShow, 0, L"0"},
        FateCase{"NoForwardDdeOnly", "ddeonly", 0, L"0", 0, RecordFate::ShowOnly, 0, L"0"},
        // The target is compared by the numeric value of its text.
        FateCase{"EmptyTarget", "sierra", 0, L"", 0, RecordFate::WriteAndShow, 0, L""},
        FateCase{"TargetWithoutNumber", "sierra", 0, L"abc", 0, RecordFate::WriteAndShow, 0, L"abc"},
        FateCase{"TargetZeroPointZero", "sierra", 0, L"0.0", 0, RecordFate::WriteAndShow, 0, L"0.0"},
        // A forward by ticks takes the record; its last record closes the batch and is shown only.
        FateCase{"TicksRunning", "sierra", 2, L"0", 0, RecordFate::Skipped, 1, L"0"},
        FateCase{"TicksLastOne", "sierra", 1, L"0", 0, RecordFate::ShowOnly, 0, L"0"},
        // Below one it never ends (the command refuses such counts).
        FateCase{"TicksBelowOne", "sierra", 0.5, L"0", 0, RecordFate::Skipped, 0.5, L"0"},
        // Outside "sierra" nothing is batched, and a count left over silences the record.
        FateCase{"TicksDdeOnly", "ddeonly", 2, L"0", 0, RecordFate::Skipped, 2, L"0"},
        // A forward by minutes skips the shown day's records before the target.
        FateCase{"MinutesRunning", "sierra", 0, L"93915", 20131008, RecordFate::Skipped, 0, L"93915"},
        // Another day, or a target already reached, ends it with this record.
        FateCase{"MinutesOtherDay", "sierra", 0, L"93915", 20131007, RecordFate::WriteAndShow, 0, L"0"},
        FateCase{"MinutesReached", "sierra", 0, L"-1", 20131008, RecordFate::WriteAndShow, 0, L"0"}),
    [](const testing::TestParamInfo<FateCase>& info) { return std::string(info.param.name); });

// Skipped records do not move the pacing: the first record shown after a forward is measured
// against the last one shown before it.
TEST(RecordFateReplayTest, PacingAfterAForwardIsMeasuredFromTheLastShownRecord) {
  forward_test::ForwardRig rig("sierra");
  rig.file = TickFile({"IBM,1,93000,a", "IBM,1,93001,b", "IBM,1,93002,c", "IBM,1,93003,d"});
  rig.AfterRecord(1, [&] { rig.Ticks(L"2"); });
  rig.Run();
  // c ends the forward and is measured from a (2 s at speed 2), not from b; d from c.
  EXPECT_EQ(rig.log.Only({"last=", "WaitAfterRecord"}),
            (Texts{"last=a", "WaitAfterRecord(1000)", "last=c", "WaitAfterRecord(1000)", "last=d",
                   "WaitAfterRecord(500)"}));
}

// The forward's batch writes go to the replay's own instance, whose writer state they pass on to
// the next single write.
TEST(RecordFateReplayTest, BatchWritesShareTheReplaysWriterAndItsState) {
  forward_test::ForwardRig rig("sierra");
  rig.file = TickFile({"IBM,1,93000,1", "IBM,1,93001,2", "IBM,1,93002,3", "IBM,1,93003,4"});
  rig.AfterRecord(1, [&] { rig.Ticks(L"2"); });
  rig.Run();
  EXPECT_EQ(rig.log.Only({"writing"}),
            (Texts{"writing_header(dji.mnd)", "writing_data(1,1,93000,s1,dji.mnd)",
                   "writing_data_forward(,1,1,,2,3,,93001,93002,s2,dji.mnd)", "writing_data(1,4,93003,s3,dji.mnd)"}));
  EXPECT_EQ(rig.script.created, 1);
}

// A forward requested while the writer's failure message is open applies to the record in hand:
// it is written (the write came first) but not shown.
TEST(RecordFateReplayTest, ForwardStartedDuringAMessageStopsTheShow) {
  ReplayRig rig("sierra");
  rig.script.failing = "writing_data";
  rig.file = TickFile({"IBM,1,93000,1"});
  rig.log.At("Notice", 1, [&] { rig.station.forwardTicks = 5; });
  rig.Run();
  EXPECT_EQ(rig.log.Count("writing_data"), 1);
  EXPECT_EQ(rig.log.Count("last"), 0);
  EXPECT_EQ(rig.log.Count("WaitAfterRecord"), 0);
}

}  // namespace
}  // namespace tickvane::replay_test
