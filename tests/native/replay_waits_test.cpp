// The two waits that hand the window its events every 100 ms: the pause wait and the wait for a
// speed other than 0.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/native/replay_test_fakes.h"

namespace tickvane::replay_test {
namespace {

using Texts = std::vector<std::string>;

// Zero, empty, blank, letters and a lone minus sign all count as speed 0.
class ZeroSpeedTest : public testing::TestWithParam<const char*> {};

TEST_P(ZeroSpeedTest, HoldsTheRecordOnDisplayUntilANumberIsTyped) {
  ReplayRig rig("ddeonly");
  rig.window.speed = GetParam();
  rig.file = TickFile({"IBM,1,1,182.5", "IBM,1,2,183"});
  // Typed during the third 100 ms step: the pass after it still holds the old reading, so the
  // wait reads the box once more and sleeps once more before it ends.
  rig.log.At("Wait", 3, [&] { rig.window.speed = "4"; });
  rig.Run();
  // Each pass of the wait reads the box, waits 100 ms and hands the window its events.
  const Texts pass = {"SpeedText", "Wait(100)", "ProcessEvents"};
  Texts expected = {"Disable(cbStartFastSend)", "last=182.5", "time=0:00:01", "CheckSpeed", "SpeedText"};
  for (int n = 0; n < 4; ++n) expected.insert(expected.end(), pass.begin(), pass.end());
  expected.insert(expected.end(), {"CheckSpeed", "WaitAfterRecord(250)", "CheckSpeed", "ProcessEvents",
                                   "last=183", "time=0:00:02", "CheckSpeed", "SpeedText", "CheckSpeed",
                                   "WaitAfterRecord(250)", "CheckSpeed", "ProcessEvents", "Enable(Forward)",
                                   "Enable(for_mins)",
                                   "Notice(This playback session has been done. Happy trading!)"});
  EXPECT_EQ(rig.log.calls, expected);
  EXPECT_EQ(rig.window.speed, "4");
}

INSTANTIATE_TEST_SUITE_P(Texts, ZeroSpeedTest, testing::Values("0", "", "  ", "abc", "-", "0.0", "x5"));

// A speed cleared in the middle of a replay: the wait starts with the next shown record.
TEST(ZeroSpeedWaitTest, SpeedClearedDuringAReplayHoldsTheNextRecord) {
  ReplayRig rig("ddeonly");
  rig.file = TickFile({"IBM,1,93000,1", "IBM,1,93001,2", "IBM,1,93002,3"});
  rig.log.At("ProcessEvents", 1, [&] { rig.window.speed = ""; });
  rig.log.At("Wait", 5, [&] { rig.window.speed = "1"; });
  rig.Run();
  EXPECT_EQ(rig.log.Only({"last=", "Wait"}), (Texts{"last=1", "WaitAfterRecord(1000)", "last=2", "Wait(100)", "Wait(100)",
                                                    "Wait(100)", "Wait(100)", "Wait(100)", "Wait(100)",
                                                    "WaitAfterRecord(1000)", "last=3", "WaitAfterRecord(1000)"}));
}

// A negative entry that the wait reads itself is reported and replaced, and ends the wait; the
// record in hand is paced as the one before it, the next ones at speed 2.
TEST(ZeroSpeedWaitTest, NegativeEntryDuringTheWaitKeepsThePreviousDelay) {
  ReplayRig rig("ddeonly");
  rig.window.speed = "4";
  rig.file = TickFile({"IBM,1,1,a", "IBM,1,3,b", "IBM,1,4,c"});
  rig.log.At("WaitAfterRecord", 1, [&] { rig.window.speed = "0"; });
  rig.log.At("Wait", 1, [&] { rig.window.speed = "-5"; });
  rig.Run();
  EXPECT_EQ(rig.log.Only({"last=", "Wait", "Notice", "speed=", "SpeedText"}),
            (Texts{"last=a", "SpeedText", "WaitAfterRecord(250)",                         // 1 s at speed 4
                   "last=b", "SpeedText", "SpeedText", "Wait(100)",                        // reads 0
                   "SpeedText", "Notice(Wrong input of playback speed.)", "speed=2", "Wait(100)",  // reads -5
                   "WaitAfterRecord(250)",                                                 // kept, not 2 s at speed 2
                   "last=c", "SpeedText", "WaitAfterRecord(500)",                          // 1 s at speed 2
                   "Notice(This playback session has been done. Happy trading!)"}));
  EXPECT_EQ(rig.window.speed, "2");
}

TEST(ZeroSpeedWaitTest, NegativeEntryAtTheFirstRecordPacesItWithNoDelay) {
  ReplayRig rig("ddeonly");
  rig.window.speed = "0";
  rig.file = TickFile({"IBM,1,93000,a"});
  rig.log.At("Wait", 2, [&] { rig.window.speed = "-1"; });
  rig.Run();
  EXPECT_EQ(rig.log.Only({"Wait", "Notice(Wrong"}),
            (Texts{"Wait(100)", "Wait(100)", "Notice(Wrong input of playback speed.)", "Wait(100)", "WaitAfterRecord(0)"}));
}

TEST(PauseTest, PauseBeforeStartWaitsBeforeTheFirstLine) {
  ReplayRig rig("sierra");
  rig.station.paused = true;
  rig.file = TickFile({"IBM,1,93000,1", "IBM,1,93001,2"});
  rig.log.At("Wait", 3, [&] { rig.station.paused = false; });
  rig.Run();
  const Texts expectedStart{"Disable(cbStartFastSend)", "ChartFileName", "writing_header(dji.mnd)",
                            "CheckSpeed", "Wait(100)", "ProcessEvents",
                            "CheckSpeed", "Wait(100)", "ProcessEvents",
                            "CheckSpeed", "Wait(100)", "ProcessEvents",
                            "Enable(Forward)"};
  ASSERT_GE(rig.log.calls.size(), expectedStart.size());
  EXPECT_EQ(Texts(rig.log.calls.begin(), rig.log.calls.begin() + expectedStart.size()), expectedStart);
  EXPECT_EQ(rig.log.Count("Wait"), 3);
  EXPECT_EQ(rig.log.Count("last"), 2);
}

// A click during the long wait after a record is seen before the next line is read.
TEST(PauseTest, PauseDuringAReplayHoldsTheNextLineUntilResume) {
  ReplayRig rig("ddeonly");
  rig.file = TickFile({"IBM,1,93000,1", "IBM,1,93001,2", "IBM,1,93002,3"});
  rig.log.At("WaitAfterRecord", 1, [&] { rig.station.paused = true; });
  rig.log.At("Wait", 2, [&] { rig.station.paused = false; });
  rig.Run();
  EXPECT_EQ(rig.log.Only({"last=", "Wait", "ProcessEvents", "CheckSpeed"}),
            (Texts{"last=1", "CheckSpeed", "CheckSpeed", "WaitAfterRecord(1000)", "ProcessEvents",
                   "CheckSpeed", "Wait(100)", "ProcessEvents", "CheckSpeed", "Wait(100)", "ProcessEvents",
                   "last=2", "CheckSpeed", "CheckSpeed", "WaitAfterRecord(500)", "CheckSpeed", "ProcessEvents",
                   "last=3", "CheckSpeed", "CheckSpeed", "WaitAfterRecord(500)", "CheckSpeed", "ProcessEvents"}));
}

// The end of the file is tested before the pause flag: a pause at the last record does not hold
// back the closing message.
TEST(PauseTest, PauseAfterTheLastRecordDoesNotHoldTheEnd) {
  ReplayRig rig("ddeonly");
  rig.file = TickFile({"IBM,1,93000,1"});
  rig.log.At("WaitAfterRecord", 1, [&] { rig.station.paused = true; });
  rig.Run();
  EXPECT_EQ(rig.log.Count("Wait"), 0);
  EXPECT_EQ(rig.log.calls.back(), "Notice(This playback session has been done. Happy trading!)");
}

// The window's Pause: the flag is set even when the click handler has not set it, and the speed
// is checked at every step, so a negative speed typed while paused is caught.
TEST(PauseTest, PauseWaitSetsTheFlagAndChecksTheSpeedEachStep) {
  CallLog log;
  FakeWindow window(log);
  StationState station;
  log.At("Wait", 1, [&] {
    EXPECT_TRUE(station.paused);
    window.speed = "-2";
  });
  log.At("Wait", 2, [&] { station.paused = false; });
  Pause(window, station);
  EXPECT_EQ(log.calls, (Texts{"CheckSpeed", "Wait(100)", "ProcessEvents", "CheckSpeed",
                              "Notice(Wrong input of playback speed.)", "Wait(100)", "ProcessEvents"}));
  EXPECT_FALSE(station.paused);
  EXPECT_EQ(window.speed, "2");
}

struct ClosingCase {
  const char* name;
  const char* speed;
  bool pausedAtStart;
  const char* closedAt;  // the call during which the window is closed
  int closedAtCall;
};

class ClosingTest : public testing::TestWithParam<ClosingCase> {};

// Closing the window (the chooser closes it too) ends the replay where it stands, even from a
// wait that only a click in the gone window could end; no closing message is shown.
TEST_P(ClosingTest, EndsTheReplayAtOnceWithoutTheClosingMessage) {
  const ClosingCase& c = GetParam();
  ReplayRig rig("sierra");
  rig.window.speed = c.speed;
  rig.station.paused = c.pausedAtStart;
  rig.file = TickFile({"IBM,1,93000,1", "IBM,1,93001,2", "IBM,1,93002,3"});
  std::size_t callsAtClose = 0;
  rig.log.At(c.closedAt, c.closedAtCall, [&] {
    rig.window.closed = true;
    callsAtClose = rig.log.calls.size();
  });
  rig.Run();
  ASSERT_NE(callsAtClose, 0u);
  EXPECT_EQ(rig.log.Count("Notice"), 0);
  EXPECT_EQ(rig.log.Count("writing_data"), c.pausedAtStart ? 0 : 1);
  // At most the steps of the record in hand follow the close; no further record is shown.
  EXPECT_LE(rig.log.Count("last"), 1);
  EXPECT_LE(rig.log.calls.size() - callsAtClose, 5u);
}

INSTANTIATE_TEST_SUITE_P(
    Points, ClosingTest,
    testing::Values(ClosingCase{"PausedBeforeStart", "2", true, "Wait", 2},
                    ClosingCase{"WaitingForSpeed", "", false, "Wait", 3},
                    ClosingCase{"AfterARecord", "2", false, "WaitAfterRecord", 1},
                    ClosingCase{"DuringEvents", "2", false, "ProcessEvents", 1}),
    [](const testing::TestParamInfo<ClosingCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tickvane::replay_test
