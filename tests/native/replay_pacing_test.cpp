// The wait after each shown record: its length from the recorded time step and the speed box, and
// whether the speed is checked after it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/native/replay_test_fakes.h"

namespace tickvane::replay_test {
namespace {

using Texts = std::vector<std::string>;

// "500" for a wait of 500 ms followed by a speed check, "1000 replaced" for the 1000 ms that
// stands in for a delay outside 0 to 2999 ms, which is not followed by one.
Texts Waits(const CallLog& log) {
  Texts waits;
  for (std::size_t i = 0; i < log.calls.size(); ++i) {
    const std::string& call = log.calls[i];
    if (call.rfind("WaitAfterRecord(", 0) != 0) continue;
    std::string ms = call.substr(16, call.size() - 17);
    const bool checked = i + 1 < log.calls.size() && log.calls[i + 1] == "CheckSpeed";
    waits.push_back(checked ? ms : ms + " replaced");
  }
  return waits;
}

struct PacingCase {
  const char* name;
  const char* speed;
  Texts times;
  Texts waits;
};

class PacingTest : public testing::TestWithParam<PacingCase> {};

TEST_P(PacingTest, WaitsAfterEachShownRecord) {
  const PacingCase& c = GetParam();
  for (const char* mode : {"sierra", "ddeonly"}) {
    ReplayRig rig(mode);
    rig.window.speed = c.speed;
    rig.file = TimedTickFile(c.times);
    rig.Run();
    EXPECT_EQ(Waits(rig.log), c.waits) << mode;
    EXPECT_EQ(rig.log.Count("Wait"), 0) << mode;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Steps, PacingTest,
    testing::Values(
        // The first record is measured against 0, so 93000 is far away.
        PacingCase{"Speed1", "1", {"93000", "93001", "93003"}, {"1000 replaced", "1000", "2000"}},
        PacingCase{"Speed2", "2", {"93000", "93001", "93002"}, {"1000 replaced", "500", "500"}},
        PacingCase{"Speed4", "4", {"93000", "93001"}, {"1000 replaced", "250"}},
        PacingCase{"SpeedHalf", "0.5", {"93000", "93001"}, {"1000 replaced", "2000"}},
        // The fraction of a millisecond is kept: dropping it would gain up to 1 ms per record.
        PacingCase{"FractionKept", "3", {"93000", "93001", "93002.9995"}, {"1000 replaced", "333.333", "666.5"}},
        PacingCase{"JustBelowThreeSeconds", "1", {"93000", "93002.9995"}, {"1000 replaced", "2999.5"}},
        PacingCase{"ExactlyThreeSeconds", "1", {"93000", "93003"}, {"1000 replaced", "1000 replaced"}},
        // One second across a minute is 41 on the digits; at speed 2 it must give 500, not 1000.
        PacingCase{"SecondAcrossMinute", "2", {"93059", "93100"}, {"1000 replaced", "500"}},
        PacingCase{"ThreeSecondsAcrossMinute", "1", {"93058", "93101"}, {"1000 replaced", "1000 replaced"}},
        PacingCase{"SecondAcrossHour", "2", {"95959", "100000"}, {"1000 replaced", "1000 replaced"}},
        PacingCase{"TimeGoesBack", "2", {"93001", "93002", "93000"}, {"1000 replaced", "500", "1000 replaced"}},
        PacingCase{"FirstRecordNearMidnight", "2", {"5"}, {"2500"}},
        PacingCase{"FirstRecordSixSeconds", "2", {"6"}, {"1000 replaced"}},
        PacingCase{"FirstRecordAtZero", "1", {"0"}, {"0"}},
        PacingCase{"EqualTimes", "1", {"93000", "93000", "93000"}, {"1000 replaced", "0", "0"}},
        PacingCase{"LeadingZeroSameTime", "2", {"093000", "93001"}, {"1000 replaced", "500"}},
        PacingCase{"TimeWithoutNumber", "2", {"93000", "abc"}, {"1000 replaced", "1000 replaced"}},
        // An infinite time gives an infinite step, and the next one infinity minus infinity (NaN).
        PacingCase{"InfiniteTimes", "2", {"1e400", "1e400"}, {"1000 replaced", "1000 replaced"}},
        PacingCase{"InfiniteSpeed", "1e400", {"0", "93000"}, {"0", "0"}},
        PacingCase{"SpeedWithTrailingText", "4x", {"93000", "93001"}, {"1000 replaced", "250"}}),
    [](const testing::TestParamInfo<PacingCase>& info) { return std::string(info.param.name); });

// A negative speed that the window's check leaves in the box (its message is already open) is
// taken as 2 for the record in hand; the box keeps what was typed.
TEST(PacingNegativeSpeedTest, CountsAsTwoAndLeavesTheBox) {
  ReplayRig rig;
  rig.window.checkSpeedActs = false;
  rig.window.speed = "-1";
  rig.file = TimedTickFile({"93000", "93001", "93003"});
  rig.Run();
  EXPECT_EQ(Waits(rig.log), (Texts{"1000 replaced", "500", "1000"}));
  EXPECT_EQ(rig.window.speed, "-1");
  EXPECT_EQ(rig.log.Only({"speed=", "Notice(Wrong"}), Texts{});
}

// With the window's check acting, the negative entry is replaced before the loop reads the box.
TEST(PacingNegativeSpeedTest, WindowCheckReplacesItBeforeTheBoxIsRead) {
  ReplayRig rig;
  rig.window.speed = "-3abc";
  rig.file = TimedTickFile({"93000", "93001"});
  rig.Run();
  EXPECT_EQ(Waits(rig.log), (Texts{"1000 replaced", "500"}));
  EXPECT_EQ(rig.window.speed, "2");
  EXPECT_EQ(rig.log.Count("Notice"), 2);  // the speed message once, then the closing message
}

// The speed is read afresh for every record: a new speed typed during a wait paces the next step.
TEST(PacingSpeedChangeTest, NewSpeedAppliesFromTheNextRecord) {
  ReplayRig rig;
  rig.file = TimedTickFile({"93000", "93001", "93002", "93003"});
  rig.log.At("WaitAfterRecord", 2, [&] { rig.window.speed = "4"; });
  rig.Run();
  EXPECT_EQ(Waits(rig.log), (Texts{"1000 replaced", "500", "250", "250"}));
}

}  // namespace
}  // namespace tickvane::replay_test
