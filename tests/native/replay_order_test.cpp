// The order of a replay as a user and a chart see it: writer calls, display and buttons, in
// "sierra" and in DDE-only mode, and where the speed checks can bring up their message.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/native/replay_test_fakes.h"

namespace tickvane::replay_test {
namespace {

using Texts = std::vector<std::string>;

const std::string kClosing = "Notice(This playback session has been done. Happy trading!)";

// What a user and a chart see of each record, in order: the buttons, the writer's calls, the boxes
// and the messages.
const std::initializer_list<std::string_view> kSeen = {"Enable", "Disable", "writing", "last=", "time=", "Notice"};

TEST(ReplayOrderTest, SierraWritesEachRecordBeforeShowingItWithTheForwardButtonsEnabledFirst) {
  ReplayRig rig("sierra");
  rig.file = TickFile({"IBM,20131008,93003,182.5", "IBM, 20131008 , 093004 ,  182.75 ,900,x"});
  rig.Run();
  EXPECT_EQ(rig.log.Only(kSeen), (Texts{
                                     "Disable(cbStartFastSend)",
                                     "writing_header(dji.mnd)",
                                     "Enable(Forward)",
                                     "Enable(for_mins)",
                                     "writing_data(20131008,182.5,93003,s1,dji.mnd)",
                                     "last=182.5",
                                     "time=9:30:03",
                                     "Enable(Forward)",
                                     "Enable(for_mins)",
                                     "writing_data(20131008,182.75,093004,s2,dji.mnd)",
                                     "last=182.75",
                                     "time=9:30:04",
                                     "Enable(Forward)",
                                     "Enable(for_mins)",
                                     kClosing,
                                 }));
  EXPECT_EQ(rig.script.created, 1);
}

TEST(ReplayOrderTest, DdeOnlyCreatesTheWriterButNeverCallsIt) {
  for (const char* mode : {"ddeonly", "esignal", "Sierra", ""}) {
    ReplayRig rig(mode);
    rig.file = TickFile({"IBM,20131008,93003,182.5", "IBM,20131008,93004,182.75"});
    rig.Run();
    EXPECT_EQ(rig.log.Only(kSeen), (Texts{
                                       "Disable(cbStartFastSend)",
                                       "last=182.5",
                                       "time=9:30:03",
                                       "last=182.75",
                                       "time=9:30:04",
                                       "Enable(Forward)",
                                       "Enable(for_mins)",
                                       kClosing,
                                   }))
        << mode;
    EXPECT_EQ(rig.script.created, 1) << mode;
  }
}

// A negative speed is caught by the speed checks right after a record is shown, after its delay
// is worked out, and after a wait of 0 to 2999 ms: the message comes at the first of them after
// the entry, and the records after it are paced at speed 2.
struct SpeedEntryCase {
  const char* name;
  const char* typedDuring;  // the call during which "-1" is typed
  int atCall;               // its n-th time
  Texts expected;           // what is shown and waited, and the message among it
};

class SpeedCheckPointTest : public testing::TestWithParam<SpeedEntryCase> {};

TEST_P(SpeedCheckPointTest, TheMessageComesAtTheNextCheck) {
  const SpeedEntryCase& c = GetParam();
  ReplayRig rig("ddeonly");
  rig.window.speed = "1";
  rig.file = TickFile({"IBM,1,93000,a", "IBM,1,93001,b", "IBM,1,93002,c"});
  rig.log.At(c.typedDuring, c.atCall, [&] { rig.window.speed = "-1"; });
  rig.Run();
  EXPECT_EQ(rig.log.Only({"last=", "WaitAfterRecord", "Notice(Wrong"}), c.expected);
  EXPECT_EQ(rig.log.Count("Notice"), 2) << "the message once, then the closing message";
}

INSTANTIATE_TEST_SUITE_P(
    Points, SpeedCheckPointTest,
    testing::Values(
        // The first record waits the replacement second, after which no check comes: the entry is
        // caught only when the next record has been shown.
        SpeedEntryCase{"DuringTheReplacementWait", "WaitAfterRecord", 1,
                       {"last=a", "WaitAfterRecord(1000)", "last=b", "Notice(Wrong input of playback speed.)",
                        "WaitAfterRecord(500)", "last=c", "WaitAfterRecord(500)"}},
        // A wait below 3000 ms is followed by a check: the message comes before the next line.
        SpeedEntryCase{"DuringAShortWait", "WaitAfterRecord", 2,
                       {"last=a", "WaitAfterRecord(1000)", "last=b", "WaitAfterRecord(1000)",
                        "Notice(Wrong input of playback speed.)", "last=c", "WaitAfterRecord(500)"}},
        // Typed while the window handles its events: caught once the next record is shown.
        SpeedEntryCase{"DuringTheEventsOfALine", "ProcessEvents", 1,
                       {"last=a", "WaitAfterRecord(1000)", "last=b", "Notice(Wrong input of playback speed.)",
                        "WaitAfterRecord(500)", "last=c", "WaitAfterRecord(500)"}}),
    [](const testing::TestParamInfo<SpeedEntryCase>& info) { return std::string(info.param.name); });

TEST(ReplayOrderTest, ChartFileNameIsReadAfreshForEveryWriterCall) {
  ReplayRig rig;
  rig.file = TickFile({"IBM,1,93000,1", "IBM,1,93001,2"});
  rig.log.At("ProcessEvents", 1, [&] { rig.window.chartFileName = "ibm.mnd"; });
  rig.Run();
  EXPECT_EQ(rig.log.Only({"writing"}),
            (Texts{"writing_header(dji.mnd)", "writing_data(1,1,93000,s1,dji.mnd)", "writing_data(1,2,93001,s2,ibm.mnd)"}));
}

TEST(ReplayOrderTest, AfterTheEndStartStaysDisabledAndTheBoxesKeepTheLastRecord) {
  ReplayRig rig;
  rig.file = TickFile({"IBM,1,93000,1", "IBM,1,153000,1131.25"});
  rig.Run();
  EXPECT_FALSE(rig.window.enabled[ReplayButton::cbStartFastSend]);
  EXPECT_TRUE(rig.window.enabled[ReplayButton::Forward]);
  EXPECT_TRUE(rig.window.enabled[ReplayButton::for_mins]);
  EXPECT_EQ(rig.window.last, "1131.25");
  EXPECT_EQ(rig.window.time, "15:30:00");
  EXPECT_EQ(rig.log.calls.back(), kClosing);
  EXPECT_EQ(rig.log.Count("Notice"), 1);
}

}  // namespace
}  // namespace tickvane::replay_test
