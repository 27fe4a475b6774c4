// What a conversion did, in words for people: for the playback file's header, Genvane's dialog
// and tickconvert's output.
#pragma once

#include <string>
#include <string_view>

#include "converter/price_kind.h"
#include "converter/tick_format.h"

namespace tickvane::converter {

// The zone the times are read in: "UTC", "Eastern Standard Time", "as written (no zone)", or
// "as the times say (UTC)" for times that carry their own offset.
std::string ReadZoneText(const Finding& finding, std::string_view sourceZone);

// The zone they are written in: the playback zone's name, or "as read" without one.
std::string WriteZoneText(std::string_view playbackZone);

// "NinjaTrader 8 tick export; times read in UTC, written in Eastern Standard Time; price: last".
std::string DescribeConversion(const Finding& finding, std::string_view sourceZone, std::string_view playbackZone,
                               PriceKind price);

}  // namespace tickvane::converter
