// Where the fast-forward step runs and how its outcome decides whether a record is written,
// shown and paced.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/native/replay_test_fakes.h"

namespace tickvane::replay_test {
namespace {

using Texts = std::vector<std::string>;

TEST(ReplayForwardHookTest, RunsOncePerRecordLineBeforeTheWriteWithThePreviousShownDate) {
  ReplayRig rig("sierra");
  rig.file = TickFile({"IBM,20131008,93000,1", "short", "IBM,20131009,93001,2"});
  rig.Run([&](ForwardContext& c) {
    rig.log.Add("ForwardStep", "ForwardStep(" + std::string(c.record.tickDate) + "," + std::string(c.record.tickTime) +
                                   "," + std::string(c.record.tickPrice) + "," + std::to_string(static_cast<long>(c.previousDate)) +
                                   (c.sierra ? ",sierra)" : ")"));
  });
  EXPECT_EQ(rig.log.Only({"ForwardStep", "writing_data", "last=", "ProcessEvents"}),
            (Texts{"ForwardStep(20131008,93000,1,0,sierra)", "writing_data(20131008,1,93000,s1,dji.mnd)", "last=1",
                   "ProcessEvents", "ProcessEvents", "ForwardStep(20131009,93001,2,20131008,sierra)",
                   "writing_data(20131009,2,93001,s2,dji.mnd)", "last=2", "ProcessEvents"}));
}

struct ForwardStateCase {
  const char* name;
  double forwardTicks;
  const char* forwardToTime;
  bool shown;
};

class ForwardStateTest : public testing::TestWithParam<ForwardStateCase> {};

// A record is written, shown and paced only while no forward runs; the window still gets its turn.
TEST_P(ForwardStateTest, DecidesWhetherTheRecordIsWrittenAndShown) {
  const ForwardStateCase& c = GetParam();
  ReplayRig rig("sierra");
  rig.file = TickFile({"IBM,1,93000,1"});
  rig.Run([&](ForwardContext& context) {
    context.station.forwardTicks = c.forwardTicks;
    context.station.forwardToTime = WriterValue::FromText(c.forwardToTime);
  });
  const Texts shownCalls{"Enable(Forward)", "Enable(for_mins)", "writing_data(1,1,93000,s1,dji.mnd)", "last=1",
                         "WaitAfterRecord(1000)", "ProcessEvents", "Enable(Forward)", "Enable(for_mins)"};
  const Texts skippedCalls{"ProcessEvents", "Enable(Forward)", "Enable(for_mins)"};
  EXPECT_EQ(rig.log.Only({"Enable", "writing_data", "last=", "Wait", "ProcessEvents"}), c.shown ? shownCalls : skippedCalls);
}

INSTANTIATE_TEST_SUITE_P(
    States, ForwardStateTest,
    testing::Values(ForwardStateCase{"NoForward", 0, "0", true},
                    // The target is compared by the numeric value of its text.
                    ForwardStateCase{"EmptyTarget", 0, "", true}, ForwardStateCase{"TargetWithoutNumber", 0, "abc", true},
                    ForwardStateCase{"TargetZeroPointZero", 0, "0.0", true},
                    ForwardStateCase{"TicksRunning", 1, "0", false}, ForwardStateCase{"TicksBelowOne", 0.5, "0", false},
                    ForwardStateCase{"MinutesRunning", 0, "93915", false},
                    ForwardStateCase{"NegativeTarget", 0, "-1", false}),
    [](const testing::TestParamInfo<ForwardStateCase>& info) { return std::string(info.param.name); });

// Skipped records do not move the pacing: the first record after a forward is measured against
// the last one shown.
TEST(ReplayForwardHookTest, PacingAfterAForwardIsMeasuredFromTheLastShownRecord) {
  ReplayRig rig("ddeonly");
  rig.file = TickFile({"IBM,1,93000,a", "IBM,1,93001,b", "IBM,1,93002,c", "IBM,1,93001,d"});
  int step = 0;
  rig.Run([&](ForwardContext& context) {
    ++step;
    context.station.forwardTicks = (step == 2 || step == 3) ? 1 : 0;
  });
  EXPECT_EQ(rig.log.Only({"last=", "WaitAfterRecord"}),
            (Texts{"last=a", "WaitAfterRecord(1000)", "last=d", "WaitAfterRecord(500)"}));
}

// A batch write by the step hands its result on as the writer state of the next single write.
TEST(ReplayForwardHookTest, BatchWritesShareTheReplaysWriterState) {
  ReplayRig rig("sierra");
  rig.file = TickFile({"IBM,1,93000,1", "IBM,1,93001,2"});
  rig.Run([&](ForwardContext& context) {
    if (context.record.tickPrice != "2") return;
    auto message = context.writer.WriteBatch(",1", ",9", ",93000", context.window.ChartFileName());
    if (message) context.window.ShowNotice(*message);
  });
  EXPECT_EQ(rig.log.Only({"writing"}),
            (Texts{"writing_header(dji.mnd)", "writing_data(1,1,93000,s1,dji.mnd)",
                   "writing_data_forward(,1,,9,,93000,s2,dji.mnd)", "writing_data(1,2,93001,s3,dji.mnd)"}));
}

// A forward requested while the writer's failure message is open applies to the record in hand:
// it is written (the write came first) but not shown.
TEST(ReplayForwardHookTest, ForwardStartedDuringAMessageStopsTheShow) {
  ReplayRig rig("sierra");
  rig.script.failing = "writing_data";
  rig.file = TickFile({"IBM,1,93000,1"});
  rig.log.At("Notice", 1, [&] { rig.station.forwardTicks = 5; });
  rig.Run();
  EXPECT_EQ(rig.log.Count("writing_data"), 1);
  EXPECT_EQ(rig.log.Count("last"), 0);
  EXPECT_EQ(rig.log.Count("WaitAfterRecord"), 0);
}

TEST(ReplayForwardHookTest, ReplayWithoutAStepIsTheSameAsWithAStepThatDoesNothing) {
  ReplayRig plain("sierra");
  ReplayRig hooked("sierra");
  for (ReplayRig* rig : {&plain, &hooked}) rig->file = TickFile({"IBM,1,93000,1", "x", "IBM,1,93001,2", "[e,1,93002,3"});
  plain.Run();
  hooked.Run([](ForwardContext&) {});
  EXPECT_EQ(plain.log.calls, hooked.log.calls);
}

}  // namespace
}  // namespace tickvane::replay_test
