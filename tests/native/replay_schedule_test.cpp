// The pacing schedule: where each wait after a shown record ends on the window's clock, how the
// time the station spends on a record is absorbed, and when the schedule starts again from now.
// The fake window's clock moves only by the waits and by the costs scripted here.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "station/engine/pacing_schedule.h"
#include "tests/native/replay_test_fakes.h"

namespace tickvane::replay_test {
namespace {

std::vector<std::string> Repeated(const std::string& time, int n) { return std::vector<std::string>(n, time); }

std::vector<std::string> Joined(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// Every shown record costs the station `costMs` (display, DDE, writer), spent when it is shown.
void CostPerShownRecord(ReplayRig& rig, double costMs, int records) {
  for (int n = 1; n <= records; ++n) rig.log.At("last", n, [&rig, costMs] { rig.window.now += costMs; });
}

void ExpectDues(const std::vector<double>& dues, const std::vector<double>& expected) {
  ASSERT_EQ(dues.size(), expected.size());
  for (std::size_t i = 0; i < dues.size(); ++i) EXPECT_NEAR(dues[i], expected[i], 1e-6) << "wait " << i + 1;
}

struct ScheduleCase {
  const char* name;
  const char* speed;
  std::vector<std::string> times;
  double costMs;
  std::vector<double> dues;
};

class ScheduleTest : public testing::TestWithParam<ScheduleCase> {};

TEST_P(ScheduleTest, EachWaitEndsAtThePreviousEndPlusItsDelay) {
  const ScheduleCase& c = GetParam();
  for (const char* mode : {"sierra", "ddeonly"}) {
    ReplayRig rig(mode);
    rig.window.speed = c.speed;
    rig.file = TimedTickFile(c.times);
    CostPerShownRecord(rig, c.costMs, static_cast<int>(c.times.size()));
    rig.Run();
    SCOPED_TRACE(mode);
    ExpectDues(rig.window.dues, c.dues);
  }
}

// The first record is measured against 0 and takes the 1000 ms replacement; its wait starts the
// schedule from the clock after its own cost. From then on the cost is taken out of the waits.
INSTANTIATE_TEST_SUITE_P(
    Records, ScheduleTest,
    testing::Values(
        ScheduleCase{"SecondsAtSpeed1", "1", {"93000", "93001", "93002", "93003"}, 0.7,
                     {1000.7, 2000.7, 3000.7, 4000.7}},
        // 1000/3 ms with its fraction: three steps make exactly one second.
        ScheduleCase{"SecondsAtSpeed3", "3", {"93000", "93001", "93002", "93003"}, 0.5,
                     {1000.5, 1000.5 + 1000.0 / 3, 1000.5 + 2000.0 / 3, 2000.5}},
        ScheduleCase{"SecondsAtSpeed20", "20", {"93000", "93001", "93002", "93003"}, 1.9,
                     {1001.9, 1051.9, 1101.9, 1151.9}},
        // Three seconds are outside 0 to 2999 ms: one second instead, on the same schedule.
        ScheduleCase{"ThreeSecondGap", "1", {"93000", "93001", "93004", "93005"}, 0.2,
                     {1000.2, 2000.2, 3000.2, 4000.2}},
        // A time going backwards is a negative delay, replaced by one second as well.
        ScheduleCase{"TimeGoesBack", "2", {"93001", "93002", "93000", "93001"}, 0.3,
                     {1000.3, 1500.3, 2500.3, 3000.3}}),
    [](const testing::TestParamInfo<ScheduleCase>& info) { return std::string(info.param.name); });

// Same-time records have no delay of their own, so a burst falls behind by its cost; the steps
// after it are due on the schedule all the same, and take the delay out of their waits until
// the replay is on time again, instead of every later record coming late by the burst's cost.
TEST(ScheduleBurstTest, ABurstOfSameTimeRecordsDoesNotDelayTheRecordsAfterIt) {
  ReplayRig rig("ddeonly");
  rig.window.speed = "20";
  const auto times = Joined(Joined({"93000"}, Repeated("93001", 50)), {"93002", "93003", "93004", "93005"});
  rig.file = TimedTickFile(times);
  CostPerShownRecord(rig, 2, static_cast<int>(times.size()));
  rig.Run();
  const auto& dues = rig.window.dues;
  ASSERT_EQ(dues.size(), 55u);
  EXPECT_NEAR(dues[0], 1002, 1e-9);
  EXPECT_NEAR(dues[1], 1052, 1e-9);
  for (std::size_t i = 2; i <= 50; ++i) EXPECT_NEAR(dues[i], 1052, 1e-9) << i;  // no delay of their own
  for (std::size_t i = 51; i <= 54; ++i) EXPECT_NEAR(dues[i], 1052 + 50.0 * (i - 50), 1e-9) << i;
  // The burst's last record was shown at 1148; the steps after it come 98, 50 and 2 ms late
  // (each record costs 2 ms) and the next one on time. Statuses: the start, then one per shown
  // record.
  const auto& statuses = rig.window.statuses;
  ASSERT_GE(statuses.size(), 56u);
  const double lags[] = {98, 50, 2, 0};
  for (std::size_t i = 0; i < 4; ++i) EXPECT_NEAR(statuses[52 + i].lagMs, lags[i], 1e-9) << i;
}

// Behind by up to a second the schedule is kept (the next waits end at once until it is met);
// behind by more, it starts again from now instead of sprinting through the records in hand.
TEST(ScheduleBehindTest, HalfASecondBehindIsCaughtUpAndOneAndAHalfStartsAgain) {
  struct Case {
    double stallMs;
    std::vector<double> dues;
    double lagOfThird;
  };
  for (const Case& c : {Case{1500, {1000, 2000, 3000, 4000}, 500}, Case{2500, {1000, 4500, 5500, 6500}, 0}}) {
    ReplayRig rig("ddeonly");
    rig.window.speed = "1";
    rig.file = TimedTickFile({"93000", "93001", "93002", "93003"});
    rig.log.At("last", 2, [&] { rig.window.now += c.stallMs; });
    rig.Run();
    SCOPED_TRACE(c.stallMs);
    ExpectDues(rig.window.dues, c.dues);
    // Statuses: the start, then one per shown record, then the end.
    ASSERT_GE(rig.window.statuses.size(), 4u);
    EXPECT_EQ(rig.window.statuses[3].date, "20131008");
    EXPECT_NEAR(rig.window.statuses[3].lagMs, c.lagOfThird, 1e-9);
  }
}

// What held the replay up on purpose starts the schedule again from the end of the hold: the
// next wait lasts its whole delay instead of ending at once to catch up.
struct ResetCase {
  const char* name;
  const char* mode;
  std::function<void(ReplayRig&)> script;
  std::vector<double> dues;
};

class ScheduleResetTest : public testing::TestWithParam<ResetCase> {};

TEST_P(ScheduleResetTest, TheWaitAfterTheHoldLastsItsWholeDelay) {
  const ResetCase& c = GetParam();
  ReplayRig rig(c.mode);
  rig.window.speed = "1";
  rig.file = TimedTickFile({"93000", "93001", "93002", "93003"});
  c.script(rig);
  rig.Run();
  ExpectDues(rig.window.dues, c.dues);
}

INSTANTIATE_TEST_SUITE_P(
    Holds, ScheduleResetTest,
    testing::Values(
        // Paused after the first record for three 100 ms steps of the pause wait.
        ResetCase{"Pause", "ddeonly",
                  [](ReplayRig& rig) {
                    rig.log.At("ProcessEvents", 1, [&rig] { rig.station.paused = true; });
                    rig.log.At("Wait", 3, [&rig] { rig.station.paused = false; });
                  },
                  {1000, 2300, 3300, 4300}},
        // The speed cleared, and typed again during the third step of the wait for a speed.
        ResetCase{"ZeroSpeed", "ddeonly",
                  [](ReplayRig& rig) {
                    rig.log.At("ProcessEvents", 1, [&rig] { rig.window.speed = "0"; });
                    rig.log.At("Wait", 3, [&rig] { rig.window.speed = "1"; });
                  },
                  {1000, 2400, 3400, 4400}},
        // A negative speed: the window's check brings up its message, open for 400 ms; the next
        // records go at speed 2.
        ResetCase{"MessageBox", "ddeonly",
                  [](ReplayRig& rig) {
                    rig.log.At("ProcessEvents", 1, [&rig] { rig.window.speed = "-1"; });
                    rig.log.At("Notice", 1, [&rig] { rig.window.now += 400; });
                  },
                  {1000, 1900, 2400, 2900}},
        // A forward by one tick skips the second record, which costs 300 ms; the third is shown
        // and paced from the first (two seconds), counted from the end of the forward.
        ResetCase{"ForwardByTicks", "sierra",
                  [](ReplayRig& rig) {
                    rig.log.At("ProcessEvents", 1, [&rig] { rig.station.forwardTicks = 2; });
                    rig.log.At("ProcessEvents", 2, [&rig] { rig.window.now += 300; });
                  },
                  {1000, 3300, 4300}}),
    [](const testing::TestParamInfo<ResetCase>& info) { return std::string(info.param.name); });

// The schedule alone: its restart rule at the second's edge.
TEST(PacingScheduleTest, ExactlyOneSecondBehindIsStillKept) {
  PacingSchedule schedule;
  EXPECT_EQ(schedule.NextDue(10, 50), 60);
  EXPECT_EQ(schedule.LagAt(60), 0);
  EXPECT_EQ(schedule.LagAt(75.5), 15.5);
  EXPECT_EQ(schedule.NextDue(1110, 50), 110);   // 1000 behind: kept, the wait ends at once
  EXPECT_EQ(schedule.NextDue(1160.5, 50), 1210.5);  // 1000.5 behind: from now
  schedule.Restart();
  EXPECT_EQ(schedule.LagAt(5000), 0);
  EXPECT_EQ(schedule.NextDue(5000, 0), 5000);
}

// The old way, kept for the pacing benchmark's comparison: every wait from now, fraction dropped.
TEST(PacingScheduleTest, PlainSleepWaitsEachDelayFromNow) {
  PacingSchedule schedule(PacingRule::PlainSleep);
  EXPECT_EQ(schedule.NextDue(10, 333.7), 343);
  EXPECT_EQ(schedule.NextDue(345.5, 50), 395.5);
  EXPECT_EQ(schedule.LagAt(400), 4.5);
}

}  // namespace
}  // namespace tickvane::replay_test
