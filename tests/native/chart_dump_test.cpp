#include "component/chart_dump.h"

#include <gtest/gtest.h>

#include <sstream>

#include "component/chart_format.h"

namespace tickvane::chart {
namespace {

struct Dump {
  int code;
  std::string out, err;
};

Dump DumpOf(const std::string& bytes, const ZoneRules* zone = nullptr) {
  std::istringstream in(bytes);
  std::ostringstream out, err;
  int code = DumpChart(in, out, err, "dji.mnd", zone);
  return {code, out.str(), err.str()};
}

std::string ChartOf(std::initializer_list<ChartRecord> records) {
  std::string bytes;
  AppendHeader(bytes);
  for (const auto& r : records) AppendRecord(bytes, r);
  return bytes;
}

TEST(DumpChartTest, PrintsHeaderThenOneLinePerRecord) {
  const Dump d = DumpOf(ChartOf({*TradeRecord("20131008", "182.50", "93003"), *TradeRecord("20131008", "182.75", "93004")}));
  EXPECT_EQ(d.code, 0);
  EXPECT_EQ(d.out,
            "# SCID chart file: header 56 bytes, record 40 bytes, version 1\n"
            "20131008 093003 182.50 1\n"
            "20131008 093004 182.75 1\n"
            "# 2 records\n");
  EXPECT_EQ(d.err, "");
}

TEST(DumpChartTest, WithAZoneNamesItAndShowsEachTimeInItToo) {
  const ZoneRules newYork = ZoneRules::FixedOffset("Eastern Standard Time", -4 * 60);
  const Dump d = DumpOf(ChartOf({*TradeRecord("20131008", "182.50", "133003")}), &newYork);
  EXPECT_EQ(d.code, 0);
  EXPECT_EQ(d.out,
            "# SCID chart file: header 56 bytes, record 40 bytes, version 1\n"
            "# date time (UTC), price, volume, date time (Eastern Standard Time)\n"
            "20131008 133003 182.50 1 20131008 093003\n"
            "# 1 records\n");
}

TEST(DumpChartTest, HeaderAloneIsAnEmptyChart) {
  const Dump d = DumpOf(ChartOf({}));
  EXPECT_EQ(d.code, 0);
  EXPECT_NE(d.out.find("# 0 records"), std::string::npos);
}

TEST(DumpChartTest, MalformedFilesFailWithTheReason) {
  std::string truncated = ChartOf({*TradeRecord("20131008", "1", "93003"), *TradeRecord("20131008", "2", "93004")});
  truncated.resize(truncated.size() - 3);
  std::string wrongRecordSize = ChartOf({});
  wrongRecordSize[8] = 44;
  struct Case {
    std::string bytes, reason;
  } cases[] = {{"", "shorter"}, {"SCID", "shorter"}, {std::string(56, 'x'), "SCID"},
               {wrongRecordSize, "record size"}, {truncated, "ends inside record 2"}};
  for (const auto& c : cases) {
    const Dump d = DumpOf(c.bytes);
    EXPECT_EQ(d.code, 2);
    EXPECT_NE(d.err.find("dji.mnd"), std::string::npos) << d.err;
    EXPECT_NE(d.err.find(c.reason), std::string::npos) << d.err;
  }
  // The whole records before a torn one are still shown.
  EXPECT_NE(DumpOf(truncated).out.find("20131008 093003 1.00 1\n"), std::string::npos);
}

}  // namespace
}  // namespace tickvane::chart
