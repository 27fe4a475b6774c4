#include "station/engine/chart_writer_session.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace tickvane {
namespace {

// What a fake component saw, shared by the instances one factory makes.
struct Log {
  std::vector<std::string> calls;  // "method(arg,arg,...)" with the writer state shown as its text
  std::string failing;             // the method that fails, "" for none
  int created = 0;
};

class FakeWriter final : public ChartWriter {
 public:
  explicit FakeWriter(Log& log) : log_(log) {}
  WriterResult writing_header(std::string_view name) override { return Answer("writing_header", {name}); }
  WriterResult writing_data(std::string_view d, std::string_view p, std::string_view t, const WriterValue& s,
                            std::string_view name) override {
    return Answer("writing_data", {d, p, t, s.Text(), name});
  }
  WriterResult writing_data_forward(std::string_view d, std::string_view p, std::string_view t, const WriterValue& s,
                                    std::string_view name) override {
    return Answer("writing_data_forward", {d, p, t, s.Text(), name});
  }
  WriterResult add_time(std::string_view from, std::string_view minutes) override {
    return Answer("add_time", {from, minutes});
  }

 private:
  WriterResult Answer(const std::string& method, std::vector<std::string_view> args) {
    std::string call = method + "(";
    for (size_t i = 0; i < args.size(); ++i) call += (i ? "," : "") + std::string(args[i]);
    log_.calls.push_back(call + ")");
    WriterResult r;
    if (method == log_.failing) {
      r.error = "disk full";
      return r;
    }
    r.ok = true;
    r.value = WriterValue::FromText(method == "add_time" ? "93915" : std::to_string(log_.calls.size()));
    return r;
  }
  Log& log_;
};

class FakeFactory final : public ChartWriterFactory {
 public:
  explicit FakeFactory(Log& log, bool available = true) : log_(log), available_(available) {}
  WriterCreation Create() override {
    WriterCreation c;
    if (!available_) {
      c.error = "the ProgID \"zavovq\" is not registered";
      return c;
    }
    ++log_.created;
    c.writer = std::make_unique<FakeWriter>(log_);
    return c;
  }
  std::string ComponentName() const override { return "zavovq"; }

 private:
  Log& log_;
  bool available_;
};

using Calls = std::vector<std::string>;

TEST(WriterValueTest, EqualsZeroByTheNumericValueOfItsText) {
  EXPECT_TRUE(WriterValue().EqualsZero());
  for (const char* zero : {"0", "", "abc", "0.0", " 0"}) EXPECT_TRUE(WriterValue::FromText(zero).EqualsZero()) << zero;
  for (const char* nonzero : {"93915", "240000", "-1", "0.5"})
    EXPECT_FALSE(WriterValue::FromText(nonzero).EqualsZero()) << nonzero;
}

TEST(ReplayChartWriterTest, HandsEachResultBackAsTheNextWriterState) {
  Log log;
  FakeFactory factory(log);
  ReplayChartWriter writer(factory);
  EXPECT_EQ(writer.writerState().Text(), "");
  EXPECT_EQ(writer.Start("dji.mnd"), std::nullopt);
  EXPECT_EQ(writer.WriteRecord("20131008", "182.5", "93003", "dji.mnd"), std::nullopt);
  EXPECT_EQ(writer.WriteBatch(",20131008", ",182.6", ",93004", "ibm.mnd"), std::nullopt);
  EXPECT_EQ(log.calls, (Calls{"writing_header(dji.mnd)", "writing_data(20131008,182.5,93003,1,dji.mnd)",
                              "writing_data_forward(,20131008,,182.6,,93004,2,ibm.mnd)"}));
  EXPECT_EQ(writer.writerState().Text(), "3");
  EXPECT_EQ(log.created, 1);
}

TEST(ReplayChartWriterTest, MissingComponentIsReportedOnceAtStartAndNeverCalled) {
  Log log;
  FakeFactory factory(log, false);
  ReplayChartWriter writer(factory);
  auto message = writer.Start("dji.mnd");
  ASSERT_TRUE(message);
  EXPECT_NE(message->find("\"zavovq\""), std::string::npos) << *message;
  EXPECT_NE(message->find("not registered"), std::string::npos) << *message;
  EXPECT_NE(message->find("goes on"), std::string::npos) << *message;
  EXPECT_EQ(writer.Start("dji.mnd"), std::nullopt);
  EXPECT_EQ(writer.WriteRecord("20131008", "1", "93003", "dji.mnd"), std::nullopt);
  EXPECT_EQ(writer.WriteBatch(",1", ",1", ",1", "dji.mnd"), std::nullopt);
  EXPECT_FALSE(writer.writing());
}

// Without "sierra" the replay never calls the writer, so a missing component goes unmentioned.
TEST(ReplayChartWriterTest, MissingComponentSaysNothingUntilTheWriterIsUsed) {
  Log log;
  FakeFactory factory(log, false);
  ReplayChartWriter writer(factory);
  EXPECT_FALSE(writer.writing());
}

struct FailureCase {
  std::string failing;
  Calls expected;  // the calls made when every step below is tried three times
};

class ReplayFailureTest : public testing::TestWithParam<FailureCase> {};

TEST_P(ReplayFailureTest, FirstFailureIsReportedOnceThenTheWriterIsOff) {
  Log log;
  log.failing = GetParam().failing;
  FakeFactory factory(log);
  ReplayChartWriter writer(factory);
  std::vector<std::string> messages;
  auto keep = [&](std::optional<std::string> m) {
    if (m) messages.push_back(*m);
  };
  keep(writer.Start("dji.mnd"));
  for (int i = 0; i < 3; ++i) {
    keep(writer.WriteRecord("20131008", "1", "93003", "dji.mnd"));
    keep(writer.WriteBatch(",20131008", ",1", ",93004", "dji.mnd"));
  }
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find("\"zavovq\" failed in " + GetParam().failing + ": disk full"), std::string::npos)
      << messages[0];
  EXPECT_EQ(log.calls, GetParam().expected);
  EXPECT_FALSE(writer.writing());
}

INSTANTIATE_TEST_SUITE_P(
    Methods, ReplayFailureTest,
    testing::Values(FailureCase{"writing_header", {"writing_header(dji.mnd)"}},
                    FailureCase{"writing_data", {"writing_header(dji.mnd)", "writing_data(20131008,1,93003,1,dji.mnd)"}},
                    FailureCase{"writing_data_forward",
                                {"writing_header(dji.mnd)", "writing_data(20131008,1,93003,1,dji.mnd)",
                                 "writing_data_forward(,20131008,,1,,93004,2,dji.mnd)"}}));

TEST(ReplayFailureTest, TheStateOfTheLastGoodCallIsKept) {
  Log log;
  log.failing = "writing_data_forward";
  FakeFactory factory(log);
  ReplayChartWriter writer(factory);
  writer.Start("dji.mnd");
  writer.WriteRecord("20131008", "1", "93003", "dji.mnd");
  writer.WriteBatch(",20131008", ",1", ",93004", "dji.mnd");
  EXPECT_EQ(writer.writerState().Text(), "2");
}

TEST(AskForwardTargetTest, UsesAShortLivedInstanceOfItsOwn) {
  Log log;
  FakeFactory factory(log);
  ForwardTarget target = AskForwardTarget(factory, "93015", "9");
  EXPECT_EQ(target.toTime.Text(), "93915");
  EXPECT_EQ(target.message, std::nullopt);
  EXPECT_EQ(log.calls, Calls{"add_time(93015,9)"});
  EXPECT_EQ(log.created, 1);
}

TEST(AskForwardTargetTest, FailuresGiveNoTargetAndAMessage) {
  Log log;
  log.failing = "add_time";
  FakeFactory failing(log);
  ForwardTarget target = AskForwardTarget(failing, "93015", "9");
  EXPECT_EQ(target.toTime.Text(), "0");
  EXPECT_TRUE(target.toTime.EqualsZero());
  ASSERT_TRUE(target.message);
  EXPECT_NE(target.message->find("\"zavovq\" failed in add_time: disk full"), std::string::npos) << *target.message;

  FakeFactory missing(log, false);
  target = AskForwardTarget(missing, "93015", "9");
  EXPECT_EQ(target.toTime.Text(), "0");
  ASSERT_TRUE(target.message);
  EXPECT_NE(target.message->find("could not be created"), std::string::npos) << *target.message;
}

}  // namespace
}  // namespace tickvane
