// Tick files as the vendors and platforms document their layouts, one small file each: found by
// content and name, read in the format's own time zone, and written as playback records in UTC
// and in New York time.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/native/converter_fixtures.h"
#include "tests/native/converter_test_support.h"

namespace tickvane::converter {
namespace {

using test::ConvertText;
using test::RecordLines;
using namespace fixtures;

struct FormatCase {
  const char* label;
  const char* fileName;
  std::string text;
  const char* format;  // the name the finding gives
  const char* zone;    // the zone the times are read in (empty: as written)
  std::optional<PriceKind> price;
  const char* symbol;                     // the user's filter or name; empty: none
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

const FormatCase kCases[] = {
    {"NinjaTrader8",
     "C:\\NinjaTrader 8\\export\\ES 12-13.Last.txt",
     kNinjaTrader8,
     "NinjaTrader 8 tick export",
     "UTC",
     {},
     "",
     {"ES 12-13,20131008,133003,1680.25,3", "ES 12-13,20131008,133004,1680.50,1"},
     {"ES 12-13,20131008,093003,1680.25,3", "ES 12-13,20131008,093004,1680.50,1"}},
    {"NinjaTrader8LastBidAsk",
     "ES 12-13.Last.txt",
     kNinjaTrader8LastBidAsk,
     "NinjaTrader 8 tick export",
     "UTC",
     {},
     "",
     {"ES 12-13,20131008,133003,1680.25,3"},
     {"ES 12-13,20131008,093003,1680.25,3"}},
    {"NinjaTrader8Bid",
     "ES 12-13.Last.txt",
     kNinjaTrader8LastBidAsk,
     "NinjaTrader 8 tick export",
     "UTC",
     PriceKind::Bid,
     "",
     {"ES 12-13,20131008,133003,1680.00,3"},
     {"ES 12-13,20131008,093003,1680.00,3"}},
    {"NinjaTrader8Mid",
     "ES 12-13.Last.txt",
     kNinjaTrader8LastBidAsk,
     "NinjaTrader 8 tick export",
     "UTC",
     PriceKind::Mid,
     "",
     {"ES 12-13,20131008,133003,1680.125,3"},
     {"ES 12-13,20131008,093003,1680.125,3"}},
    {"NinjaTrader7Comma",
     "ES 12-13.txt",
     kNinjaTrader7,
     "NinjaTrader 7 tick file",
     "Eastern Standard Time",
     {},
     "",
     {"ES 12-13,20131008,133003,1680.25,3"},
     {"ES 12-13,20131008,093003,1680.25,3"}},
    {"NinjaTraderBidSeries",
     "6E 12-13.Bid.txt",
     kNinjaTraderBid,
     "NinjaTrader 8 tick export",
     "UTC",
     {},
     "",
     {"6E 12-13,20131008,133003,1.3551,12"},
     {"6E 12-13,20131008,093003,1.3551,12"}},
    {"HistDataAscii",
     "DAT_ASCII_EURUSD_T_201310.csv",
     kHistDataAscii,
     "HistData generic ASCII ticks",
     "UTC-05:00",
     {},
     "",
     {"EURUSD,20131008,133003,1.355080,0", "EURUSD,20131008,133004,1.355090,0"},
     {"EURUSD,20131008,093003,1.355080,0", "EURUSD,20131008,093004,1.355090,0"}},
    {"HistDataAsciiAsk",
     "DAT_ASCII_EURUSD_T_201310.csv",
     "20131008 083003123,1.355080,1.355120,0\n",
     "HistData generic ASCII ticks",
     "UTC-05:00",
     PriceKind::Ask,
     "",
     {"EURUSD,20131008,133003,1.355120,0"},
     {"EURUSD,20131008,093003,1.355120,0"}},
    {"HistDataAsciiMid",
     "DAT_ASCII_EURUSD_T_201310.csv",
     "20131008 083003123,1.355080,1.355120,0\n",
     "HistData generic ASCII ticks",
     "UTC-05:00",
     PriceKind::Mid,
     "",
     {"EURUSD,20131008,133003,1.355100,0"},
     {"EURUSD,20131008,093003,1.355100,0"}},
    {"HistDataNinjaTraderLast",
     "DAT_NT_EURUSD_T_LAST_201310.csv",
     kHistDataNinjaTraderLast,
     "HistData tick file in NinjaTrader layout",
     "UTC-05:00",
     {},
     "",
     {"EURUSD,20131008,133003,1.355080,0"},
     {"EURUSD,20131008,093003,1.355080,0"}},
    {"HistDataNinjaTraderBid",
     "DAT_NT_EURUSD_T_BID_201310.csv",
     kHistDataNinjaTraderBid,
     "HistData tick file in NinjaTrader layout",
     "UTC-05:00",
     {},
     "",
     {"EURUSD,20131008,133003,1.355070,0"},
     {"EURUSD,20131008,093003,1.355070,0"}},
    {"MetaTraderBid",
     "EURUSD_201310081630_201310081631.csv",
     kMetaTraderQuotes,
     "MetaTrader 5 tick export",
     "GTB Standard Time",
     {},
     "",
     {"EURUSD,20131008,133003,1.35508,0", "EURUSD,20131008,133005,1.35510,0"},
     {"EURUSD,20131008,093003,1.35508,0", "EURUSD,20131008,093005,1.35510,0"}},
    {"MetaTraderAsk",
     "EURUSD_201310081630_201310081631.csv",
     kMetaTraderQuotes,
     "MetaTrader 5 tick export",
     "GTB Standard Time",
     PriceKind::Ask,
     "",
     {"EURUSD,20131008,133003,1.35512,0", "EURUSD,20131008,133004,1.35515,0"},
     {"EURUSD,20131008,093003,1.35512,0", "EURUSD,20131008,093004,1.35515,0"}},
    // An empty field is the value before: the ask of the second line goes with the bid of the first.
    {"MetaTraderMidCarriesForward",
     "EURUSD_201310081630_201310081631.csv",
     kMetaTraderQuotes,
     "MetaTrader 5 tick export",
     "GTB Standard Time",
     PriceKind::Mid,
     "",
     {"EURUSD,20131008,133003,1.35510,0", "EURUSD,20131008,133004,1.355115,0", "EURUSD,20131008,133005,1.355125,0"},
     {"EURUSD,20131008,093003,1.35510,0", "EURUSD,20131008,093004,1.355115,0", "EURUSD,20131008,093005,1.355125,0"}},
    {"MetaTraderUtf16",
     "EURUSD_201310081630_201310081631.csv",
     Utf16Le(kMetaTraderQuotes),
     "MetaTrader 5 tick export",
     "GTB Standard Time",
     {},
     "",
     {"EURUSD,20131008,133003,1.35508,0", "EURUSD,20131008,133005,1.35510,0"},
     {"EURUSD,20131008,093003,1.35508,0", "EURUSD,20131008,093005,1.35510,0"}},
    {"MetaTraderTrades",
     "ES_201310081630.csv",
     kMetaTraderTrades,
     "MetaTrader 5 tick export",
     "GTB Standard Time",
     {},
     "",
     {"ES,20131008,133003,1680.25,3"},
     {"ES,20131008,093003,1680.25,3"}},
    {"MetaTraderTradesBid",
     "ES_201310081630.csv",
     kMetaTraderTrades,
     "MetaTrader 5 tick export",
     "GTB Standard Time",
     PriceKind::Bid,
     "",
     {"ES,20131008,133003,1680.00,0", "ES,20131008,133004,1680.25,0"},
     {"ES,20131008,093003,1680.00,0", "ES,20131008,093004,1680.25,0"}},
    {"DukascopyGmt",
     "EURUSD_Ticks_08.10.2013-08.10.2013.csv",
     kDukascopy,
     "Dukascopy tick download",
     "UTC",
     {},
     "",
     {"EURUSD,20131008,133003,1.35508,2.25", "EURUSD,20131008,133004,1.35509,1"},
     {"EURUSD,20131008,093003,1.35508,2.25", "EURUSD,20131008,093004,1.35509,1"}},
    {"DukascopyAsk",
     "EURUSD_Ticks_08.10.2013-08.10.2013.csv",
     kDukascopy,
     "Dukascopy tick download",
     "UTC",
     PriceKind::Ask,
     "",
     {"EURUSD,20131008,133003,1.35512,1.5"},
     {"EURUSD,20131008,093003,1.35512,1.5"}},
    {"DukascopyMid",
     "EURUSD_Ticks_08.10.2013-08.10.2013.csv",
     kDukascopy,
     "Dukascopy tick download",
     "UTC",
     PriceKind::Mid,
     "",
     {"EURUSD,20131008,133003,1.35510,3.75"},
     {"EURUSD,20131008,093003,1.35510,3.75"}},
    {"DukascopyLocal",
     "EURUSD_Ticks_08.10.2013-08.10.2013.csv",
     kDukascopyLocal,
     "Dukascopy tick download",
     "UTC",
     {},
     "",
     {"EURUSD,20131008,133003,1.35508,2.25"},
     {"EURUSD,20131008,093003,1.35508,2.25"}},
    {"DukascopyNodeEpoch",
     "eurusd-tick-2013-10-08-2013-10-09.csv",
     kDukascopyNodeEpoch,
     "dukascopy-node ticks",
     "UTC",
     {},
     "",
     {"EURUSD,20131008,133003,1.35508,2.25"},
     {"EURUSD,20131008,093003,1.35508,2.25"}},
    {"DukascopyNodeIso",
     "eurusd-tick-2013-10-08-2013-10-09.csv",
     kDukascopyNodeIso,
     "dukascopy-node ticks",
     "UTC",
     {},
     "",
     {"EURUSD,20131008,133003,1.35508,1"},
     {"EURUSD,20131008,093003,1.35508,1"}},
    {"SierraChartExport",
     "ESZ13.txt",
     kSierraChartExport,
     "Sierra Chart intraday data export",
     "UTC",
     {},
     "",
     {"ESZ13,20131008,133003,1680.25,3", "ESZ13,20131008,133004,1680.5,1"},
     {"ESZ13,20131008,093003,1680.25,3", "ESZ13,20131008,093004,1680.5,1"}},
    {"SierraChartBarData",
     "C:\\SierraChart\\Data\\ESZ13-BarData.txt",
     kSierraChartBarData,
     "Sierra Chart bar and study data",
     "UTC",
     {},
     "",
     {"ESZ13,20131008,133003,1680.25,3"},
     {"ESZ13,20131008,093003,1680.25,3"}},
    {"InteractiveBrokersTrades",
     "ES_ticks.csv",
     kInteractiveBrokersTrades,
     "Interactive Brokers historical ticks",
     "UTC",
     {},
     "",
     {"ES,20131008,133003,1680.25,3", "ES,20131008,133004,1680.5,1"},
     {"ES,20131008,093003,1680.25,3", "ES,20131008,093004,1680.5,1"}},
    {"InteractiveBrokersBidAsk",
     "ES_quotes.csv",
     kInteractiveBrokersBidAsk,
     "Interactive Brokers historical ticks",
     "UTC",
     {},
     "",
     {"ES,20131008,133003,1680.0,12"},
     {"ES,20131008,093003,1680.0,12"}},
    {"InteractiveBrokersEpochSeconds",
     "IBM_ticks.csv",
     kInteractiveBrokersEpoch,
     "CSV with a header line",
     "UTC",
     {},
     "",
     {"IBM,20131008,133003,182.5,200"},
     {"IBM,20131008,093003,182.5,200"}},
    {"DatabentoPretty",
     "glbx-mdp3-20131008.trades.csv",
     kDatabentoPretty,
     "Databento CSV",
     "UTC",
     {},
     "",
     {"ESZ3,20131008,133003,1680.25,3"},
     {"ESZ3,20131008,093003,1680.25,3"}},
    {"DatabentoRaw",
     "glbx-mdp3-20131008.trades.csv",
     kDatabentoRaw,
     "Databento CSV (raw)",
     "UTC",
     {},
     "",
     {"ESZ3,20131008,133003,1680.25,3"},
     {"ESZ3,20131008,093003,1680.25,3"}},
    {"PolygonOneTicker",
     "2013-10-08.csv",
     kPolygon,
     "Polygon flat file",
     "UTC",
     {},
     "spy",
     {"SPY,20131008,133003,168.89,200", "SPY,20131008,133004,168.90,100"},
     {"SPY,20131008,093003,168.89,200", "SPY,20131008,093004,168.90,100"}},
    {"Kibot",
     "IBM.txt",
     kKibot,
     "Kibot tick file",
     "Eastern Standard Time",
     {},
     "",
     {"IBM,20131008,133003,182.5,200", "IBM,20131008,133004,182.52,100"},
     {"IBM,20131008,093003,182.5,200", "IBM,20131008,093004,182.52,100"}},
    {"KibotBidAsk",
     "IBM.txt",
     kKibotBidAsk,
     "Kibot tick file with bid and ask",
     "Eastern Standard Time",
     PriceKind::Bid,
     "",
     {"IBM,20131008,133003,182.49,200"},
     {"IBM,20131008,093003,182.49,200"}},
    {"TrueFx",
     "EURUSD-2013-10.csv",
     kTrueFx,
     "TrueFX ticks",
     "UTC",
     {},
     "",
     {"EUR/USD,20131008,133003,1.35508,1"},
     {"EUR/USD,20131008,093003,1.35508,1"}},
    {"LeanEquityTrades",
     "20131008_ibm_Trade_Tick.csv",
     kLeanEquityTrades,
     "QuantConnect LEAN trade ticks",
     "Eastern Standard Time",
     {},
     "",
     {"IBM,20131008,133003,182.5,200"},
     {"IBM,20131008,093003,182.5,200"}},
    {"LeanEquityQuotes",
     "20131008_spy_Quote_Tick.csv",
     kLeanEquityQuotes,
     "QuantConnect LEAN quote ticks",
     "Eastern Standard Time",
     {},
     "",
     {"SPY,20131008,133003,168.89,100"},
     {"SPY,20131008,093003,168.89,100"}},
    {"LeanForexQuotes",
     "/data/forex/oanda/tick/eurusd/20131008_eurusd_tick_quote.csv",
     kLeanForexQuotes,
     "QuantConnect LEAN quote ticks",
     "UTC",
     {},
     "",
     {"EURUSD,20131008,133003,1.35508,1"},
     {"EURUSD,20131008,093003,1.35508,1"}},
    {"IsoWithOffset",
     "IBM.csv",
     kIsoWithOffset,
     "CSV with a header line",
     "UTC",
     {},
     "",
     {"IBM,20131008,133003,182.5,1"},
     {"IBM,20131008,093003,182.5,1"}},
};

// The table that tickconvert's Windows tests use, checked here first.
TEST(ConverterFormatsShared, EachFormatsFirstTickInNewYorkTime) {
  const ZoneRules newYork = test::EasternZone();
  const ZoneDirectory zones = test::TestZones();
  for (const TickFixture& f : EachFormat()) {
    SCOPED_TRACE(f.label);
    ConvertOptions o;
    o.fileName = f.fileName;
    o.zones = &zones;
    o.playbackZone = &newYork;
    o.symbol = f.symbol;
    test::Converted r = ConvertText(f.bytes, o);
    ASSERT_TRUE(r.ok) << r.error.problem;
    EXPECT_EQ(r.finding.format, f.format);
    EXPECT_EQ(RecordLines(r.records).at(0), f.firstNewYork);
  }
}

INSTANTIATE_TEST_SUITE_P(Fixtures, ConverterFormats, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<FormatCase>& info) {
                           return std::string(info.param.label);
                         });

}  // namespace
}  // namespace tickvane::converter
