#include "component/chart_batch.h"

#include <gtest/gtest.h>

namespace tickvane::chart {
namespace {

using Ticks = std::vector<std::vector<std::string>>;

Ticks Split(std::string_view dates, std::string_view prices, std::string_view times) {
  auto batch = SplitBatch(dates, prices, times);
  if (auto* problem = std::get_if<std::string>(&batch)) {
    ADD_FAILURE() << *problem;
    return {};
  }
  Ticks out;
  for (const auto& t : std::get<std::vector<BatchTick>>(batch))
    out.push_back({std::string(t.date), std::string(t.price), std::string(t.time)});
  return out;
}

struct BatchCase {
  const char *dates, *prices, *times;
  Ticks ticks;
};

class SplitBatchTest : public testing::TestWithParam<BatchCase> {};

TEST_P(SplitBatchTest, OneTickPerPositionInListOrder) {
  const BatchCase& c = GetParam();
  EXPECT_EQ(Split(c.dates, c.prices, c.times), c.ticks);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, SplitBatchTest,
    testing::Values(
        // The station's lists begin with an empty element, which is no tick.
        BatchCase{",d1,d2", ",p1,p2", ",t1,t2", {{"d1", "p1", "t1"}, {"d2", "p2", "t2"}}},
        // A list restarted at the from-time holds the record alone, then grows.
        BatchCase{"d1", "p1", "t1", {{"d1", "p1", "t1"}}},
        BatchCase{"d1,d2", "p1,p2", "t1,t2", {{"d1", "p1", "t1"}, {"d2", "p2", "t2"}}},
        BatchCase{"", "", "", {}}, BatchCase{",", ",", ",", {}},
        // An empty field within a tick still makes a tick (written as 0).
        BatchCase{",d1,d2", ",,p2", ",t1,t2", {{"d1", "", "t1"}, {"d2", "p2", "t2"}}}));

TEST(SplitBatchTest, ListsOfDifferentLengthsAreRefusedWhole) {
  for (auto [d, p, t] : {std::tuple{",d1,d2", ",p1", ",t1,t2"}, std::tuple{"d1", "p1,p2", "t1"},
                         std::tuple{",d1", ",p1", ",t1,t2,t3"}, std::tuple{"", ",p1", ""}}) {
    auto batch = SplitBatch(d, p, t);
    ASSERT_TRUE(std::holds_alternative<std::string>(batch)) << d << " | " << p << " | " << t;
    EXPECT_NE(std::get<std::string>(batch).find("differ"), std::string::npos);
  }
}

TEST(SplitListTest, SplitsAtEveryComma) {
  using V = std::vector<std::string_view>;
  EXPECT_EQ(SplitList(""), V{""});
  EXPECT_EQ(SplitList(",a"), (V{"", "a"}));
  EXPECT_EQ(SplitList("a,,b,"), (V{"a", "", "b", ""}));
}

}  // namespace
}  // namespace tickvane::chart
