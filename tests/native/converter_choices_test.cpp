// What the user chooses, and what happens without a choice: the source's times as they are when
// there is no playback zone, a zone of the user's for the file's times, the price taken, the
// symbol kept or given.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/native/converter_fixtures.h"
#include "tests/native/converter_test_support.h"

namespace tickvane::converter {
namespace {

using test::ConvertText;
using test::RecordLines;

std::string First(const test::Converted& r) {
  std::vector<std::string> lines = RecordLines(r.records);
  return lines.empty() ? std::string() : lines[0];
}

// Without a playback zone the records keep the source's clock: its own zone for local times, the
// clock written for times with an offset, UTC for counts since 1970.
TEST(ConverterChoices, WithoutAPlaybackZoneTheSourcesTimesStay) {
  const struct {
    const char* fileName;
    const char* text;
    const char* record;
  } cases[] = {
      {"ES 12-13.Last.txt", "20131008 133003 1230000;1680.25;3\n", "ES 12-13,20131008,133003,1680.25,3"},
      {"DAT_ASCII_EURUSD_T_201310.csv", "20131008 083003123,1.355080,1.355120,0\n",
       "EURUSD,20131008,083003,1.355080,0"},
      {"MetaTrader.csv",
       "<DATE>\t<TIME>\t<BID>\t<ASK>\t<LAST>\t<VOLUME>\t<FLAGS>\n2013.10.08\t16:30:03\t1.3\t1.4\t\t\t6\n",
       "METATRADER,20131008,163003,1.3,0"},
      {"EURUSD_Ticks.csv", "Local time,Ask,Bid,AskVolume,BidVolume\n08.10.2013 16:30:03.123 GMT+0300,1.4,1.3,1,2\n",
       "EURUSD,20131008,163003,1.3,2"},
      {"IBM.csv", "Timestamp,Price\n2013-10-08T09:30:03-04:00,182.5\n", "IBM,20131008,093003,182.5,1"},
      {"IBM.csv", "time,price\n1381239003,182.5\n", "IBM,20131008,133003,182.5,1"},
      {"IBM.txt", "10/08/2013,09:30:03,182.5,200\n", "IBM,20131008,093003,182.5,200"},
  };
  const ZoneDirectory zones = test::TestZones();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.fileName);
    ConvertOptions o;
    o.fileName = c.fileName;
    o.zones = &zones;
    test::Converted r = ConvertText(c.text, o);
    ASSERT_TRUE(r.ok) << r.error.problem;
    EXPECT_EQ(First(r), c.record);
  }
}

// A file that does not say its zone (the bundled sample's kind) is taken as it is written, in
// whatever zone the playback file is: nothing shifts.
TEST(ConverterChoices, AFileWithoutAZoneIsNotShifted) {
  const ZoneRules newYork = test::EasternZone(), utc = ZoneRules::FixedOffset("UTC", 0);
  for (const ZoneRules* playback : {&newYork, &utc, static_cast<const ZoneRules*>(nullptr)}) {
    ConvertOptions o;
    o.fileName = "ibm-us-equity-trades-20131007-20131008.csv";
    o.playbackZone = playback;
    test::Converted r = ConvertText("date,time,price\n20131008,93003,182.50\n", o);
    ASSERT_TRUE(r.ok) << r.error.problem;
    EXPECT_EQ(First(r), "IBM,20131008,093003,182.50,1");
    EXPECT_EQ(r.sourceZone, "");
    EXPECT_EQ(r.finding.format, "CSV with a header line");
  }
}

TEST(ConverterChoices, TheUsersZoneForTheFilesTimes) {
  const ZoneDirectory zones = test::TestZones();
  const ZoneRules utc = ZoneRules::FixedOffset("UTC", 0);
  const struct {
    const char* fileName;
    const char* text;
    const char* zone;
    const char* record;  // nullptr: refused
  } cases[] = {
      {"ES 12-13.Last.txt", "20131008 093003 0000000;1680.25;3\n", "Eastern Standard Time",
       "ES 12-13,20131008,133003,1680.25,3"},
      {"DAT_ASCII_EURUSD_T_201310.csv", "20131008 133003123,1.3,1.4,0\n", "UTC", "EURUSD,20131008,133003,1.3,0"},
      {"IBM.csv", "date,time,price\n20131008,093003,182.5\n", "UTC-04:00", "IBM,20131008,133003,182.5,1"},
      // Times that say their offset keep it, whatever zone the file is read in.
      {"IBM.csv", "time,price\n1381239003,182.5\n", "Eastern Standard Time", "IBM,20131008,133003,182.5,1"},
      {"IBM.csv", "date,time,price\n20131008,093003,182.5\n", "Atlantis Standard Time", nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.fileName) + " in " + c.zone);
    ConvertOptions o;
    o.fileName = c.fileName;
    o.zones = &zones;
    o.sourceZone = c.zone;
    o.playbackZone = &utc;
    test::Converted r = ConvertText(c.text, o);
    ASSERT_EQ(r.ok, c.record != nullptr) << r.error.problem;
    if (c.record) {
      EXPECT_EQ(First(r), c.record);
      EXPECT_EQ(r.sourceZone, c.zone);
    } else {
      EXPECT_EQ(r.error.line, 1u);
      EXPECT_NE(r.error.problem.find("\"Atlantis Standard Time\" is not known"), std::string::npos) << r.error.problem;
    }
  }
}

// The format's own zone is only needed when the times are moved into a playback zone.
TEST(ConverterChoices, AFormatsZoneUnknownHereMattersOnlyWhenTimesMove) {
  ZoneDirectory none;
  none.find = [](std::string_view) { return std::optional<ZoneRules>(); };
  const char text[] =
      "<DATE>\t<TIME>\t<BID>\t<ASK>\t<LAST>\t<VOLUME>\t<FLAGS>\n2013.10.08\t16:30:03\t1.3\t1.4\t\t\t6\n";
  ConvertOptions o;
  o.fileName = "EURUSD.csv";
  o.zones = &none;
  test::Converted asWritten = ConvertText(text, o);
  ASSERT_TRUE(asWritten.ok) << asWritten.error.problem;
  EXPECT_EQ(First(asWritten), "EURUSD,20131008,163003,1.3,0");
  const ZoneRules utc = ZoneRules::FixedOffset("UTC", 0);
  o.playbackZone = &utc;
  test::Converted moved = ConvertText(text, o);
  EXPECT_FALSE(moved.ok);
  EXPECT_NE(moved.error.problem.find("\"GTB Standard Time\" of the file's times"), std::string::npos)
      << moved.error.problem;
}

TEST(ConverterChoices, APriceTheFileDoesNotHaveIsRefusedNamingThoseItHas) {
  const struct {
    const char* fileName;
    const char* text;
    PriceKind price;
    const char* problem;
  } cases[] = {
      {"ES 12-13.Last.txt", "20131008 133003 1230000;1680.25;3\n", PriceKind::Bid, "has no bid prices; it has last"},
      {"ES 12-13.Last.txt", "20131008 133003 1230000;1680.25;3\n", PriceKind::Mid, "has no mid prices; it has last"},
      {"EURUSD_Ticks.csv", "Gmt time,Ask,Bid,AskVolume,BidVolume\n08.10.2013 13:30:03.123,1.4,1.3,1,2\n",
       PriceKind::Last, "has no last (trade) prices; it has bid, ask, mid"},
      {"6E 12-13.Ask.txt", "20131008 133003 1230000;1.3551;3\n", PriceKind::Bid, "has no bid prices; it has ask"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.fileName);
    ConvertOptions o;
    o.fileName = c.fileName;
    o.price = c.price;
    test::Converted r = ConvertText(c.text, o);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.error.problem.find(c.problem), std::string::npos) << r.error.problem;
  }
}

TEST(ConverterChoices, TheSymbolFiltersAColumnOrNamesTheRecords) {
  const char polygon[] =
      "ticker,conditions,correction,exchange,id,participant_timestamp,price,sequence_number,sip_timestamp,size,tape,"
      "trf_id,trf_timestamp\n"
      "A,,0,4,1,1381239003120000000,53.10,100,1381239003123456789,50,1,,\n"
      "SPY,,0,11,2,1381239003200000000,168.89,101,1381239003223456789,200,2,,\n";
  const struct {
    const char* fileName;
    const char* text;
    const char* symbol;
    const char* record;  // nullptr: refused
    const char* problem;
  } cases[] = {
      {"2013-10-08.csv", polygon, "a", "A,20131008,133003,53.10,50", ""},
      {"2013-10-08.csv", polygon, "QQQ", nullptr, "no ticks of the symbol \"QQQ\""},
      {"ES 12-13.Last.txt", "20131008 133003 1230000;1680.25;3\n", "ESZ13", "ESZ13,20131008,133003,1680.25,3", ""},
      {"ES 12-13.Last.txt", "20131008 133003 1230000;1680.25;3\n", "ES,Z13", nullptr, "holds a comma"},
      {"ES 12-13.Last.txt", "20131008 133003 1230000;1680.25;3\n", "[ES]", nullptr, "begins with \"[\""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.fileName) + " " + c.symbol);
    ConvertOptions o;
    o.fileName = c.fileName;
    o.symbol = c.symbol;
    test::Converted r = ConvertText(c.text, o);
    ASSERT_EQ(r.ok, c.record != nullptr) << r.error.problem;
    if (c.record) {
      EXPECT_EQ(First(r), c.record);
      EXPECT_EQ(r.ticks, 1u);
    } else {
      EXPECT_NE(r.error.problem.find(c.problem), std::string::npos) << r.error.problem;
    }
  }
}

TEST(ConverterChoices, Utf16InAnyPiecesGivesWhatTheSameTextGives) {
  const std::string text =
      "<DATE>\t<TIME>\t<BID>\t<ASK>\t<LAST>\t<VOLUME>\t<FLAGS>\r\n"
      "2013.10.08\t16:30:03.123\t1.35508\t1.35512\t\t\t6\r\n"
      "2013.10.08\t16:30:04.456\t\t1.35515\t\t\t4\r\n"
      "2013.10.08\t16:30:05.789\t1.35510\t\t\t\t2";
  ConvertOptions o;
  o.fileName = "EURUSD.csv";
  o.price = PriceKind::Mid;
  test::Converted plain = ConvertText(text, o);
  ASSERT_TRUE(plain.ok) << plain.error.problem;
  EXPECT_EQ(plain.ticks, 3u);
  for (size_t piece : {1u, 2u, 3u, 7u, 64u}) {
    SCOPED_TRACE(piece);
    test::Converted wide = ConvertText(fixtures::Utf16Le(text), o, piece);
    ASSERT_TRUE(wide.ok) << wide.error.problem;
    EXPECT_EQ(wide.records, plain.records);
  }
}

TEST(ConverterChoices, TheFindingSaysWhichZonesAreGuessesAndWhichTheTimesCarry) {
  const struct {
    const char* fileName;
    const char* text;
    bool asked;
    bool carried;
    bool thisComputer;
  } cases[] = {
      {"ES 12-13.Last.txt", "20131008 093003;1680.25;3\n", true, false, true},
      {"ES 12-13.Last.txt", "20131008 133003 1230000;1680.25;3\n", false, false, false},
      {"EURUSD.csv", "<DATE>\t<TIME>\t<BID>\t<ASK>\t<LAST>\t<VOLUME>\t<FLAGS>\n2013.10.08\t16:30:03\t1.3\t1.4\t\t\t6\n",
       true, false, false},
      {"IBM.csv", "time,price\n1381239003,182.5\n", false, true, false},
      {"IBM.csv", "date,time,price\n20131008,093003,182.5\n", false, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    ConvertOptions o;
    o.fileName = c.fileName;
    test::Converted r = ConvertText(c.text, o);
    ASSERT_TRUE(r.ok) << r.error.problem;
    EXPECT_EQ(r.finding.zoneAsked, c.asked);
    EXPECT_EQ(r.finding.timesCarryZone, c.carried);
    EXPECT_EQ(r.finding.zoneIsThisComputer, c.thisComputer);
    EXPECT_FALSE(r.finding.zoneWhy.empty());
  }
}

}  // namespace
}  // namespace tickvane::converter
