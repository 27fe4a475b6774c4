// Sierra Chart's own intraday files (.scid): a 56-byte header, then 40-byte records of one trade
// each in a chart of 1 tick, times in microseconds since 1899-12-30 UTC.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/civil_time.h"
#include "tests/native/converter_test_support.h"

namespace tickvane::converter {
namespace {

void PutU32(std::string& s, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) s += static_cast<char>(v >> (8 * i) & 0xFF);
}
void PutU16(std::string& s, std::uint16_t v) {
  s += static_cast<char>(v & 0xFF);
  s += static_cast<char>(v >> 8);
}
void PutI64(std::string& s, std::int64_t v) {
  for (int i = 0; i < 8; ++i) s += static_cast<char>(static_cast<std::uint64_t>(v) >> (8 * i) & 0xFF);
}
void PutF32(std::string& s, float f) {
  std::uint32_t bits;
  std::memcpy(&bits, &f, sizeof bits);
  PutU32(s, bits);
}

std::string Header(std::uint32_t headerSize = 56, std::uint32_t recordSize = 40) {
  std::string h = "SCID";
  PutU32(h, headerSize);
  PutU32(h, recordSize);
  PutU16(h, 1);
  PutU16(h, 0);
  PutU32(h, 0);
  h.append(headerSize - h.size(), '\0');
  return h;
}

std::int64_t Micros(int y, int mo, int d, int h, int mi, int s, int ms) {
  CivilDateTime t;
  t.year = y, t.month = mo, t.day = d, t.hour = h, t.minute = mi, t.second = s, t.micros = ms * 1000;
  return FromCivil(t);
}

std::string Record(std::int64_t micros, float open, float high, float low, float close, std::uint32_t trades,
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

constexpr float kFirstSubTrade = -1.99900095e+37f;

std::string TwoTrades() {
  return Header() + Record(Micros(2013, 10, 8, 13, 30, 3, 123), 0.0f, 1680.50f, 1680.25f, 1680.25f, 1, 3) +
         Record(Micros(2013, 10, 8, 13, 30, 4, 0), kFirstSubTrade, 1680.75f, 1680.50f, 1680.50f, 1, 2);
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
    test::Converted r = Convert(TwoTrades(), &utc, {}, piece);
    ASSERT_TRUE(r.ok) << r.error.problem;
    EXPECT_EQ(r.finding.format, "Sierra Chart intraday data file (.scid)");
    EXPECT_EQ(test::RecordLines(r.records),
              (std::vector<std::string>{"ESZ13,20131008,133003,1680.25,3", "ESZ13,20131008,133004,1680.5,2"}));
  }
  test::Converted ny = Convert(TwoTrades(), &newYork);
  ASSERT_TRUE(ny.ok);
  EXPECT_EQ(test::RecordLines(ny.records)[0], "ESZ13,20131008,093003,1680.25,3");
  // Without a playback zone the chart file's own clock stays: UTC.
  EXPECT_EQ(test::RecordLines(Convert(TwoTrades(), nullptr).records)[0], "ESZ13,20131008,133003,1680.25,3");
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
    test::Converted r = Convert(TwoTrades(), &utc, c.price);
    ASSERT_TRUE(r.ok) << r.error.problem;
    EXPECT_EQ(test::RecordLines(r.records)[0], c.first);
  }
}

TEST(ConverterScid, LongerHeadersAndOlderDatesAreRead) {
  // A header that says it is longer, and a record from the time dates were days as a double.
  std::string bytes = Header(64) + Record(Micros(2013, 10, 8, 13, 30, 3, 0), 0.0f, 0.0f, 0.0f, 1680.25f, 1, 1);
  std::string old;
  double days = 41555.0 + (13 * 3600 + 30 * 60 + 4) / 86400.0;
  std::uint64_t bits;
  std::memcpy(&bits, &days, sizeof bits);
  PutI64(old, static_cast<std::int64_t>(bits));
  bytes += old + Record(0, 0.0f, 0.0f, 0.0f, 1680.5f, 1, 1).substr(8);
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
      {"bar", TwoTrades() + Record(Micros(2013, 10, 8, 13, 31, 0, 0), 1680.0f, 1681.0f, 1679.5f, 1680.5f, 96, 512), 3,
       "bar of 96 trades"},
      {"cut record", TwoTrades().substr(0, 56 + 40 + 12), 2, "ends inside a record (12 of 40 bytes)"},
      {"cut header", Header().substr(0, 30), 0, "ends inside its 56-byte header"},
      {"record size", Header(56, 12), 0, "a record is 12 bytes long"},
      {"no date", Header() + Record(-5, 0.0f, 0.0f, 0.0f, 1.0f, 1, 1), 1, "no date"},
      {"no price", Header() + Record(Micros(2013, 10, 8, 13, 30, 3, 0), 0.0f, 0.0f, 0.0f,
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
