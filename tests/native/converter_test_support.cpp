#include "tests/native/converter_test_support.h"

namespace tickvane::converter::test {

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

}  // namespace tickvane::converter::test
