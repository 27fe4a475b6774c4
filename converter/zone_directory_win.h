// The time zones of this computer for the converter: their rules from the registry, and the
// computer's own zone.
#pragma once

#include <string>

#include "converter/zone_name.h"

namespace tickvane::converter {

// Names are UTF-8; key names are looked up with common/time_zone_registry_win.h.
ZoneDirectory SystemZoneDirectory();

// The key name of the zone this computer runs in (empty when the system does not say).
std::string ThisComputerZone();

}  // namespace tickvane::converter
