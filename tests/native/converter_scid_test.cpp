// Sierra Chart's own intraday files (.scid): a 56-byte header, then 40-byte records of one trade
// each in a chart of 1 tick, times in microseconds since 1899-12-30 UTC.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/civil_time.h"
#include "tests/native/converter_fixtures.h"
#include "tests/native/converter_test_support.h"

namespace tickvane::converter {
namespace {

using fixtures::ScidHeader;
using fixtures::ScidRecord;
using fixtures::ScidTwoTrades;

std::int64_t Micros(int y, int mo, int d, int h, int mi, int s, int ms) {
  CivilDateTime t;
  t.year = y, t.month = mo, t.day = d, t.hour = h, t.minute = mi, t.second = s, t.micros = ms * 1000;
  return FromCivil(t);
}

test::Converted Convert(const std::string& bytes, const ZoneRules* playback, std::optional<PriceKind> price = {},
                        size_t piece = 0) {
  ConvertOptions o;
  o.fileName = "C:\\SierraChart\\Data\\ESZ13.scid";
  o.playbackZone = playback;
  o.price = price;
  return test::ConvertText(bytes, o, piece);
}

TEST(ConverterScid, SingleTradesGiveTheirCloseInAnyPieces) {
  const ZoneRules utc = ZoneRules::FixedOffset("UTC", 0), newYork = test::EasternZone();
  for (size_t piece : {0u, 1u, 7u, 40u, 57u}) {
    SCOPED_TRACE(piece);
    test::Converted r = Convert(ScidTwoTrades(), &utc, {}, piece);
    ASSERT_TRUE(r.ok) << r.error.problem;
    EXPECT_EQ(r.finding.format, "Sierra Chart intraday data file (.scid)");
    EXPECT_EQ(test::RecordLines(r.records),
              (std::vector<std::string>{"ESZ13,20131008,133003,1680.25,3", "ESZ13,20131008,133004,1680.5,2"}));
  }
  test::Converted ny = Convert(ScidTwoTrades(), &newYork);
  ASSERT_TRUE(ny.ok);
  EXPECT_EQ(test::RecordLines(ny.records)[0], "ESZ13,20131008,093003,1680.25,3");
  // Without a playback zone the chart file's own clock stays: UTC.
  EXPECT_EQ(test::RecordLines(Convert(ScidTwoTrades(), nullptr).records)[0], "ESZ13,20131008,133003,1680.25,3");
}

TEST(ConverterScid, QuotesFromHighAndLow) {
  const ZoneRules utc = ZoneRules::FixedOffset("UTC", 0);
  const struct {
    PriceKind price;
    const char* first;
  } cases[] = {{PriceKind::Bid, "ESZ13,20131008,133003,1680.25,3"},
               {PriceKind::Ask, "ESZ13,20131008,133003,1680.5,3"},
               {PriceKind::Mid, "ESZ13,20131008,133003,1680.375,3"}};
  for (const auto& c : cases) {
    test::Converted r = Convert(ScidTwoTrades(), &utc, c.price);
    ASSERT_TRUE(r.ok) << r.error.problem;
    EXPECT_EQ(test::RecordLines(r.records)[0], c.first);
  }
}

TEST(ConverterScid, LongerHeadersAndOlderDatesAreRead) {
  // A header that says it is longer, and a record from the time dates were days as a double.
  std::string bytes = ScidHeader(64) + ScidRecord(Micros(2013, 10, 8, 13, 30, 3, 0), 0.0f, 0.0f, 0.0f, 1680.25f, 1, 1);
  std::string old;
  double days = 41555.0 + (13 * 3600 + 30 * 60 + 4) / 86400.0;
  std::uint64_t bits;
  std::memcpy(&bits, &days, sizeof bits);
  fixtures::PutI64(old, static_cast<std::int64_t>(bits));
  bytes += old + ScidRecord(0, 0.0f, 0.0f, 0.0f, 1680.5f, 1, 1).substr(8);
  test::Converted r = Convert(bytes, nullptr);
  ASSERT_TRUE(r.ok) << r.error.problem;
  EXPECT_EQ(test::RecordLines(r.records),
            (std::vector<std::string>{"ESZ13,20131008,133003,1680.25,1", "ESZ13,20131008,133004,1680.5,1"}));
}

TEST(ConverterScid, BarsCutFilesAndOddHeadersAreRefusedByRecord) {
  const struct {
    const char* label;
    std::string bytes;
    std::uint64_t record;
    const char* problem;
  } cases[] = {
      {"bar",
       ScidTwoTrades() + ScidRecord(Micros(2013, 10, 8, 13, 31, 0, 0), 1680.0f, 1681.0f, 1679.5f, 1680.5f, 96, 512), 3,
       "bar of 96 trades"},
      {"cut record", ScidTwoTrades().substr(0, 56 + 40 + 12), 2, "ends inside a record (12 of 40 bytes)"},
      {"cut header", ScidHeader().substr(0, 30), 0, "ends inside its 56-byte header"},
      {"record size", ScidHeader(56, 12), 0, "a record is 12 bytes long"},
      {"no date", ScidHeader() + ScidRecord(-5, 0.0f, 0.0f, 0.0f, 1.0f, 1, 1), 1, "no date"},
      {"no price",
       ScidHeader() + ScidRecord(Micros(2013, 10, 8, 13, 30, 3, 0), 0.0f, 0.0f, 0.0f,
                                 std::numeric_limits<float>::quiet_NaN(), 1, 1),
       1, "price is not a number"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    test::Converted r = Convert(c.bytes, nullptr);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.error.record);
    EXPECT_EQ(r.error.line, c.record);
    EXPECT_NE(r.error.problem.find(c.problem), std::string::npos) << r.error.problem;
    EXPECT_EQ(ErrorPlace(r.error), c.record ? "Record " + std::to_string(c.record) : std::string("The header"));
  }
}

}  // namespace
}  // namespace tickvane::converter
