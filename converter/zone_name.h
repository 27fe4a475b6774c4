// Time-zone names as the user and the formats give them: a Windows time-zone key name
// ("Eastern Standard Time") or a fixed offset from UTC ("UTC", "UTC-05:00", "UTC+02:00").
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "common/time_zone.h"

namespace tickvane::converter {

// Minutes east of UTC of a fixed-offset name: UTC and GMT alone, or followed by a sign and hours
// (UTC-5, UTC-05, UTC-05:00, UTC-0500, UTC+05:30). Letter case and blanks around the sign do not
// matter. Nothing for any other name (a key name, or an offset beyond 14 hours).
std::optional<int> FixedOffsetMinutes(std::string_view name);

// The name of a fixed offset as FixedOffsetMinutes reads it: "UTC", "UTC-05:00", "UTC+05:30".
std::string FixedOffsetName(int minutesEastOfUtc);

// Where the rules of key names come from: the registry on Windows, made-up rules in tests.
struct ZoneDirectory {
  // The rules of a key name; nothing when the system does not know it.
  std::function<std::optional<ZoneRules>(std::string_view keyName)> find;
  // The key name of this computer's own zone (empty when it cannot be told).
  std::function<std::string()> thisComputer;
};

// The rules of a name: a fixed offset, else a key name looked up in the directory (none given:
// fixed offsets only).
std::optional<ZoneRules> ResolveZone(std::string_view name, const ZoneDirectory* directory);

}  // namespace tickvane::converter
