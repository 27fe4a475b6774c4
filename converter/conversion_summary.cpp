#include "converter/conversion_summary.h"

namespace tickvane::converter {

std::string ReadZoneText(const Finding& finding, std::string_view sourceZone) {
  if (finding.timesCarryZone) return "as the times say (UTC)";
  if (sourceZone.empty()) return "as written (no zone)";
  return std::string(sourceZone);
}

std::string WriteZoneText(std::string_view playbackZone) {
  return playbackZone.empty() ? std::string("as read") : std::string(playbackZone);
}

std::string DescribeConversion(const Finding& finding, std::string_view sourceZone, std::string_view playbackZone,
                               PriceKind price) {
  std::string text = finding.format;
  text += "; times read ";
  std::string read = ReadZoneText(finding, sourceZone);
  if (read.rfind("as ", 0) != 0) text += "in ";
  text += read;
  text += ", written ";
  if (!playbackZone.empty()) text += "in ";
  text += WriteZoneText(playbackZone);
  text += "; price: ";
  text += PriceKindName(price);
  return text;
}

}  // namespace tickvane::converter
