// The forms in which tick files write when a tick happened.
#include <gtest/gtest.h>

#include <string>

#include "common/civil_time.h"
#include "converter/tick_time.h"

namespace tickvane::converter {
namespace {

std::int64_t Seconds(int y, int mo, int d, int h, int mi, int s) {
  return DaysSinceEpoch(y, mo, d) * kSecondsPerDay + h * 3600 + mi * 60 + s;
}

// 1381239003 since 1970. (A function: the calendar's own constants are set up at start-up too.)
std::int64_t Open() { return Seconds(2013, 10, 8, 13, 30, 3); }

struct WhenCase {
  const char* text;
  bool ok;
  std::int64_t clock;
  bool zoned;
  int offset;
};

template <typename Parse>
void Check(Parse parse, const WhenCase& c) {
  SCOPED_TRACE(c.text);
  TickWhen w;
  ASSERT_EQ(parse(c.text, w), c.ok);
  if (!c.ok) return;
  EXPECT_EQ(w.clock, c.clock);
  EXPECT_EQ(w.zoned, c.zoned);
  EXPECT_EQ(w.offsetMinutes, c.offset);
}

// Each unit from where the one before would run past year 5138; below 10^8 nothing is taken.
TEST(ConverterTimes, EpochCountsToldApartBySize) {
  const WhenCase cases[] = {
      {"1381239003", true, Open(), true, 0},
      {"1381239003.987", true, Open(), true, 0},
      {"1381239003123", true, Open(), true, 0},
      {"1381239003123456", true, Open(), true, 0},
      {"1381239003123456789", true, Open(), true, 0},
      {"100000000", true, Seconds(1973, 3, 3, 9, 46, 40), true, 0},
      {"99999999999", true, Seconds(5138, 11, 16, 9, 46, 39), true, 0},
      {"100000000000", true, Seconds(1973, 3, 3, 9, 46, 40), true, 0},  // the same moment in milliseconds
      {"99999999", false, 0, false, 0},
      {"0", false, 0, false, 0},
      {"12345678901234567890", false, 0, false, 0},
      {"1381239003.", false, 0, false, 0},
      {"1381239003.x", false, 0, false, 0},
      {"-1381239003", false, 0, false, 0},
      {"", false, 0, false, 0},
  };
  for (const WhenCase& c : cases) Check(ParseEpochWhen, c);
}

TEST(ConverterTimes, DateAndTimeWithAZoneAfterIt) {
  const WhenCase cases[] = {
      {"2013-10-08T09:30:03.123-04:00", true, Seconds(2013, 10, 8, 9, 30, 3), true, -240},
      {"2013-10-08T13:30:03.123456789Z", true, Open(), true, 0},
      {"2013-10-08 13:30:03+00:00", true, Open(), true, 0},
      {"2013-10-08 15:30:03+0200", true, Seconds(2013, 10, 8, 15, 30, 3), true, 120},
      {"2013-10-08 18:30:03+05", true, Seconds(2013, 10, 8, 18, 30, 3), true, 300},
      {"08.10.2013 16:30:03.123 GMT+0300", true, Seconds(2013, 10, 8, 16, 30, 3), true, 180},
      {"08.10.2013 13:30:03.123", true, Open(), false, 0},
      {"2013/10/8 13:30:03.123", true, Open(), false, 0},
      {"20131008 13:30:03.123", true, Open(), false, 0},
      {"20131008133003", true, Open(), false, 0},
      {"2013-10-08 13:30:03 UTC", true, Open(), true, 0},
      {"2013-10-08T13:30:03+25:00", false, 0, false, 0},
      {"2013-10-08T13:30:03 EST", false, 0, false, 0},
      {"2013-10-08T13:30:03Zulu", false, 0, false, 0},
      {"2013-10-08", false, 0, false, 0},
      {"20131308133003", false, 0, false, 0},
  };
  for (const WhenCase& c : cases) Check([](std::string_view t, TickWhen& w) { return ParseDateTimeWhen(t, w); }, c);
}

// Runs of the same day are read once; a new day, a bad day or another form is read anew.
TEST(ConverterTimes, TheDayOfTheLastTickIsKeptAndNotMistaken) {
  const struct {
    const char* text;
    bool ok;
    std::int64_t clock;
  } ticks[] = {
      {"2013-10-08T13:30:03.123Z", true, Open()},
      {"2013-10-08T13:30:04Z", true, Open() + 1},
      {"2013-10-09T13:30:03Z", true, Open() + kSecondsPerDay},
      {"2013-10-32T13:30:03Z", false, 0},
      {"2013-10-09 13:30:03.5", true, Open() + kSecondsPerDay},
      {"09.10.2013 13:30:03.123", true, Open() + kSecondsPerDay},
      {"08.10.2013 13:30:03.123 GMT+0300", true, Open()},
      {"08.13.2013 13:30:03", false, 0},
      {"08.10.2013 13:30:60", false, 0},
      {"08.10.2013 13:30:03.", false, 0},
      {"2013-10-08T13:30:03+99:00", false, 0},
      {"2013/10/8 13:30:03.123", true, Open()},
      {"10/08/2013 13:30:03", true, Open()},
  };
  DayCache cache;
  for (const auto& t : ticks) {
    SCOPED_TRACE(t.text);
    TickWhen w;
    ASSERT_EQ(ParseDateTimeWhen(t.text, w, &cache), t.ok);
    if (t.ok) EXPECT_EQ(w.clock, t.clock);
  }
}

TEST(ConverterTimes, AnyFormTakesCountsAndTexts) {
  const WhenCase cases[] = {
      {"1381239003123", true, Open(), true, 0},
      {"2013-10-08T13:30:03Z", true, Open(), true, 0},
      {"20131008 093003", true, Seconds(2013, 10, 8, 9, 30, 3), false, 0},
      {"20131008133003", true, Open(), false, 0},
      {"93003", false, 0, false, 0},
  };
  for (const WhenCase& c : cases) Check([](std::string_view t, TickWhen& w) { return ParseAnyWhen(t, w); }, c);
}

TEST(ConverterTimes, NinjaTraderAndHistDataStamps) {
  const WhenCase nt[] = {
      {"20131008 133003", true, Open(), false, 0},   {"20131008 133003 1230000", true, Open(), false, 0},
      {"20131008 133003 1", true, Open(), false, 0}, {"20131008 133003 12345678", false, 0, false, 0},
      {"20131008 133003 ", false, 0, false, 0},      {"20131008 133063", false, 0, false, 0},
      {"20130229 133003", false, 0, false, 0},       {"20131008 13300", false, 0, false, 0},
      {"20131008-133003", false, 0, false, 0},
  };
  for (const WhenCase& c : nt) Check(ParseNinjaTraderWhen, c);
  const WhenCase histData[] = {
      {"20131008 133003123", true, Open(), false, 0},
      {"20131008 133003", false, 0, false, 0},
      {"20131008 13300312", false, 0, false, 0},
      {"20131008 2530031234", false, 0, false, 0},
  };
  for (const WhenCase& c : histData) Check(ParseHistDataWhen, c);
}

TEST(ConverterTimes, MillisecondsAfterMidnightOfTheFilesDay) {
  const std::int64_t day = DaysSinceEpoch(2013, 10, 8);
  TickWhen w;
  ASSERT_TRUE(ParseMillisOfDayWhen("34203629", day, w));
  EXPECT_EQ(w.clock, Seconds(2013, 10, 8, 9, 30, 3));
  ASSERT_TRUE(ParseMillisOfDayWhen("0", day, w));
  EXPECT_EQ(w.clock, Seconds(2013, 10, 8, 0, 0, 0));
  EXPECT_FALSE(ParseMillisOfDayWhen("86400001", day, w));
  EXPECT_FALSE(ParseMillisOfDayWhen("1.5", day, w));
  EXPECT_FALSE(ParseMillisOfDayWhen("", day, w));
}

TEST(ConverterTimes, PlaybackForms) {
  char date[8], time[6], readable[19];
  WriteDate(Seconds(2013, 10, 8, 9, 30, 3), date);
  WriteTime(Seconds(2013, 10, 8, 9, 30, 3), time);
  WriteReadable(Seconds(2013, 1, 2, 3, 4, 5), readable);
  EXPECT_EQ(std::string(date, 8), "20131008");
  EXPECT_EQ(std::string(time, 6), "093003");
  EXPECT_EQ(std::string(readable, 19), "2013-01-02 03:04:05");
}

}  // namespace
}  // namespace tickvane::converter
