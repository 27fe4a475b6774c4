// The time zones that Windows knows, read from the registry where Windows keeps their rules.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "common/time_zone.h"

namespace tickvane {

struct SystemTimeZone {
  std::wstring keyName;  // "Eastern Standard Time": what the settings store
  std::wstring display;  // "(UTC-05:00) Eastern Time (US & Canada)"
  int bias = 0;          // minutes west of UTC in standard time
};

// Every zone of the system, west to east, as Windows lists them.
std::vector<SystemTimeZone> SystemTimeZones();

// The rules of the zone with that key name (letter case does not matter); nothing when the system
// has no such zone or its rules cannot be read.
std::optional<ZoneRules> LoadTimeZone(const std::wstring& keyName);

}  // namespace tickvane
