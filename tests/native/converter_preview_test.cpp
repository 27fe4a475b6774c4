// What Genvane shows before converting: the finding and the first ticks as they will replay, from
// the first bytes of a file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "converter/conversion_preview.h"
#include "converter/conversion_summary.h"
#include "tests/native/converter_test_support.h"

namespace tickvane::converter {
namespace {

TEST(ConverterPreview, FirstThreeTicksOfAFilesStartAsTheyWillReplay) {
  const std::string text =
      "20131008 133003 1230000;1680.25;3\r\n20131008 133004 0000000;1680.50;1\r\n"
      "20131008 133005 0000000;1680.75;2\r\n20131008 133006 0000000;1681.00;4\r\n20131008 1330";  // cut short
  const ZoneRules newYork = test::EasternZone();
  ConvertOptions o;
  o.fileName = "ES 12-13.Last.txt";
  o.playbackZone = &newYork;
  Preview p = PreviewStart(text, false, o);
  ASSERT_TRUE(p.detected);
  EXPECT_FALSE(p.failed);
  EXPECT_EQ(p.finding.format, "NinjaTrader 8 tick export");
  EXPECT_EQ(p.sourceZone, "UTC");
  EXPECT_EQ(p.price, PriceKind::Last);
  EXPECT_EQ(p.records,
            (std::vector<std::string>{"ES 12-13,20131008,093003,1680.25,3", "ES 12-13,20131008,093004,1680.50,1",
                                      "ES 12-13,20131008,093005,1680.75,2"}));
  EXPECT_EQ(DescribeConversion(p.finding, p.sourceZone, "Eastern Standard Time", p.price),
            "NinjaTrader 8 tick export; times read in UTC, written in Eastern Standard Time; price: last");
}

TEST(ConverterPreview, AFileOfManySymbolsShowsItsFirstAndListsThem) {
  const char text[] =
      "ticker,conditions,correction,exchange,id,participant_timestamp,price,sequence_number,sip_timestamp,size,tape,"
      "trf_id,trf_timestamp\n"
      "A,\"12,37\",0,4,1,1381239003120000000,53.10,100,1381239003123456789,50,1,,\n"
      "SPY,,0,11,2,1381239003200000000,168.89,101,1381239003223456789,200,2,,\n"
      "A,,0,4,3,1381239004120000000,53.11,102,1381239004123456789,10,1,,\n"
      "QQQ,,0,11,4,1381239005200000000,80.10,103,1381239005223456789,300,3,,\n";
  ConvertOptions o;
  o.fileName = "2013-10-08.csv";
  Preview p = PreviewStart(text, true, o);
  EXPECT_FALSE(p.failed) << p.error.problem;
  EXPECT_EQ(p.symbols, (std::vector<std::string>{"A", "SPY", "QQQ"}));
  EXPECT_EQ(p.chosenSymbol, "A");
  EXPECT_EQ(p.records, (std::vector<std::string>{"A,20131008,133003,53.10,50", "A,20131008,133004,53.11,10"}));
  o.symbol = "QQQ";
  Preview q = PreviewStart(text, true, o);
  EXPECT_EQ(q.records, std::vector<std::string>{"QQQ,20131008,133005,80.10,300"});
  EXPECT_EQ(q.chosenSymbol, "");
}

TEST(ConverterPreview, ABadStartSaysWhereAndWhy) {
  ConvertOptions o;
  o.fileName = "ES 12-13.Last.txt";
  Preview p = PreviewStart(
      "20131008 133000;1680.25;1680.50;1680.00;1680.25;120\n20131008 133100;1680.25;1680.50;1680.00;1680.25;120\n",
      false, o);
  EXPECT_FALSE(p.detected);
  EXPECT_TRUE(p.failed);
  EXPECT_EQ(p.error.line, 1u);
  EXPECT_NE(p.error.problem.find("one-minute bars"), std::string::npos);
  EXPECT_TRUE(p.records.empty());
}

TEST(ConverterPreview, SummariesNameTheZonesAsTheUserSeesThem) {
  Finding f;
  f.format = "Dukascopy tick download";
  EXPECT_EQ(DescribeConversion(f, "UTC", "", PriceKind::Bid),
            "Dukascopy tick download; times read in UTC, written as read; price: bid");
  EXPECT_EQ(ReadZoneText(f, ""), "as written (no zone)");
  f.timesCarryZone = true;
  EXPECT_EQ(ReadZoneText(f, "UTC"), "as the times say (UTC)");
  EXPECT_EQ(WriteZoneText(""), "as read");
  EXPECT_EQ(WriteZoneText("Eastern Standard Time"), "Eastern Standard Time");
}

}  // namespace
}  // namespace tickvane::converter
