// Both changes of daylight saving, each way: New York ticks written in UTC, UTC ticks written in
// New York time, a MetaTrader broker's European summer time; by the rules of each tick's year.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/native/converter_test_support.h"

namespace tickvane::converter {
namespace {

struct Shift {
  const char* source;  // the tick's line
  const char* record;  // the record's date and time
  const char* why;
};

struct Change {
  const char* label;
  const char* fileName;
  const char* header;  // the file's first line, when it has one
  bool toNewYork;      // written in New York time (else in UTC)
  std::vector<Shift> ticks;
};

std::ostream& operator<<(std::ostream& os, const Change& c) { return os << c.label; }

class ConverterDaylight : public ::testing::TestWithParam<Change> {};

TEST_P(ConverterDaylight, EachTickByTheRulesOfItsYear) {
  const Change& c = GetParam();
  const ZoneDirectory zones = test::TestZones();
  const ZoneRules utc = ZoneRules::FixedOffset("UTC", 0), newYork = test::EasternZone();
  for (const Shift& tick : c.ticks) {
    SCOPED_TRACE(std::string(tick.source) + ": " + tick.why);
    ConvertOptions o;
    o.fileName = c.fileName;
    o.zones = &zones;
    o.playbackZone = c.toNewYork ? &newYork : &utc;
    test::Converted r = test::ConvertText(std::string(c.header) + tick.source + "\n", o);
    ASSERT_TRUE(r.ok) << r.error.problem;
    std::vector<std::string> lines = test::RecordLines(r.records);
    ASSERT_EQ(lines.size(), 1u);
    // SYMBOL,YYYYMMDD,HHMMSS,...
    size_t comma = lines[0].find(',');
    EXPECT_EQ(lines[0].substr(comma + 1, 15), tick.record);
  }
}

const Change kChanges[] = {
    {"NewYorkToUtc",
     "IBM.txt",
     "",
     false,
     {{"03/10/2013,01:59:59,182.5,1", "20130310,065959", "the last winter second"},
      {"03/10/2013,02:30:00,182.5,1", "20130310,073000", "skipped by the change: taken in winter time"},
      {"03/10/2013,03:00:00,182.5,1", "20130310,070000", "the first summer second"},
      {"11/03/2013,00:59:59,182.5,1", "20131103,045959", "before the repeated hour"},
      {"11/03/2013,01:30:00,182.5,1", "20131103,053000", "the repeated hour: taken in summer time"},
      {"11/03/2013,02:00:00,182.5,1", "20131103,070000", "winter again"},
      {"03/20/2006,12:00:00,182.5,1", "20060320,170000", "2006: still winter in late March"},
      {"04/02/2006,03:00:00,182.5,1", "20060402,070000", "2006: summer from the first Sunday of April"}}},
    {"UtcToNewYork",
     "IBM.csv",
     "time,price\n",
     true,
     {{"1362898799,182.5", "20130310,015959", "the last winter second"},
      {"1362898800,182.5", "20130310,030000", "an hour on at the change"},
      {"1383456600,182.5", "20131103,013000", "01:30 in summer time"},
      {"1383460200,182.5", "20131103,013000", "01:30 again, in winter time"},
      {"1383462000,182.5", "20131103,020000", "winter"}}},
    {"BrokerTimeToUtc",
     "EURUSD_2013.csv",
     "<DATE>\t<TIME>\t<BID>\t<ASK>\t<LAST>\t<VOLUME>\t<FLAGS>\n",
     false,
     {{"2013.03.31\t02:59:59.000\t1.28\t1.29\t\t\t6", "20130331,005959", "the last European winter second"},
      {"2013.03.31\t04:00:00.000\t1.28\t1.29\t\t\t6", "20130331,010000", "the first European summer second"},
      {"2013.10.27\t03:30:00.000\t1.38\t1.39\t\t\t6", "20131027,003000", "the repeated hour: taken in summer time"},
      {"2013.10.27\t04:00:00.000\t1.38\t1.39\t\t\t6", "20131027,020000", "winter again"}}},
};

INSTANTIATE_TEST_SUITE_P(Changes, ConverterDaylight, ::testing::ValuesIn(kChanges),
                         [](const ::testing::TestParamInfo<Change>& info) { return std::string(info.param.label); });

}  // namespace
}  // namespace tickvane::converter
