// The station's caller against a stand-in component: how arguments really travel, that any
// component under the ProgID serves, and how a missing method or a failing call is reported.
#include <windows.h>

#include <gtest/gtest.h>

#include "station/platform/chart_writer_com_win.h"
#include "station/engine/chart_writer_session.h"
#include "tests/windows/component/component_fixture.h"
#include "tests/windows/component/recording_component.h"

namespace tickvane::test {
namespace {

const wchar_t kProgId[] = L"Tickvane.ChartWriterStandIn";

class StandInTest : public testing::Test {
 protected:
  ComApartment apartment_;
  std::unique_ptr<ChartWriterFactory> factory_ = MakeComChartWriterFactory(kProgId);
};

constexpr VARTYPE kByRef = VT_BYREF | VT_VARIANT;

TEST_F(StandInTest, ArgumentsGoByReferenceExceptTheFileNameWhichGoesAsText) {
  RecordingComponent standIn(kProgId, {});
  ASSERT_TRUE(standIn.registered());
  ReplayChartWriter writer(*factory_);
  ASSERT_EQ(writer.Start(L"dji.mnd"), std::nullopt);
  ASSERT_EQ(writer.WriteRecord("20131008", "182.50", "93003", L"dji.mnd"), std::nullopt);
  ASSERT_EQ(writer.WriteBatch(",20131008", ",182.75", ",93004", L"ibm.mnd"), std::nullopt);
  ForwardTarget target = AskForwardTarget(*factory_, L"93015", L"9");
  EXPECT_EQ(target.toTime.Text(), L"93915");

  const auto& calls = standIn.calls();
  ASSERT_EQ(calls.size(), 4u);
  struct Expected {
    const wchar_t* method;
    std::vector<RecordedArgument> arguments;
  };
  const Expected expected[] = {
      {L"writing_header", {{VT_BSTR, VT_EMPTY, L"dji.mnd"}}},
      {L"writing_data",
       {{kByRef, VT_BSTR, L"20131008"}, {kByRef, VT_BSTR, L"182.50"}, {kByRef, VT_BSTR, L"93003"},
        // The state is the previous call's result, handed back as it came (text here).
        {kByRef, VT_BSTR, L"state-1"}, {VT_BSTR, VT_EMPTY, L"dji.mnd"}}},
      {L"writing_data_forward",
       {{kByRef, VT_BSTR, L",20131008"}, {kByRef, VT_BSTR, L",182.75"}, {kByRef, VT_BSTR, L",93004"},
        {kByRef, VT_BSTR, L"state-2"}, {VT_BSTR, VT_EMPTY, L"ibm.mnd"}}},
      {L"add_time", {{kByRef, VT_BSTR, L"93015"}, {kByRef, VT_BSTR, L"9"}}},
  };
  for (size_t i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(calls[i].method, expected[i].method);
    ASSERT_EQ(calls[i].arguments.size(), expected[i].arguments.size());
    for (size_t a = 0; a < calls[i].arguments.size(); ++a) {
      SCOPED_TRACE(a);
      EXPECT_EQ(calls[i].arguments[a].type, expected[i].arguments[a].type);
      EXPECT_EQ(calls[i].arguments[a].pointsTo, expected[i].arguments[a].pointsTo);
      EXPECT_EQ(calls[i].arguments[a].text, expected[i].arguments[a].text);
    }
  }
  EXPECT_EQ(writer.writerState(), L"state-3");
}

TEST_F(StandInTest, TheStateBeforeAnyWriteIsEmpty) {
  RecordingComponent standIn(kProgId, {});
  auto created = factory_->Create();
  ASSERT_TRUE(created.writer) << created.error;
  ASSERT_TRUE(created.writer->writing_data("20131008", "1", "93003", L"dji.mnd").ok);
  ASSERT_EQ(standIn.calls().size(), 1u);
  EXPECT_EQ(standIn.calls()[0].arguments[3].pointsTo, VT_EMPTY);
}

// After a failed call the writer state stays what the last good call returned, of its own type.
TEST_F(StandInTest, AFailedCallLeavesTheStateOfTheLastGoodOne) {
  RecordingComponent standIn(kProgId, {{}, {{L"writing_data_forward", L"the disk is full"}}, {}});
  auto created = factory_->Create();
  ASSERT_TRUE(created.writer) << created.error;
  ASSERT_TRUE(created.writer->writing_header(L"dji.mnd").ok);
  ASSERT_TRUE(created.writer->writing_data("20131008", "1", "93003", L"dji.mnd").ok);
  EXPECT_FALSE(created.writer->writing_data_forward(",20131008", ",1", ",93004", L"dji.mnd").ok);
  ASSERT_TRUE(created.writer->writing_data("20131008", "1", "93005", L"dji.mnd").ok);
  ASSERT_EQ(standIn.calls().size(), 4u);
  EXPECT_EQ(standIn.calls()[2].arguments[3].text, L"state-2");
  EXPECT_EQ(standIn.calls()[3].arguments[3].pointsTo, VT_BSTR);
  EXPECT_EQ(standIn.calls()[3].arguments[3].text, L"state-2") << "the failed call's state is not taken";
}

struct FailureCase {
  StandInBehaviour behaviour;
  std::vector<std::wstring> inMessage;
};

class StandInFailureTest : public StandInTest, public testing::WithParamInterface<FailureCase> {};

TEST_P(StandInFailureTest, OneMessageNamesTheMethodAndTheErrorAndTheReplayGoesOn) {
  RecordingComponent standIn(kProgId, GetParam().behaviour);
  ReplayChartWriter writer(*factory_);
  std::vector<std::wstring> messages;
  auto keep = [&](std::optional<std::wstring> m) {
    if (m) messages.push_back(*m);
  };
  keep(writer.Start(L"dji.mnd"));
  for (int i = 0; i < 5; ++i) {
    keep(writer.WriteRecord("20131008", "1", "93003", L"dji.mnd"));
    keep(writer.WriteBatch(",20131008", ",1", ",93004", L"dji.mnd"));
  }
  ASSERT_EQ(messages.size(), 1u);
  for (const auto& part : GetParam().inMessage) EXPECT_NE(messages[0].find(part), std::wstring::npos) << messages[0];
  EXPECT_FALSE(writer.writing());
}

INSTANTIATE_TEST_SUITE_P(
    Failures, StandInFailureTest,
    testing::Values(
        FailureCase{{{L"writing_data"}, {}, {}}, {L"failed in writing_data", L"no method writing_data"}},
        FailureCase{{{L"writing_header"}, {}, {}}, {L"failed in writing_header", L"no method writing_header"}},
        FailureCase{{{}, {{L"writing_data_forward", L"the disk is full"}}, {}},
                    {L"failed in writing_data_forward: the disk is full"}},
        FailureCase{{{}, {}, {{L"writing_data", E_ACCESSDENIED}}}, {L"failed in writing_data", L"(0x80070005)"}}));

TEST_F(StandInTest, AddTimeFailureGivesNoTargetAndAMessage) {
  RecordingComponent standIn(kProgId, {{}, {{L"add_time", L"no clock"}}, {}});
  ForwardTarget target = AskForwardTarget(*factory_, L"93015", L"9");
  EXPECT_EQ(target.toTime.Text(), L"0");
  ASSERT_TRUE(target.message);
  EXPECT_NE(target.message->find(L"failed in add_time: no clock"), std::wstring::npos) << *target.message;
}

TEST_F(StandInTest, AnUnregisteredProgIdIsNamedInTheCreationFailure) {
  auto factory = MakeComChartWriterFactory(L"Tickvane.NoSuchComponent");
  WriterCreation created = factory->Create();
  EXPECT_FALSE(created.writer);
  EXPECT_NE(created.error.find(L"Tickvane.NoSuchComponent"), std::wstring::npos) << created.error;
}

}  // namespace
}  // namespace tickvane::test
