// Files that are no tick files (bars of a minute or a day, bars of many trades) and lines that do
// not fit the file's layout: one clear problem, on the line that shows it.
#include <gtest/gtest.h>

#include <string>

#include "tests/native/converter_test_support.h"

namespace tickvane::converter {
namespace {

struct Refusal {
  const char* label;
  const char* fileName;
  std::string text;
  std::uint64_t line;
  const char* problem;
};

std::ostream& operator<<(std::ostream& os, const Refusal& r) { return os << r.label; }

class ConverterRefusals : public ::testing::TestWithParam<Refusal> {};

TEST_P(ConverterRefusals, OneProblemOnTheLineThatShowsIt) {
  const Refusal& r = GetParam();
  const ZoneDirectory zones = test::TestZones();
  for (size_t piece : {0u, 1u, 7u}) {
    SCOPED_TRACE(piece);
    ConvertOptions o;
    o.fileName = r.fileName;
    o.zones = &zones;
    test::Converted c = test::ConvertText(r.text, o, piece);
    EXPECT_FALSE(c.ok);
    EXPECT_EQ(c.error.line, r.line);
    EXPECT_NE(c.error.problem.find(r.problem), std::string::npos) << c.error.problem;
  }
}

const Refusal kRefusals[] = {
    {"NinjaTraderMinutes", "ES 12-13.Last.txt", "20131008 133000;1680.25;1680.50;1680.00;1680.25;120\n", 1,
     "one-minute bars"},
    {"NinjaTraderDays", "ES 12-13.Last.txt", "\n20131008;1680.25;1685.00;1675.00;1680.00;12000\n", 2, "day bars"},
    {"HistDataMinutes", "DAT_ASCII_EURUSD_M1_201310.csv", "20131008 083000;1.355080;1.355120;1.355000;1.355100;0\n", 1,
     "HistData's tick data"},
    {"KibotMinutes", "IBM.txt", "10/08/2013,09:30,182.5,182.6,182.4,182.55,12000\n", 1, "one-minute bars"},
    {"KibotDays", "IBM.txt", "10/08/2013,182.5,182.6,182.4,182.55,12000\n", 1, "day bars"},
    {"MetaTraderBars", "EURUSD_M1.csv",
     "<DATE>\t<TIME>\t<OPEN>\t<HIGH>\t<LOW>\t<CLOSE>\t<TICKVOL>\t<VOL>\t<SPREAD>\n"
     "2013.10.08\t16:30:00\t1.35508\t1.35520\t1.35500\t1.35510\t120\t0\t4\n",
     1, "MetaTrader bar export"},
    {"SierraChartBars", "ESZ13.txt",
     "Date, Time, Open, High, Low, Last, Volume, NumberOfTrades, BidVolume, AskVolume\n"
     "2013/10/8, 13:30:00, 1680.25, 1680.75, 1680.00, 1680.50, 340, 1, 0, 3\n"
     "2013/10/8, 13:31:00, 1680.50, 1681.00, 1680.25, 1680.75, 512, 96, 250, 262\n",
     3, "bar of \"96\" trades"},
    {"NinjaTraderFieldCount", "ES 12-13.Last.txt", "20131008 133003 1230000;1680.25;1680.00;3\n", 1, "has 4 fields"},
    {"NinjaTraderBadStamp", "ES 12-13.Last.txt",
     "20131008 133003 1230000;1680.25;3\n20131008 133063 0000000;1680.25;3\n", 2, "is not a NinjaTrader time"},
    {"HistDataShortLine", "DAT_ASCII_EURUSD_T_201310.csv",
     "20131008 083003123,1.355080,1.355120,0\n20131008 083004456,1.355090\n", 2, "2 fields, the file's lines have 4"},
    {"DukascopyBadAsk", "EURUSD_Ticks.csv",
     "Gmt time,Ask,Bid,AskVolume,BidVolume\n08.10.2013 13:30:03.123,1.35512,1.35508,1.5,2.25\n"
     "08.10.2013 13:30:04.123,n/a,1.35508,1.5,2.25\n",
     3, "the ask \"n/a\" is not a number"},
    {"EpochTooSmall", "IBM.csv", "time,price\n1381239003,182.5\n13812390,182.5\n", 3, "too small"},
    {"PolygonManySymbols", "2013-10-08.csv",
     "ticker,conditions,correction,exchange,id,participant_timestamp,price,sequence_number,sip_timestamp,size,tape,"
     "trf_id,trf_timestamp\n"
     "A,,0,4,1,1381239003120000000,53.10,100,1381239003123456789,50,1,,\n"
     "SPY,,0,11,2,1381239003200000000,168.89,101,1381239003223456789,200,2,,\n",
     3, "more than one symbol (\"A\" before, \"SPY\" here)"},
    {"UnknownLayout", "ticks.txt", "13:30:03 1680.25 3\n", 1, "no date and no price column"},
    {"LeanWithoutItsDay", "ibm.csv", "34203629,1825000,200,D,20100200,0\n", 1, "nor is it a tick line"},
};

INSTANTIATE_TEST_SUITE_P(Files, ConverterRefusals, ::testing::ValuesIn(kRefusals),
                         [](const ::testing::TestParamInfo<Refusal>& info) { return std::string(info.param.label); });

}  // namespace
}  // namespace tickvane::converter
