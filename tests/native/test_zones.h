// Zone rules as Windows keeps them, made from their REG_TZI_FORMAT values (the bytes under
// HKLM\...\Time Zones\<zone>, TZI and Dynamic DST), so that tests need no registry.
#pragma once

#include <string>

#include "common/time_zone.h"

namespace tickvane::test {

// The bytes of a value written as comma-separated hex, as regedit exports it.
std::string TziBytes(const char* hex);

// Eastern's TZI since 2007, the bytes a correct value has.
extern const char kEastern2007Tzi[];

// Eastern (New York): second Sunday of March 2:00 to first Sunday of November 2:00 since 2007,
// first Sunday of April to last Sunday of October before (entries from 2000).
ZoneRules EasternZone();
// GTB (Athens, Bucharest): UTC+2 and European summer time, what MetaTrader brokers keep.
ZoneRules GtbZone();
// AUS Eastern (Sydney): first Sunday of April 3:00 to first Sunday of October 2:00.
ZoneRules SydneyZone();
// Tokyo: no daylight saving.
ZoneRules TokyoZone();

}  // namespace tickvane::test
