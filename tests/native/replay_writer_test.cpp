// A chart-file writer that is missing or fails: one message, and the replay goes on.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/native/replay_test_fakes.h"

namespace tickvane::replay_test {
namespace {

using Texts = std::vector<std::string>;

const std::string kClosing = "Notice(This playback session has been done. Happy trading!)";

std::vector<std::string> ThreeRecords() { return {"IBM,1,93000,1", "IBM,1,93001,2", "IBM,1,93002,3"}; }

TEST(ReplayWriterTest, MissingComponentInSierraModeIsReportedOnceAndTheReplayGoesOn) {
  ReplayRig rig("sierra");
  rig.script.available = false;
  rig.file = TickFile(ThreeRecords());
  rig.Run();
  const Texts notices = rig.log.Only({"Notice"});
  ASSERT_EQ(notices.size(), 2u);
  EXPECT_NE(notices[0].find("could not be created"), std::string::npos) << notices[0];
  EXPECT_NE(notices[0].find("not registered"), std::string::npos) << notices[0];
  EXPECT_EQ(notices[1], kClosing);
  // The message comes at Start, before the first record.
  EXPECT_EQ(rig.log.calls[2].rfind("Notice(", 0), 0u) << rig.log.calls[2];
  EXPECT_EQ(rig.log.Only({"last="}), (Texts{"last=1", "last=2", "last=3"}));
  EXPECT_EQ(rig.log.Only({"writing"}), Texts{});
}

TEST(ReplayWriterTest, MissingComponentGoesUnmentionedOutsideSierraMode) {
  ReplayRig rig("ddeonly");
  rig.script.available = false;
  rig.file = TickFile(ThreeRecords());
  rig.Run();
  EXPECT_EQ(rig.log.Only({"Notice"}), Texts{kClosing});
  EXPECT_EQ(rig.log.Only({"last="}), (Texts{"last=1", "last=2", "last=3"}));
}

struct FailureCase {
  const char* name;
  const char* failing;
  int failingCall;
  Texts writerCalls;  // every call the component sees
};

class WriterFailureTest : public testing::TestWithParam<FailureCase> {};

TEST_P(WriterFailureTest, OneMessageThenTheReplayGoesOnWithoutWriting) {
  const FailureCase& c = GetParam();
  ReplayRig rig("sierra");
  rig.script.failing = c.failing;
  rig.script.failingCall = c.failingCall;
  rig.file = TickFile(ThreeRecords());
  rig.Run();
  EXPECT_EQ(rig.log.Only({"writing"}), c.writerCalls);
  const Texts notices = rig.log.Only({"Notice"});
  ASSERT_EQ(notices.size(), 2u);
  EXPECT_NE(notices[0].find(std::string("failed in ") + c.failing), std::string::npos) << notices[0];
  EXPECT_NE(notices[0].find("disk full"), std::string::npos) << notices[0];
  EXPECT_EQ(notices[1], kClosing);
  EXPECT_EQ(rig.log.Only({"last="}), (Texts{"last=1", "last=2", "last=3"}));
}

INSTANTIATE_TEST_SUITE_P(
    Calls, WriterFailureTest,
    testing::Values(FailureCase{"Header", "writing_header", 1, {"writing_header(dji.mnd)"}},
                    FailureCase{"SecondRecord", "writing_data", 2,
                                {"writing_header(dji.mnd)", "writing_data(1,1,93000,s1,dji.mnd)",
                                 "writing_data(1,2,93001,s2,dji.mnd)"}}),
    [](const testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.name); });

// The failure message of the record's write is shown before the record is: the user learns of
// it while the record it concerns is about to appear.
TEST(ReplayWriterTest, WriteFailureMessageComesBeforeTheRecordIsShown) {
  ReplayRig rig("sierra");
  rig.script.failing = "writing_data";
  rig.file = TickFile({"IBM,1,93000,1"});
  rig.Run();
  const Texts order = rig.log.Only({"writing_data", "Notice", "last="});
  ASSERT_EQ(order.size(), 4u);
  EXPECT_EQ(order[0], "writing_data(1,1,93000,s1,dji.mnd)");
  EXPECT_EQ(order[1].rfind("Notice(", 0), 0u);
  EXPECT_EQ(order[2], "last=1");
}

}  // namespace
}  // namespace tickvane::replay_test
