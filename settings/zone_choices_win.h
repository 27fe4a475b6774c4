// The entries of the settings window's zone list: none first, then the system's zones west to
// east, and the one that the settings name picked.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/time_zone_registry_win.h"

namespace tickvane::settings {

struct ZoneChoice {
  std::wstring keyName;  // what the setting stores; empty for none
  std::wstring text;     // what the list shows
  bool known = true;     // false for a stored name that the system does not have
};

struct ZoneChoices {
  std::vector<ZoneChoice> entries;
  size_t selected = 0;
};

// A stored name that no zone of the system has still gets an entry, so that the user sees what
// is set; it is marked as unknown.
ZoneChoices MakeZoneChoices(const std::vector<SystemTimeZone>& zones, std::wstring_view stored);

}  // namespace tickvane::settings
