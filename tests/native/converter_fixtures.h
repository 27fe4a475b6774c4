// One small tick file per format, made from the layout each vendor or platform documents, with
// its first tick on 8 October 2013 at 09:30:03 New York time (13:30:03 UTC). Shared by the native
// tests of the converter and the Windows tests of tickconvert, which write them out as files.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace tickvane::converter::fixtures {

inline constexpr char kNinjaTrader8[] = "20131008 133003 1230000;1680.25;3\r\n20131008 133004 0000000;1680.50;1\r\n";
inline constexpr char kNinjaTrader8LastBidAsk[] = "20131008 133003 1230000;1680.25;1680.00;1680.25;3\n";
inline constexpr char kNinjaTrader7[] = "20131008 093003,1680.25,3\n20131008 093004,1680.5,1\n";
inline constexpr char kNinjaTraderBid[] = "20131008 133003 5000000;1.3551;12\n";
inline constexpr char kHistDataAscii[] =
    "20131008 083003123,1.355080,1.355120,0\n20131008 083004456,1.355090,1.355130,0\n";
inline constexpr char kHistDataNinjaTraderLast[] = "20131008 083003;1.355080;0\n";
inline constexpr char kHistDataNinjaTraderBid[] = "20131008 083003;1.355070;0\n";
inline constexpr char kMetaTraderQuotes[] =
    "<DATE>\t<TIME>\t<BID>\t<ASK>\t<LAST>\t<VOLUME>\t<FLAGS>\r\n"
    "2013.10.08\t16:30:03.123\t1.35508\t1.35512\t\t\t6\r\n"
    "2013.10.08\t16:30:04.456\t\t1.35515\t\t\t4\r\n"
    "2013.10.08\t16:30:05.789\t1.35510\t\t\t\t2\r\n";
inline constexpr char kMetaTraderTrades[] =
    "<DATE>\t<TIME>\t<BID>\t<ASK>\t<LAST>\t<VOLUME>\t<FLAGS>\n"
    "2013.10.08\t16:30:03.100\t1680.00\t1680.25\t\t\t6\n"
    "2013.10.08\t16:30:03.123\t\t\t1680.25\t3\t88\n"
    "2013.10.08\t16:30:04.000\t1680.25\t\t\t\t2\n";
inline constexpr char kDukascopy[] =
    "Gmt time,Ask,Bid,AskVolume,BidVolume\n"
    "08.10.2013 13:30:03.123,1.35512,1.35508,1.5,2.25\n"
    "08.10.2013 13:30:04.000,1.35513,1.35509,0.75,1\n";
inline constexpr char kDukascopyLocal[] =
    "Local time,Ask,Bid,AskVolume,BidVolume\n08.10.2013 16:30:03.123 GMT+0300,1.35512,1.35508,1.5,2.25\n";
inline constexpr char kDukascopyNodeEpoch[] =
    "timestamp,askPrice,bidPrice,askVolume,bidVolume\n1381239003123,1.35512,1.35508,1.5,2.25\n";
inline constexpr char kDukascopyNodeIso[] = "timestamp,askPrice,bidPrice\n2013-10-08T13:30:03.123Z,1.35512,1.35508\n";
inline constexpr char kSierraChartExport[] =
    "Date, Time, Open, High, Low, Last, Volume, NumberOfTrades, BidVolume, AskVolume\n"
    "2013/10/8, 13:30:03.123, 1680.25, 1680.25, 1680.25, 1680.25, 3, 1, 0, 3\n"
    "2013/10/8, 13:30:04.500, 1680.5, 1680.5, 1680.5, 1680.5, 1, 1, 1, 0\n";
inline constexpr char kSierraChartBarData[] =
    "Date Time, Open, High, Low, Last, Volume, # of Trades, OHLC Avg, HLC Avg, HL Avg, Bid Volume, Ask Volume\n"
    "2013/10/8 13:30:03.123, 1680.25, 1680.25, 1680.25, 1680.25, 3, 1, 1680.25, 1680.25, 1680.25, 0, 3\n";
inline constexpr char kInteractiveBrokersTrades[] =
    ",time,tickAttribLast,price,size,exchange,specialConditions\n"
    "0,2013-10-08 13:30:03+00:00,\"TickAttribLast(pastLimit=False, unreported=False)\",1680.25,3,CME,\n"
    "1,2013-10-08 13:30:04+00:00,\"TickAttribLast(pastLimit=False, unreported=False)\",1680.5,1,CME,\n";
inline constexpr char kInteractiveBrokersBidAsk[] =
    ",time,tickAttribBidAsk,priceBid,priceAsk,sizeBid,sizeAsk\n"
    "0,2013-10-08 13:30:03+00:00,\"TickAttribBidAsk(bidPastLow=False, askPastHigh=False)\",1680.0,1680.25,12,7\n";
inline constexpr char kInteractiveBrokersEpoch[] = "time,price,size\n1381239003,182.5,200\n";
inline constexpr char kDatabentoPretty[] =
    "ts_recv,ts_event,rtype,publisher_id,instrument_id,action,side,depth,price,size,flags,ts_in_delta,sequence,"
    "symbol\n"
    "2013-10-08T13:30:03.124000000Z,2013-10-08T13:30:03.123456789Z,0,1,5482,T,B,0,1680.250000000,3,0,15000,1001,"
    "ESZ3\n";
inline constexpr char kDatabentoRaw[] =
    "ts_recv,ts_event,rtype,publisher_id,instrument_id,action,side,depth,price,size,flags,ts_in_delta,sequence,"
    "symbol\n"
    "1381239003124000000,1381239003123456789,0,1,5482,T,B,0,1680250000000,3,0,15000,1001,ESZ3\n";
inline constexpr char kPolygon[] =
    "ticker,conditions,correction,exchange,id,participant_timestamp,price,sequence_number,sip_timestamp,size,tape,"
    "trf_id,trf_timestamp\n"
    "A,\"12,37\",0,4,1,1381239003120000000,53.10,100,1381239003123456789,50,1,,\n"
    "SPY,,0,11,2,1381239003200000000,168.89,101,1381239003223456789,200,2,,\n"
    "SPY,\"14,41\",0,11,3,1381239004000000000,168.90,102,1381239004000000500,100,2,,\n";
inline constexpr char kKibot[] = "10/08/2013,09:30:03,182.5,200\n10/08/2013,09:30:04,182.52,100\n";
inline constexpr char kKibotBidAsk[] = "10/08/2013,09:30:03,182.5,182.49,182.51,200\n";
inline constexpr char kTrueFx[] = "EUR/USD,20131008 13:30:03.123,1.35508,1.35512\n";
inline constexpr char kLeanEquityTrades[] = "34203629,1825000,200,D,20100200,0\n";
inline constexpr char kLeanEquityQuotes[] = "34203629,1688900,100,1689100,200,P,0,0\n";
inline constexpr char kLeanForexQuotes[] = "48603123,1.35508,1.35512\n";
inline constexpr char kIsoWithOffset[] = "Timestamp,Price\n2013-10-08T09:30:03.123-04:00,182.5\n";

// Text as UTF-16 little-endian with a byte-order mark, as MetaTrader writes its exports.
inline std::string Utf16Le(std::string_view ascii) {
  std::string out = "\xFF\xFE";
  for (char c : ascii) {
    out += c;
    out += '\0';
  }
  return out;
}

// Sierra Chart's .scid: a 56-byte header, then 40-byte records, little-endian.
inline void PutU32(std::string& s, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) s += static_cast<char>(v >> (8 * i) & 0xFF);
}
inline void PutI64(std::string& s, std::int64_t v) {
  for (int i = 0; i < 8; ++i) s += static_cast<char>(static_cast<std::uint64_t>(v) >> (8 * i) & 0xFF);
}
inline void PutF32(std::string& s, float f) {
  std::uint32_t bits;
  std::memcpy(&bits, &f, sizeof bits);
  PutU32(s, bits);
}
inline std::string ScidHeader(std::uint32_t headerSize = 56, std::uint32_t recordSize = 40) {
  std::string h = "SCID";
  PutU32(h, headerSize);
  PutU32(h, recordSize);
  h += '\x01';  // version 1 (16 bits)
  h += '\0';
  h.append(headerSize - h.size(), '\0');
  return h;
}
inline std::string ScidRecord(std::int64_t micros, float open, float high, float low, float close, std::uint32_t trades,
                              std::uint32_t volume) {
  std::string r;
  PutI64(r, micros);
  PutF32(r, open);
  PutF32(r, high);
  PutF32(r, low);
  PutF32(r, close);
  PutU32(r, trades);
  PutU32(r, volume);
  PutU32(r, volume);
  PutU32(r, 0);
  return r;
}
// Microseconds since 1899-12-30 of 2013-10-08 at the given UTC clock time.
inline std::int64_t ScidTime(int hour, int minute, int second, int milliseconds) {
  const std::int64_t day = 41555;  // 2013-10-08
  return ((day * 86400 + hour * 3600 + minute * 60 + second) * 1000 + milliseconds) * 1000;
}
inline constexpr float kScidFirstSubTrade = -1.99900095e+37f;
// A trade with the quotes of its moment (Open 0, High the ask, Low the bid), then the first part
// of a trade split up by the exchange.
inline std::string ScidTwoTrades() {
  return ScidHeader() + ScidRecord(ScidTime(13, 30, 3, 123), 0.0f, 1680.50f, 1680.25f, 1680.25f, 1, 3) +
         ScidRecord(ScidTime(13, 30, 4, 0), kScidFirstSubTrade, 1680.75f, 1680.50f, 1680.50f, 1, 2);
}

struct TickFixture {
  const char* label;
  const char* fileName;
  std::string bytes;
  const char* symbol;        // the symbol to keep, for a file of several; empty: none
  const char* format;        // the format the finding names
  const char* firstNewYork;  // the first record, written in New York time
};

// Every format once, each in the zone its vendor documents (NinjaTrader 7's, the exporting
// computer's, is left out: it depends on the computer).
inline std::vector<TickFixture> EachFormat() {
  return {
      {"NinjaTrader8", "ES 12-13.Last.txt", kNinjaTrader8, "", "NinjaTrader 8 tick export",
       "ES 12-13,20131008,093003,1680.25,3"},
      {"NinjaTrader8LastBidAsk", "ES 12-13.Last.txt", kNinjaTrader8LastBidAsk, "", "NinjaTrader 8 tick export",
       "ES 12-13,20131008,093003,1680.25,3"},
      {"NinjaTraderBidSeries", "6E 12-13.Bid.txt", kNinjaTraderBid, "", "NinjaTrader 8 tick export",
       "6E 12-13,20131008,093003,1.3551,12"},
      {"HistDataAscii", "DAT_ASCII_EURUSD_T_201310.csv", kHistDataAscii, "", "HistData generic ASCII ticks",
       "EURUSD,20131008,093003,1.355080,0"},
      {"HistDataNinjaTrader", "DAT_NT_EURUSD_T_LAST_201310.csv", kHistDataNinjaTraderLast, "",
       "HistData tick file in NinjaTrader layout", "EURUSD,20131008,093003,1.355080,0"},
      {"MetaTraderUtf16", "EURUSD_201310081630_201310081631.csv", Utf16Le(kMetaTraderQuotes), "",
       "MetaTrader 5 tick export", "EURUSD,20131008,093003,1.35508,0"},
      {"MetaTraderTrades", "ES_201310081630.csv", kMetaTraderTrades, "", "MetaTrader 5 tick export",
       "ES,20131008,093003,1680.25,3"},
      {"DukascopyGmt", "EURUSD_Ticks_08.10.2013-08.10.2013.csv", kDukascopy, "", "Dukascopy tick download",
       "EURUSD,20131008,093003,1.35508,2.25"},
      {"DukascopyLocal", "EURUSD_Ticks_08.10.2013-08.10.2013.csv", kDukascopyLocal, "", "Dukascopy tick download",
       "EURUSD,20131008,093003,1.35508,2.25"},
      {"DukascopyNodeEpoch", "eurusd-tick-2013-10-08-2013-10-09.csv", kDukascopyNodeEpoch, "", "dukascopy-node ticks",
       "EURUSD,20131008,093003,1.35508,2.25"},
      {"DukascopyNodeIso", "eurusd-tick-2013-10-08-2013-10-09.csv", kDukascopyNodeIso, "", "dukascopy-node ticks",
       "EURUSD,20131008,093003,1.35508,1"},
      {"SierraChartExport", "ESZ13.txt", kSierraChartExport, "", "Sierra Chart intraday data export",
       "ESZ13,20131008,093003,1680.25,3"},
      {"SierraChartBarData", "ESZ13-BarData.txt", kSierraChartBarData, "", "Sierra Chart bar and study data",
       "ESZ13,20131008,093003,1680.25,3"},
      {"SierraChartScid", "ESZ13.scid", ScidTwoTrades(), "", "Sierra Chart intraday data file (.scid)",
       "ESZ13,20131008,093003,1680.25,3"},
      {"InteractiveBrokersTrades", "ES_ticks.csv", kInteractiveBrokersTrades, "",
       "Interactive Brokers historical ticks", "ES,20131008,093003,1680.25,3"},
      {"InteractiveBrokersBidAsk", "ES_quotes.csv", kInteractiveBrokersBidAsk, "",
       "Interactive Brokers historical ticks", "ES,20131008,093003,1680.0,12"},
      {"InteractiveBrokersEpoch", "IBM_ticks.csv", kInteractiveBrokersEpoch, "", "CSV with a header line",
       "IBM,20131008,093003,182.5,200"},
      {"DatabentoPretty", "glbx-mdp3-20131008.trades.csv", kDatabentoPretty, "", "Databento CSV",
       "ESZ3,20131008,093003,1680.25,3"},
      {"DatabentoRaw", "glbx-mdp3-20131008.trades.csv", kDatabentoRaw, "", "Databento CSV (raw)",
       "ESZ3,20131008,093003,1680.25,3"},
      {"Polygon", "2013-10-08.csv", kPolygon, "SPY", "Polygon flat file", "SPY,20131008,093003,168.89,200"},
      {"Kibot", "IBM.txt", kKibot, "", "Kibot tick file", "IBM,20131008,093003,182.5,200"},
      {"KibotBidAsk", "IBM.txt", kKibotBidAsk, "", "Kibot tick file with bid and ask", "IBM,20131008,093003,182.5,200"},
      {"TrueFx", "EURUSD-2013-10.csv", kTrueFx, "", "TrueFX ticks", "EUR/USD,20131008,093003,1.35508,1"},
      {"LeanEquityTrades", "20131008_ibm_Trade_Tick.csv", kLeanEquityTrades, "", "QuantConnect LEAN trade ticks",
       "IBM,20131008,093003,182.5,200"},
      {"LeanEquityQuotes", "20131008_spy_Quote_Tick.csv", kLeanEquityQuotes, "", "QuantConnect LEAN quote ticks",
       "SPY,20131008,093003,168.89,100"},
      {"LeanForexQuotes", "20131008_eurusd_tick_quote.csv", kLeanForexQuotes, "", "QuantConnect LEAN quote ticks",
       "EURUSD,20131008,093003,1.35508,1"},
      {"IsoWithOffset", "IBM.csv", kIsoWithOffset, "", "CSV with a header line", "IBM,20131008,093003,182.5,1"},
  };
}

}  // namespace tickvane::converter::fixtures
