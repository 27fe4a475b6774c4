#include "component/chart_format.h"

#include <gtest/gtest.h>

#include <array>

#include "component/chart_date.h"
#include "component/chart_number.h"

namespace tickvane::chart {
namespace {

std::string Bytes(std::initializer_list<int> values) {
  std::string out;
  for (int v : values) out.push_back(static_cast<char>(v));
  return out;
}

TEST(ChartHeaderTest, IsTheFiftySixByteScidHeader) {
  std::string header;
  AppendHeader(header);
  std::string expected = "SCID" + Bytes({56, 0, 0, 0, 40, 0, 0, 0, 1, 0});
  expected.append(56 - expected.size(), '\0');
  EXPECT_EQ(header, expected);
  EXPECT_FALSE(HeaderProblem(header));
}

TEST(ChartHeaderTest, RefusesWhatIsNoHeaderOfOurLayout) {
  std::string good;
  AppendHeader(good);
  auto changed = [&](size_t at, char c) {
    std::string h = good;
    h[at] = c;
    return h;
  };
  EXPECT_TRUE(HeaderProblem(good.substr(0, 55)));
  EXPECT_TRUE(HeaderProblem(changed(0, 'X')));
  EXPECT_TRUE(HeaderProblem(changed(4, 60)));  // header size
  EXPECT_TRUE(HeaderProblem(changed(8, 44)));  // record size
  EXPECT_TRUE(HeaderProblem(changed(12, 2)));  // version
}

TEST(ChartRecordTest, TradeIsLaidOutLittleEndianInFortyBytes) {
  std::string bytes;
  AppendRecord(bytes, *TradeRecord("18991230", "1", "000001"));
  // 1 s = 1,000,000 us = 0x0F4240; 1.0f = 0x3F800000; Open 0; NumTrades 1, TotalVolume 1.
  const std::string expected = Bytes({0x40, 0x42, 0x0F, 0, 0, 0, 0, 0,  // date-time
                                      0, 0, 0, 0,                       // Open
                                      0, 0, 0x80, 0x3F,                 // High
                                      0, 0, 0x80, 0x3F,                 // Low
                                      0, 0, 0x80, 0x3F,                 // Close
                                      1, 0, 0, 0,                       // NumTrades
                                      1, 0, 0, 0,                       // TotalVolume
                                      0, 0, 0, 0, 0, 0, 0, 0});         // Bid and Ask volume
  EXPECT_EQ(bytes, expected);
}

TEST(ChartRecordTest, NegativeDateTimesAndPricesRoundTrip) {
  ChartRecord r;
  r.dateTime = -123456789;
  r.open = -1.5f;
  r.high = 182.5f;
  r.low = 3.0e38f;
  r.close = -0.0f;
  r.numTrades = 0xFFFFFFFF;
  r.totalVolume = 7;
  r.bidVolume = 0x01020304;
  r.askVolume = 9;
  std::string bytes;
  AppendRecord(bytes, r);
  ASSERT_EQ(bytes.size(), kRecordSize);
  EXPECT_EQ(DecodeRecord(bytes), r);
}

struct FieldCase {
  const char *date, *price, *time;
  std::int64_t dateTime;
  float price_value;
};

class TradeRecordTest : public testing::TestWithParam<FieldCase> {};

TEST_P(TradeRecordTest, IsOneTradeAtTheTickTime) {
  const FieldCase c = GetParam();
  const std::optional<ChartRecord> r = TradeRecord(c.date, c.price, c.time);
  ASSERT_TRUE(r);
  EXPECT_EQ(r->dateTime, c.dateTime);
  EXPECT_EQ(r->open, 0.0f);
  EXPECT_EQ(r->high, c.price_value);
  EXPECT_EQ(r->low, c.price_value);
  EXPECT_EQ(r->close, c.price_value);
  EXPECT_EQ(r->numTrades, 1u);
  EXPECT_EQ(r->totalVolume, 1u);
  EXPECT_EQ(r->bidVolume, 0u);
  EXPECT_EQ(r->askVolume, 0u);
}

const std::int64_t kOct8 = 41555 * kMicrosPerDay;
const std::int64_t k93003 = (9 * 3600 + 30 * 60 + 3) * kMicrosPerSecond;

INSTANTIATE_TEST_SUITE_P(
    Fields, TradeRecordTest,
    testing::Values(FieldCase{"20131008", "182.50", "93003", kOct8 + k93003, 182.5f},
                    FieldCase{" 20131008 ", " 182.50", "093003 ", kOct8 + k93003, 182.5f},
                    FieldCase{"20131008", "0", "0", kOct8, 0.0f},
                    FieldCase{"20131008", "-3.25", "93003", kOct8 + k93003, -3.25f}));

// A chart cannot place these: a made-up date, midnight or a price of 0 would wreck its scales.
class UnplaceableTickTest : public testing::TestWithParam<std::array<const char*, 3>> {};

TEST_P(UnplaceableTickTest, GivesNoRecord) {
  const auto& [date, price, time] = GetParam();
  EXPECT_FALSE(TradeRecord(date, price, time)) << date << " " << price << " " << time;
}

INSTANTIATE_TEST_SUITE_P(Fields, UnplaceableTickTest,
                         testing::Values(std::array{"0", "182.5", "93003"}, std::array{"20131340", "182.5", "93003"},
                                         std::array{"x", "182.5", "93003"}, std::array{"", "182.5", "93003"},
                                         std::array{"20131008", "182.5", "250000"},
                                         std::array{"20131008", "182.5", "240000"},
                                         std::array{"20131008", "182.5", "93060"},
                                         std::array{"20131008", "182.5", "-1"},
                                         std::array{"20131008", "182.5", ""},
                                         std::array{"20131008", "abc", "93003"},
                                         std::array{"20131008", "", "93003"},
                                         std::array{"20131008", "1e39", "93003"}));  // beyond float

TEST(TradeRecordTest, WithARecordingZoneTheTimeIsWrittenInUtc) {
  const ZoneRules newYork = ZoneRules::FixedOffset("New York in summer", -4 * 60);
  const std::optional<ChartRecord> r = TradeRecord("20131008", "182.5", "93003", &newYork);
  ASSERT_TRUE(r);
  EXPECT_EQ(r->dateTime, kOct8 + k93003 + 4 * 3600 * kMicrosPerSecond);
}

struct LineCase {
  const char *date, *price, *time, *line;
};

class FormatRecordLineTest : public testing::TestWithParam<LineCase> {};

TEST_P(FormatRecordLineTest, ShowsDateTimePriceAndVolume) {
  const LineCase c = GetParam();
  EXPECT_EQ(FormatRecordLine(*TradeRecord(c.date, c.price, c.time)), c.line);
}

INSTANTIATE_TEST_SUITE_P(Lines, FormatRecordLineTest,
                         testing::Values(LineCase{"20131008", "182.50", "93003", "20131008 093003 182.50 1"},
                                         LineCase{"20131008", "182.5", "93003", "20131008 093003 182.50 1"},
                                         LineCase{"20000229", "1.23456", "0", "20000229 000000 1.23456 1"},
                                         LineCase{"20240229", "15000", "235959", "20240229 235959 15000.00 1"}));

TEST(FormatRecordLineTest, ShowsFractionsOfASecondOnlyWhenThere) {
  ChartRecord r = *TradeRecord("20131008", "1", "93003");
  r.dateTime += 250000;
  EXPECT_EQ(FormatRecordLine(r), "20131008 093003.250000 1.00 1");
}

TEST(FormatRecordLineTest, WithAZoneTheLocalTimeFollows) {
  const ZoneRules tokyo = ZoneRules::FixedOffset("Tokyo", 9 * 60);
  EXPECT_EQ(FormatRecordLine(*TradeRecord("20131008", "182.5", "193003"), &tokyo),
            "20131008 193003 182.50 1 20131009 043003");
}

struct NumberCase {
  const char* text;
  std::optional<double> value;
};

class ParseNumberTest : public testing::TestWithParam<NumberCase> {};

TEST_P(ParseNumberTest, TakesWholeDecimalNumbersOnly) { EXPECT_EQ(ParseNumber(GetParam().text), GetParam().value); }

INSTANTIATE_TEST_SUITE_P(Texts, ParseNumberTest,
                         testing::Values(NumberCase{"182.50", 182.5}, NumberCase{"  93015\t", 93015},
                                         NumberCase{"+9", 9}, NumberCase{"-3", -3}, NumberCase{"1e3", 1000},
                                         NumberCase{".5", 0.5}, NumberCase{"", std::nullopt},
                                         NumberCase{"  ", std::nullopt}, NumberCase{"abc", std::nullopt},
                                         NumberCase{"12x", std::nullopt}, NumberCase{"1,5", std::nullopt},
                                         NumberCase{"+-1", std::nullopt}, NumberCase{"++1", std::nullopt},
                                         NumberCase{"nan", std::nullopt}, NumberCase{"inf", std::nullopt},
                                         NumberCase{"1e999", std::nullopt}, NumberCase{"0x10", std::nullopt}));

}  // namespace
}  // namespace tickvane::chart
