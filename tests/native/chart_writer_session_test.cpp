#include "station/engine/chart_writer_session.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/native/fake_writer.h"

namespace tickvane {
namespace {

using replay_test::CallLog;
using replay_test::FakeWriterFactory;
using replay_test::Narrow;
using replay_test::WriterScript;

// One factory and what its instances did.
struct Rig {
  CallLog log;
  WriterScript script;
  FakeWriterFactory factory{log, script};
};

using Calls = std::vector<std::string>;

TEST(WriterValueTest, EqualsZeroByTheNumericValueOfItsText) {
  EXPECT_TRUE(WriterValue().EqualsZero());
  for (const wchar_t* zero : {L"0", L"", L"abc", L"0.0", L" 0"})
    EXPECT_TRUE(WriterValue::FromText(zero).EqualsZero()) << Narrow(zero);
  for (const wchar_t* nonzero : {L"93915", L"240000", L"-1", L"0.5"})
    EXPECT_FALSE(WriterValue::FromText(nonzero).EqualsZero()) << Narrow(nonzero);
}

TEST(ReplayChartWriterTest, HandsEachResultBackAsTheNextWriterState) {
  Rig rig;
  ReplayChartWriter writer(rig.factory);
  EXPECT_EQ(writer.writerState(), L"");
  EXPECT_EQ(writer.Start(L"dji.mnd"), std::nullopt);
  EXPECT_EQ(writer.WriteRecord("20131008", "182.5", "93003", L"dji.mnd"), std::nullopt);
  EXPECT_EQ(writer.WriteBatch(",20131008", ",182.6", ",93004", L"ibm.mnd"), std::nullopt);
  EXPECT_EQ(rig.log.calls, (Calls{"writing_header(dji.mnd)", "writing_data(20131008,182.5,93003,s1,dji.mnd)",
                                  "writing_data_forward(,20131008,,182.6,,93004,s2,ibm.mnd)"}));
  EXPECT_EQ(writer.writerState(), L"s3");
  EXPECT_EQ(rig.script.created, 1);
}

TEST(ReplayChartWriterTest, MissingComponentIsReportedOnceAtStartAndNeverCalled) {
  Rig rig;
  rig.script.available = false;
  ReplayChartWriter writer(rig.factory);
  auto message = writer.Start(L"dji.mnd");
  ASSERT_TRUE(message);
  EXPECT_NE(message->find(L"\"zavovq\""), std::wstring::npos) << Narrow(*message);
  EXPECT_NE(message->find(L"not registered"), std::wstring::npos) << Narrow(*message);
  EXPECT_NE(message->find(L"goes on"), std::wstring::npos) << Narrow(*message);
  EXPECT_EQ(writer.Start(L"dji.mnd"), std::nullopt);
  EXPECT_EQ(writer.WriteRecord("20131008", "1", "93003", L"dji.mnd"), std::nullopt);
  EXPECT_EQ(writer.WriteBatch(",1", ",1", ",1", L"dji.mnd"), std::nullopt);
  EXPECT_FALSE(writer.writing());
  EXPECT_TRUE(rig.log.calls.empty());
}

// Without "sierra" the replay never calls the writer, so a missing component goes unmentioned.
TEST(ReplayChartWriterTest, MissingComponentSaysNothingUntilTheWriterIsUsed) {
  Rig rig;
  rig.script.available = false;
  ReplayChartWriter writer(rig.factory);
  EXPECT_FALSE(writer.writing());
}

struct FailureCase {
  std::string failing;
  Calls expected;  // the calls made when every step below is tried three times
};

class ReplayFailureTest : public testing::TestWithParam<FailureCase> {};

TEST_P(ReplayFailureTest, FirstFailureIsReportedOnceThenTheWriterIsOff) {
  Rig rig;
  rig.script.failing = GetParam().failing;
  ReplayChartWriter writer(rig.factory);
  std::vector<std::wstring> messages;
  auto keep = [&](std::optional<std::wstring> m) {
    if (m) messages.push_back(*m);
  };
  keep(writer.Start(L"dji.mnd"));
  for (int i = 0; i < 3; ++i) {
    keep(writer.WriteRecord("20131008", "1", "93003", L"dji.mnd"));
    keep(writer.WriteBatch(",20131008", ",1", ",93004", L"dji.mnd"));
  }
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find(L"\"zavovq\" failed in " + replay_test::Wide(GetParam().failing) + L": disk full"),
            std::wstring::npos)
      << Narrow(messages[0]);
  EXPECT_EQ(rig.log.calls, GetParam().expected);
  EXPECT_FALSE(writer.writing());
}

INSTANTIATE_TEST_SUITE_P(
    Methods, ReplayFailureTest,
    testing::Values(FailureCase{"writing_header", {"writing_header(dji.mnd)"}},
                    FailureCase{"writing_data", {"writing_header(dji.mnd)", "writing_data(20131008,1,93003,s1,dji.mnd)"}},
                    FailureCase{"writing_data_forward",
                                {"writing_header(dji.mnd)", "writing_data(20131008,1,93003,s1,dji.mnd)",
                                 "writing_data_forward(,20131008,,1,,93004,s2,dji.mnd)"}}));

TEST(ReplayFailureTest, TheStateOfTheLastGoodCallIsKept) {
  Rig rig;
  rig.script.failing = "writing_data_forward";
  ReplayChartWriter writer(rig.factory);
  writer.Start(L"dji.mnd");
  writer.WriteRecord("20131008", "1", "93003", L"dji.mnd");
  writer.WriteBatch(",20131008", ",1", ",93004", L"dji.mnd");
  EXPECT_EQ(writer.writerState(), L"s2");
}

TEST(AskForwardTargetTest, UsesAShortLivedInstanceOfItsOwn) {
  Rig rig;
  ForwardTarget target = AskForwardTarget(rig.factory, L"93015", L"9");
  EXPECT_EQ(target.toTime.Text(), L"93915");
  EXPECT_EQ(target.message, std::nullopt);
  EXPECT_EQ(rig.log.calls, Calls{"add_time(93015,9)"});
  EXPECT_EQ(rig.script.created, 1);
}

TEST(AskForwardTargetTest, FailuresGiveNoTargetAndAMessage) {
  Rig failing;
  failing.script.failing = "add_time";
  ForwardTarget target = AskForwardTarget(failing.factory, L"93015", L"9");
  EXPECT_EQ(target.toTime.Text(), L"0");
  EXPECT_TRUE(target.toTime.EqualsZero());
  ASSERT_TRUE(target.message);
  EXPECT_NE(target.message->find(L"\"zavovq\" failed in add_time: disk full"), std::wstring::npos)
      << Narrow(*target.message);

  Rig missing;
  missing.script.available = false;
  target = AskForwardTarget(missing.factory, L"93015", L"9");
  EXPECT_EQ(target.toTime.Text(), L"0");
  ASSERT_TRUE(target.message);
  EXPECT_NE(target.message->find(L"could not be created"), std::wstring::npos) << Narrow(*target.message);
}

}  // namespace
}  // namespace tickvane
