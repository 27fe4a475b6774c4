#include "tests/native/test_zones.h"

#include <gtest/gtest.h>

#include <optional>

namespace tickvane::test {

const char kEastern2007Tzi[] =
    "2c,01,00,00,00,00,00,00,c4,ff,ff,ff,00,00,0b,00,00,00,01,00,02,00,00,00,00,00,00,00,00,00,03,00,00,00,02,00,02,"
    "00,00,00,00,00,00,00";

namespace {

const char kEastern2006Tzi[] =
    "2c,01,00,00,00,00,00,00,c4,ff,ff,ff,00,00,0a,00,00,00,05,00,02,00,00,00,00,00,00,00,00,00,04,00,00,00,01,00,02,"
    "00,00,00,00,00,00,00";
// Last Sunday of October 4:00 back to 3:00, last Sunday of March 3:00 on to 4:00.
const char kGtbTzi[] =
    "88,ff,ff,ff,00,00,00,00,c4,ff,ff,ff,00,00,0a,00,00,00,05,00,04,00,00,00,00,00,00,00,00,00,03,00,00,00,05,00,03,"
    "00,00,00,00,00,00,00";
const char kAusEasternTzi[] =
    "a8,fd,ff,ff,00,00,00,00,c4,ff,ff,ff,00,00,04,00,00,00,01,00,03,00,00,00,00,00,00,00,00,00,0a,00,00,00,01,00,02,"
    "00,00,00,00,00,00,00";
const char kTokyoTzi[] =
    "e4,fd,ff,ff,00,00,00,00,c4,ff,ff,ff,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,"
    "00,00,00,00,00,00,00";

ZoneYearRules Rules(const char* hex) {
  std::optional<ZoneYearRules> r = ParseTzi(TziBytes(hex));
  EXPECT_TRUE(r) << hex;
  return r.value_or(ZoneYearRules{});
}

ZoneRules Zone(const char* name, const char* hex) {
  ZoneRules z;
  z.name = name;
  z.base = Rules(hex);
  return z;
}

}  // namespace

std::string TziBytes(const char* hex) {
  std::string bytes;
  for (const char* p = hex; *p;) {
    if (*p == ',' || *p == ' ') {
      ++p;
      continue;
    }
    bytes.push_back(static_cast<char>(std::stoi(std::string(p, 2), nullptr, 16)));
    p += 2;
  }
  return bytes;
}

ZoneRules EasternZone() {
  ZoneRules z = Zone("Eastern Standard Time", kEastern2007Tzi);
  for (int year = 2000; year <= 2006; ++year) z.years[year] = Rules(kEastern2006Tzi);
  z.years[2007] = Rules(kEastern2007Tzi);
  return z;
}

ZoneRules GtbZone() { return Zone("GTB Standard Time", kGtbTzi); }
ZoneRules SydneyZone() { return Zone("AUS Eastern Standard Time", kAusEasternTzi); }
ZoneRules TokyoZone() { return Zone("Tokyo Standard Time", kTokyoTzi); }

}  // namespace tickvane::test
