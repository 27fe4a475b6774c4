#include "tests/native/converter_test_support.h"

namespace tickvane::converter::test {
namespace {

std::string Hex(const char* text) {
  std::string bytes;
  for (const char* p = text; *p;) {
    if (*p == ',' || *p == ' ') {
      ++p;
      continue;
    }
    bytes.push_back(static_cast<char>(std::stoi(std::string(p, 2), nullptr, 16)));
    p += 2;
  }
  return bytes;
}

ZoneYearRules Rules(const char* hex) { return ParseTzi(Hex(hex)).value_or(ZoneYearRules{}); }

// REG_TZI_FORMAT values of HKLM\...\Time Zones\<zone>.
const char kEastern2007[] =
    "2c,01,00,00,00,00,00,00,c4,ff,ff,ff,00,00,0b,00,00,00,01,00,02,00,00,00,00,00,00,00,00,00,03,00,00,00,02,00,02,"
    "00,00,00,00,00,00,00";
const char kEastern2006[] =
    "2c,01,00,00,00,00,00,00,c4,ff,ff,ff,00,00,0a,00,00,00,05,00,02,00,00,00,00,00,00,00,00,00,04,00,00,00,01,00,02,"
    "00,00,00,00,00,00,00";
// GTB: last Sunday of October 4:00 back to 3:00, last Sunday of March 3:00 on to 4:00.
const char kGtb[] =
    "88,ff,ff,ff,00,00,00,00,c4,ff,ff,ff,00,00,0a,00,00,00,05,00,04,00,00,00,00,00,00,00,00,00,03,00,00,00,05,00,03,"
    "00,00,00,00,00,00,00";

}  // namespace

ZoneRules EasternZone() {
  ZoneRules z;
  z.name = "Eastern Standard Time";
  z.base = Rules(kEastern2007);
  for (int year = 2000; year <= 2006; ++year) z.years[year] = Rules(kEastern2006);
  z.years[2007] = Rules(kEastern2007);
  return z;
}

ZoneRules GtbZone() {
  ZoneRules z;
  z.name = "GTB Standard Time";
  z.base = Rules(kGtb);
  return z;
}

ZoneDirectory TestZones(std::string thisComputer) {
  ZoneDirectory d;
  d.find = [](std::string_view name) -> std::optional<ZoneRules> {
    if (name == "Eastern Standard Time") return EasternZone();
    if (name == "GTB Standard Time") return GtbZone();
    if (name == "UTC") return ZoneRules::FixedOffset("UTC", 0);
    return std::nullopt;
  };
  d.thisComputer = [thisComputer] { return thisComputer; };
  return d;
}

Converted ConvertText(std::string_view text, ConvertOptions options, size_t pieceSize) {
  TickConverter converter(std::move(options));
  Converted r;
  bool ok = true;
  if (pieceSize == 0) pieceSize = text.size() + 1;
  for (size_t at = 0; ok && at < text.size(); at += pieceSize)
    ok = converter.Feed(text.substr(at, pieceSize), r.records);
  r.ok = ok && converter.Finish(r.records);
  r.error = converter.Error();
  r.ticks = converter.Ticks();
  r.finding = converter.Found();
  r.sourceZone = converter.SourceZoneName();
  return r;
}

std::vector<std::string> RecordLines(const std::string& records) {
  std::vector<std::string> lines;
  size_t at = 0;
  while (at < records.size()) {
    size_t end = records.find("\r\n", at);
    if (end == std::string::npos) end = records.size();
    lines.push_back(records.substr(at, end - at));
    at = end + 2;
  }
  return lines;
}

}  // namespace tickvane::converter::test
