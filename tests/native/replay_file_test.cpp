// What the replay does with the playback file: header lines, short lines, the "[" end marker,
// a file that cannot be opened and one whose reading fails half-way.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/native/replay_test_fakes.h"

namespace tickvane::replay_test {
namespace {

using Texts = std::vector<std::string>;

const std::string kClosing = "Notice(This playback session has been done. Happy trading!)";

struct NoRecordCase {
  const char* name;
  std::string file;
};

class NoRecordFileTest : public testing::TestWithParam<NoRecordCase> {};

TEST_P(NoRecordFileTest, EndsAtOnceWithTheClosingMessage) {
  ReplayRig rig("ddeonly");
  rig.file = GetParam().file;
  rig.Run();
  EXPECT_EQ(rig.log.calls, (Texts{"Disable(cbStartFastSend)", "Enable(Forward)", "Enable(for_mins)", kClosing}));
  EXPECT_FALSE(rig.window.enabled[ReplayButton::cbStartFastSend]);
}

INSTANTIATE_TEST_SUITE_P(
    Files, NoRecordFileTest,
    testing::Values(NoRecordCase{"Empty", ""}, NoRecordCase{"OneLine", "IBM"},
                    NoRecordCase{"ThreeHeaderLines", "[a,1,93000,1\r\nb,1,93000,1\r\nc,1,93000,1\r\n"},
                    NoRecordCase{"ThreeHeaderLinesNoLastEnd", "a\r\nb\r\nc"},
                    // A line feed alone does not end a line: this is one header line.
                    NoRecordCase{"LineFeedsOnly", "h\nh\nh\nIBM,1,93000,1\nIBM,1,93001,2\n"}),
    [](const testing::TestParamInfo<NoRecordCase>& info) { return std::string(info.param.name); });

TEST(ReplayFileTest, EndMarkerLineIsReplayedAndNothingAfterIt) {
  ReplayRig rig("sierra");
  rig.file = TickFile({"IBM,20040315,155959,1131", " [not an end,20040315,155959,1131.5",
                       "[END],20040315,160000,1131.25", "IBM,20040315,160001,1132"});
  rig.Run();
  EXPECT_EQ(rig.log.Only({"last=", "time=", "writing_data", "ProcessEvents"}),
            (Texts{"writing_data(20040315,1131,155959,s1,dji.mnd)", "last=1131", "time=15:59:59", "ProcessEvents",
                   "writing_data(20040315,1131.5,155959,s2,dji.mnd)", "last=1131.5", "time=15:59:59", "ProcessEvents",
                   "writing_data(20040315,1131.25,160000,s3,dji.mnd)", "last=1131.25", "time=16:00:00", "ProcessEvents"}));
  EXPECT_EQ(rig.log.calls.back(), kClosing);
}

TEST(ReplayFileTest, LastLineWithoutLineEndIsReplayed) {
  ReplayRig rig("ddeonly");
  rig.file = TickFile({"IBM,1,93000,1"}) + "IBM,1,93001,2";
  rig.Run();
  EXPECT_EQ(rig.log.Only({"last="}), (Texts{"last=1", "last=2"}));
}

// Short lines are skipped but still give the window its turn; the pacing goes on from the last
// record shown.
TEST(ReplayFileTest, ShortLinesAreNeitherShownNorWritten) {
  ReplayRig rig("sierra");
  rig.file = TickFile({"IBM,1,93000,1", "IBM,1,93005", "", "short", "IBM,1,93001,2"});
  rig.Run();
  EXPECT_EQ(rig.log.Only({"last=", "writing_data", "ProcessEvents", "WaitAfterRecord"}),
            (Texts{"writing_data(1,1,93000,s1,dji.mnd)", "last=1", "WaitAfterRecord(1000)", "ProcessEvents",
                   "ProcessEvents", "ProcessEvents", "ProcessEvents",
                   "writing_data(1,2,93001,s2,dji.mnd)", "last=2", "WaitAfterRecord(500)", "ProcessEvents"}));
}

TEST(ReplayFileTest, ShortLineStartingWithBracketEndsTheReplay) {
  ReplayRig rig("ddeonly");
  rig.file = TickFile({"IBM,1,93000,1", "[END", "IBM,1,93001,2"});
  rig.Run();
  EXPECT_EQ(rig.log.Only({"last=", "ProcessEvents"}), (Texts{"last=1", "ProcessEvents", "ProcessEvents"}));
  EXPECT_EQ(rig.log.calls.back(), kClosing);
}

TEST(ReplayFileTest, MissingFileIsReportedAndStartCanBePressedAgain) {
  for (const char* mode : {"sierra", "ddeonly"}) {
    ReplayRig rig(mode);
    rig.openError = L"The playback file C:\\vq\\practice.EPF cannot be opened: The system cannot find the file "
                    L"specified. (error 2)";
    rig.Run();
    EXPECT_EQ(rig.log.calls, (Texts{"Disable(cbStartFastSend)", "Notice(" + Narrow(rig.openError) + ")",
                                    "Enable(cbStartFastSend)"}))
        << mode;
    EXPECT_EQ(rig.script.created, 0) << mode;  // nothing reached the chart file
    EXPECT_TRUE(rig.window.enabled[ReplayButton::cbStartFastSend]);

    // The user puts the file in place and presses Start again.
    rig.openError.clear();
    rig.file = TickFile({"IBM,1,93000,1"});
    rig.log.calls.clear();
    rig.Run();
    EXPECT_EQ(rig.log.Only({"last=", "Notice", "writing_header"}),
              (std::string(mode) == "sierra" ? Texts{"writing_header(dji.mnd)", "last=1", kClosing}
                                             : Texts{"last=1", kClosing}))
        << mode;
    EXPECT_FALSE(rig.window.enabled[ReplayButton::cbStartFastSend]) << mode;
  }
}

// A read that fails half-way must not pass for the end of the file.
TEST(ReplayFileTest, ReadFailureIsReportedBeforeTheClosingMessage) {
  ReplayRig rig("ddeonly");
  rig.file = TickFile({"IBM,1,93000,1", "IBM,1,93001,2", "IBM,1,93002,3"});
  rig.failAfter = rig.file.find("IBM,1,93002");
  rig.readFailure = L"Reading the playback file stopped: The network name is no longer available. (error 64)";
  rig.Run();
  EXPECT_EQ(rig.log.Only({"last=", "Notice"}),
            (Texts{"last=1", "last=2", "Notice(" + Narrow(rig.readFailure) + ")", kClosing}));
}

}  // namespace
}  // namespace tickvane::replay_test
