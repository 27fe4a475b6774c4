// Tick files as the vendors and platforms document their layouts, one small file each: found by
// content and name, read in the format's own time zone, and written as playback records in UTC
// and in New York time.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/native/converter_test_support.h"

namespace tickvane::converter {
namespace {

using test::ConvertText;
using test::RecordLines;

struct FormatCase {
  const char* label;
  const char* fileName;
  std::string text;
  const char* format;   // the name the finding gives
  const char* zone;     // the zone the times are read in (empty: as written)
  std::optional<PriceKind> price;
  const char* symbol;   // the user's filter or name; empty: none
  std::vector<std::string> utc, newYork;  // the first records in a playback file of either zone
};

std::ostream& operator<<(std::ostream& os, const FormatCase& c) { return os << c.label; }

std::vector<std::string> FirstRecords(const FormatCase& c, const ZoneRules* playback, Finding* finding = nullptr,
                                      std::string* zone = nullptr) {
  const ZoneDirectory zones = test::TestZones("Eastern Standard Time");
  ConvertOptions o;
  o.fileName = c.fileName;
  o.zones = &zones;
  o.playbackZone = playback;
  o.price = c.price;
  o.symbol = c.symbol;
  test::Converted r = ConvertText(c.text, o);
  EXPECT_TRUE(r.ok) << r.error.problem << " at line " << r.error.line;
  if (finding) *finding = r.finding;
  if (zone) *zone = r.sourceZone;
  std::vector<std::string> lines = RecordLines(r.records);
  size_t wanted = c.utc.size();
  if (lines.size() > wanted) lines.resize(wanted);
  return lines;
}

class ConverterFormats : public ::testing::TestWithParam<FormatCase> {};

TEST_P(ConverterFormats, FirstTicksInUtcAndInNewYork) {
  const FormatCase& c = GetParam();
  const ZoneRules utc = ZoneRules::FixedOffset("UTC", 0), newYork = test::EasternZone();
  Finding finding;
  std::string zone;
  EXPECT_EQ(FirstRecords(c, &utc, &finding, &zone), c.utc);
  EXPECT_EQ(finding.format, c.format);
  EXPECT_EQ(zone, c.zone);
  EXPECT_EQ(FirstRecords(c, &newYork), c.newYork);
}

const char kMetaTraderQuotes[] =
    "<DATE>\t<TIME>\t<BID>\t<ASK>\t<LAST>\t<VOLUME>\t<FLAGS>\r\n"
    "2013.10.08\t16:30:03.123\t1.35508\t1.35512\t\t\t6\r\n"
    "2013.10.08\t16:30:04.456\t\t1.35515\t\t\t4\r\n"
    "2013.10.08\t16:30:05.789\t1.35510\t\t\t\t2\r\n";
const char kMetaTraderTrades[] =
    "<DATE>\t<TIME>\t<BID>\t<ASK>\t<LAST>\t<VOLUME>\t<FLAGS>\n"
    "2013.10.08\t16:30:03.100\t1680.00\t1680.25\t\t\t6\n"
    "2013.10.08\t16:30:03.123\t\t\t1680.25\t3\t88\n"
    "2013.10.08\t16:30:04.000\t1680.25\t\t\t\t2\n";
const char kDukascopy[] =
    "Gmt time,Ask,Bid,AskVolume,BidVolume\n"
    "08.10.2013 13:30:03.123,1.35512,1.35508,1.5,2.25\n"
    "08.10.2013 13:30:04.000,1.35513,1.35509,0.75,1\n";
const char kDatabentoPretty[] =
    "ts_recv,ts_event,rtype,publisher_id,instrument_id,action,side,depth,price,size,flags,ts_in_delta,sequence,"
    "symbol\n"
    "2013-10-08T13:30:03.124000000Z,2013-10-08T13:30:03.123456789Z,0,1,5482,T,B,0,1680.250000000,3,0,15000,1001,"
    "ESZ3\n";
const char kDatabentoRaw[] =
    "ts_recv,ts_event,rtype,publisher_id,instrument_id,action,side,depth,price,size,flags,ts_in_delta,sequence,"
    "symbol\n"
    "1381239003124000000,1381239003123456789,0,1,5482,T,B,0,1680250000000,3,0,15000,1001,ESZ3\n";
const char kPolygon[] =
    "ticker,conditions,correction,exchange,id,participant_timestamp,price,sequence_number,sip_timestamp,size,tape,"
    "trf_id,trf_timestamp\n"
    "A,\"12,37\",0,4,1,1381239003120000000,53.10,100,1381239003123456789,50,1,,\n"
    "SPY,,0,11,2,1381239003200000000,168.89,101,1381239003223456789,200,2,,\n"
    "SPY,\"14,41\",0,11,3,1381239004000000000,168.90,102,1381239004000000500,100,2,,\n";

const FormatCase kCases[] = {
    {"NinjaTrader8", "C:\\NinjaTrader 8\\export\\ES 12-13.Last.txt",
     "20131008 133003 1230000;1680.25;3\r\n20131008 133004 0000000;1680.50;1\r\n", "NinjaTrader 8 tick export", "UTC",
     {}, "",
     {"ES 12-13,20131008,133003,1680.25,3", "ES 12-13,20131008,133004,1680.50,1"},
     {"ES 12-13,20131008,093003,1680.25,3", "ES 12-13,20131008,093004,1680.50,1"}},
    {"NinjaTrader8LastBidAsk", "ES 12-13.Last.txt", "20131008 133003 1230000;1680.25;1680.00;1680.25;3\n",
     "NinjaTrader 8 tick export", "UTC", {}, "", {"ES 12-13,20131008,133003,1680.25,3"},
     {"ES 12-13,20131008,093003,1680.25,3"}},
    {"NinjaTrader8Bid", "ES 12-13.Last.txt", "20131008 133003 1230000;1680.25;1680.00;1680.25;3\n",
     "NinjaTrader 8 tick export", "UTC", PriceKind::Bid, "", {"ES 12-13,20131008,133003,1680.00,3"},
     {"ES 12-13,20131008,093003,1680.00,3"}},
    {"NinjaTrader8Mid", "ES 12-13.Last.txt", "20131008 133003 1230000;1680.25;1680.00;1680.25;3\n",
     "NinjaTrader 8 tick export", "UTC", PriceKind::Mid, "", {"ES 12-13,20131008,133003,1680.125,3"},
     {"ES 12-13,20131008,093003,1680.125,3"}},
    {"NinjaTrader7Comma", "ES 12-13.txt", "20131008 093003,1680.25,3\n20131008 093004,1680.5,1\n",
     "NinjaTrader 7 tick file", "Eastern Standard Time", {}, "", {"ES 12-13,20131008,133003,1680.25,3"},
     {"ES 12-13,20131008,093003,1680.25,3"}},
    {"NinjaTraderBidSeries", "6E 12-13.Bid.txt", "20131008 133003 5000000;1.3551;12\n", "NinjaTrader 8 tick export",
     "UTC", {}, "", {"6E 12-13,20131008,133003,1.3551,12"}, {"6E 12-13,20131008,093003,1.3551,12"}},
    {"HistDataAscii", "DAT_ASCII_EURUSD_T_201310.csv",
     "20131008 083003123,1.355080,1.355120,0\n20131008 083004456,1.355090,1.355130,0\n",
     "HistData generic ASCII ticks", "UTC-05:00", {}, "",
     {"EURUSD,20131008,133003,1.355080,0", "EURUSD,20131008,133004,1.355090,0"},
     {"EURUSD,20131008,093003,1.355080,0", "EURUSD,20131008,093004,1.355090,0"}},
    {"HistDataAsciiAsk", "DAT_ASCII_EURUSD_T_201310.csv", "20131008 083003123,1.355080,1.355120,0\n",
     "HistData generic ASCII ticks", "UTC-05:00", PriceKind::Ask, "", {"EURUSD,20131008,133003,1.355120,0"},
     {"EURUSD,20131008,093003,1.355120,0"}},
    {"HistDataAsciiMid", "DAT_ASCII_EURUSD_T_201310.csv", "20131008 083003123,1.355080,1.355120,0\n",
     "HistData generic ASCII ticks", "UTC-05:00", PriceKind::Mid, "", {"EURUSD,20131008,133003,1.355100,0"},
     {"EURUSD,20131008,093003,1.355100,0"}},
    {"HistDataNinjaTraderLast", "DAT_NT_EURUSD_T_LAST_201310.csv", "20131008 083003;1.355080;0\n",
     "HistData tick file in NinjaTrader layout", "UTC-05:00", {}, "", {"EURUSD,20131008,133003,1.355080,0"},
     {"EURUSD,20131008,093003,1.355080,0"}},
    {"HistDataNinjaTraderBid", "DAT_NT_EURUSD_T_BID_201310.csv", "20131008 083003;1.355070;0\n",
     "HistData tick file in NinjaTrader layout", "UTC-05:00", {}, "", {"EURUSD,20131008,133003,1.355070,0"},
     {"EURUSD,20131008,093003,1.355070,0"}},
    {"MetaTraderBid", "EURUSD_201310081630_201310081631.csv", kMetaTraderQuotes, "MetaTrader 5 tick export",
     "GTB Standard Time", {}, "", {"EURUSD,20131008,133003,1.35508,0", "EURUSD,20131008,133005,1.35510,0"},
     {"EURUSD,20131008,093003,1.35508,0", "EURUSD,20131008,093005,1.35510,0"}},
    {"MetaTraderAsk", "EURUSD_201310081630_201310081631.csv", kMetaTraderQuotes, "MetaTrader 5 tick export",
     "GTB Standard Time", PriceKind::Ask, "",
     {"EURUSD,20131008,133003,1.35512,0", "EURUSD,20131008,133004,1.35515,0"},
     {"EURUSD,20131008,093003,1.35512,0", "EURUSD,20131008,093004,1.35515,0"}},
    // An empty field is the value before: the ask of the second line goes with the bid of the first.
    {"MetaTraderMidCarriesForward", "EURUSD_201310081630_201310081631.csv", kMetaTraderQuotes,
     "MetaTrader 5 tick export", "GTB Standard Time", PriceKind::Mid, "",
     {"EURUSD,20131008,133003,1.35510,0", "EURUSD,20131008,133004,1.355115,0", "EURUSD,20131008,133005,1.355125,0"},
     {"EURUSD,20131008,093003,1.35510,0", "EURUSD,20131008,093004,1.355115,0", "EURUSD,20131008,093005,1.355125,0"}},
    {"MetaTraderUtf16", "EURUSD_201310081630_201310081631.csv", test::Utf16Le(kMetaTraderQuotes),
     "MetaTrader 5 tick export", "GTB Standard Time", {}, "",
     {"EURUSD,20131008,133003,1.35508,0", "EURUSD,20131008,133005,1.35510,0"},
     {"EURUSD,20131008,093003,1.35508,0", "EURUSD,20131008,093005,1.35510,0"}},
    {"MetaTraderTrades", "ES_201310081630.csv", kMetaTraderTrades, "MetaTrader 5 tick export", "GTB Standard Time",
     {}, "", {"ES,20131008,133003,1680.25,3"}, {"ES,20131008,093003,1680.25,3"}},
    {"MetaTraderTradesBid", "ES_201310081630.csv", kMetaTraderTrades, "MetaTrader 5 tick export",
     "GTB Standard Time", PriceKind::Bid, "", {"ES,20131008,133003,1680.00,0", "ES,20131008,133004,1680.25,0"},
     {"ES,20131008,093003,1680.00,0", "ES,20131008,093004,1680.25,0"}},
    {"DukascopyGmt", "EURUSD_Ticks_08.10.2013-08.10.2013.csv", kDukascopy, "Dukascopy tick download", "UTC", {}, "",
     {"EURUSD,20131008,133003,1.35508,2.25", "EURUSD,20131008,133004,1.35509,1"},
     {"EURUSD,20131008,093003,1.35508,2.25", "EURUSD,20131008,093004,1.35509,1"}},
    {"DukascopyAsk", "EURUSD_Ticks_08.10.2013-08.10.2013.csv", kDukascopy, "Dukascopy tick download", "UTC",
     PriceKind::Ask, "", {"EURUSD,20131008,133003,1.35512,1.5"}, {"EURUSD,20131008,093003,1.35512,1.5"}},
    {"DukascopyMid", "EURUSD_Ticks_08.10.2013-08.10.2013.csv", kDukascopy, "Dukascopy tick download", "UTC",
     PriceKind::Mid, "", {"EURUSD,20131008,133003,1.35510,3.75"}, {"EURUSD,20131008,093003,1.35510,3.75"}},
    {"DukascopyLocal", "EURUSD_Ticks_08.10.2013-08.10.2013.csv",
     "Local time,Ask,Bid,AskVolume,BidVolume\n08.10.2013 16:30:03.123 GMT+0300,1.35512,1.35508,1.5,2.25\n",
     "Dukascopy tick download", "UTC", {}, "", {"EURUSD,20131008,133003,1.35508,2.25"},
     {"EURUSD,20131008,093003,1.35508,2.25"}},
    {"DukascopyNodeEpoch", "eurusd-tick-2013-10-08-2013-10-09.csv",
     "timestamp,askPrice,bidPrice,askVolume,bidVolume\n1381239003123,1.35512,1.35508,1.5,2.25\n",
     "dukascopy-node ticks", "UTC", {}, "", {"EURUSD,20131008,133003,1.35508,2.25"},
     {"EURUSD,20131008,093003,1.35508,2.25"}},
    {"DukascopyNodeIso", "eurusd-tick-2013-10-08-2013-10-09.csv",
     "timestamp,askPrice,bidPrice\n2013-10-08T13:30:03.123Z,1.35512,1.35508\n", "dukascopy-node ticks", "UTC", {}, "",
     {"EURUSD,20131008,133003,1.35508,1"}, {"EURUSD,20131008,093003,1.35508,1"}},
    {"SierraChartExport", "ESZ13.txt",
     "Date, Time, Open, High, Low, Last, Volume, NumberOfTrades, BidVolume, AskVolume\n"
     "2013/10/8, 13:30:03.123, 1680.25, 1680.25, 1680.25, 1680.25, 3, 1, 0, 3\n"
     "2013/10/8, 13:30:04.500, 1680.5, 1680.5, 1680.5, 1680.5, 1, 1, 1, 0\n",
     "Sierra Chart intraday data export", "UTC", {}, "",
     {"ESZ13,20131008,133003,1680.25,3", "ESZ13,20131008,133004,1680.5,1"},
     {"ESZ13,20131008,093003,1680.25,3", "ESZ13,20131008,093004,1680.5,1"}},
    {"SierraChartBarData", "C:\\SierraChart\\Data\\ESZ13-BarData.txt",
     "Date Time, Open, High, Low, Last, Volume, # of Trades, OHLC Avg, HLC Avg, HL Avg, Bid Volume, Ask Volume\n"
     "2013/10/8 13:30:03.123, 1680.25, 1680.25, 1680.25, 1680.25, 3, 1, 1680.25, 1680.25, 1680.25, 0, 3\n",
     "Sierra Chart bar and study data", "UTC", {}, "", {"ESZ13,20131008,133003,1680.25,3"},
     {"ESZ13,20131008,093003,1680.25,3"}},
    {"InteractiveBrokersTrades", "ES_ticks.csv",
     ",time,tickAttribLast,price,size,exchange,specialConditions\n"
     "0,2013-10-08 13:30:03+00:00,\"TickAttribLast(pastLimit=False, unreported=False)\",1680.25,3,CME,\n"
     "1,2013-10-08 13:30:04+00:00,\"TickAttribLast(pastLimit=False, unreported=False)\",1680.5,1,CME,\n",
     "Interactive Brokers historical ticks", "UTC", {}, "",
     {"ES,20131008,133003,1680.25,3", "ES,20131008,133004,1680.5,1"},
     {"ES,20131008,093003,1680.25,3", "ES,20131008,093004,1680.5,1"}},
    {"InteractiveBrokersBidAsk", "ES_quotes.csv",
     ",time,tickAttribBidAsk,priceBid,priceAsk,sizeBid,sizeAsk\n"
     "0,2013-10-08 13:30:03+00:00,\"TickAttribBidAsk(bidPastLow=False, askPastHigh=False)\",1680.0,1680.25,12,7\n",
     "Interactive Brokers historical ticks", "UTC", {}, "", {"ES,20131008,133003,1680.0,12"},
     {"ES,20131008,093003,1680.0,12"}},
    {"InteractiveBrokersEpochSeconds", "IBM_ticks.csv", "time,price,size\n1381239003,182.5,200\n",
     "CSV with a header line", "UTC", {}, "", {"IBM,20131008,133003,182.5,200"}, {"IBM,20131008,093003,182.5,200"}},
    {"DatabentoPretty", "glbx-mdp3-20131008.trades.csv", kDatabentoPretty, "Databento CSV", "UTC", {}, "",
     {"ESZ3,20131008,133003,1680.25,3"}, {"ESZ3,20131008,093003,1680.25,3"}},
    {"DatabentoRaw", "glbx-mdp3-20131008.trades.csv", kDatabentoRaw, "Databento CSV (raw)", "UTC", {}, "",
     {"ESZ3,20131008,133003,1680.25,3"}, {"ESZ3,20131008,093003,1680.25,3"}},
    {"PolygonOneTicker", "2013-10-08.csv", kPolygon, "Polygon flat file", "UTC", {}, "spy",
     {"SPY,20131008,133003,168.89,200", "SPY,20131008,133004,168.90,100"},
     {"SPY,20131008,093003,168.89,200", "SPY,20131008,093004,168.90,100"}},
    {"Kibot", "IBM.txt", "10/08/2013,09:30:03,182.5,200\n10/08/2013,09:30:04,182.52,100\n", "Kibot tick file",
     "Eastern Standard Time", {}, "", {"IBM,20131008,133003,182.5,200", "IBM,20131008,133004,182.52,100"},
     {"IBM,20131008,093003,182.5,200", "IBM,20131008,093004,182.52,100"}},
    {"KibotBidAsk", "IBM.txt", "10/08/2013,09:30:03,182.5,182.49,182.51,200\n", "Kibot tick file with bid and ask",
     "Eastern Standard Time", PriceKind::Bid, "", {"IBM,20131008,133003,182.49,200"},
     {"IBM,20131008,093003,182.49,200"}},
    {"TrueFx", "EURUSD-2013-10.csv", "EUR/USD,20131008 13:30:03.123,1.35508,1.35512\n", "TrueFX ticks", "UTC", {}, "",
     {"EUR/USD,20131008,133003,1.35508,1"}, {"EUR/USD,20131008,093003,1.35508,1"}},
    {"LeanEquityTrades", "20131008_ibm_Trade_Tick.csv", "34203629,1825000,200,D,20100200,0\n",
     "QuantConnect LEAN trade ticks", "Eastern Standard Time", {}, "", {"IBM,20131008,133003,182.5,200"},
     {"IBM,20131008,093003,182.5,200"}},
    {"LeanEquityQuotes", "20131008_spy_Quote_Tick.csv", "34203629,1688900,100,1689100,200,P,0,0\n",
     "QuantConnect LEAN quote ticks", "Eastern Standard Time", {}, "", {"SPY,20131008,133003,168.89,100"},
     {"SPY,20131008,093003,168.89,100"}},
    {"LeanForexQuotes", "/data/forex/oanda/tick/eurusd/20131008_eurusd_tick_quote.csv", "48603123,1.35508,1.35512\n",
     "QuantConnect LEAN quote ticks", "UTC", {}, "", {"EURUSD,20131008,133003,1.35508,1"},
     {"EURUSD,20131008,093003,1.35508,1"}},
    {"IsoWithOffset", "IBM.csv", "Timestamp,Price\n2013-10-08T09:30:03.123-04:00,182.5\n", "CSV with a header line",
     "UTC", {}, "", {"IBM,20131008,133003,182.5,1"}, {"IBM,20131008,093003,182.5,1"}},
};

INSTANTIATE_TEST_SUITE_P(Fixtures, ConverterFormats, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<FormatCase>& info) { return std::string(info.param.label); });

}  // namespace
}  // namespace tickvane::converter
