// The whole call sequence of a replay: writer calls, display, speed checks, waits, event
// hand-overs and button states, in "sierra" and in DDE-only mode.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/native/replay_test_fakes.h"

namespace tickvane::replay_test {
namespace {

using Texts = std::vector<std::string>;

const std::string kClosing = "Notice(This playback session has been done. Happy trading!)";

TEST(ReplayOrderTest, SierraWritesEachRecordBeforeShowingItWithTheForwardButtonsEnabledFirst) {
  ReplayRig rig("sierra");
  rig.file = TickFile({"IBM,20131008,93003,182.5", "IBM, 20131008 , 093004 ,  182.75 ,900,x"});
  rig.Run();
  EXPECT_EQ(rig.log.calls, (Texts{
                               "Disable(cbStartFastSend)",
                               "ChartFileName",
                               "writing_header(dji.mnd)",
                               "Enable(Forward)",
                               "Enable(for_mins)",
                               "ChartFileName",
                               "writing_data(20131008,182.5,93003,s1,dji.mnd)",
                               "last=182.5",
                               "time=9:30:03",
                               "CheckSpeed",
                               "SpeedText",
                               "CheckSpeed",
                               "WaitAfterRecord(1000)",
                               "ProcessEvents",
                               "Enable(Forward)",
                               "Enable(for_mins)",
                               "ChartFileName",
                               "writing_data(20131008,182.75,093004,s2,dji.mnd)",
                               "last=182.75",
                               "time=9:30:04",
                               "CheckSpeed",
                               "SpeedText",
                               "CheckSpeed",
                               "WaitAfterRecord(500)",
                               "CheckSpeed",
                               "ProcessEvents",
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
    EXPECT_EQ(rig.log.calls, (Texts{
                                 "Disable(cbStartFastSend)",
                                 "last=182.5",
                                 "time=9:30:03",
                                 "CheckSpeed",
                                 "SpeedText",
                                 "CheckSpeed",
                                 "WaitAfterRecord(1000)",
                                 "ProcessEvents",
                                 "last=182.75",
                                 "time=9:30:04",
                                 "CheckSpeed",
                                 "SpeedText",
                                 "CheckSpeed",
                                 "WaitAfterRecord(500)",
                                 "CheckSpeed",
                                 "ProcessEvents",
                                 "Enable(Forward)",
                                 "Enable(for_mins)",
                                 kClosing,
                             }))
        << mode;
    EXPECT_EQ(rig.script.created, 1) << mode;
  }
}

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
