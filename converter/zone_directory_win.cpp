#include "converter/zone_directory_win.h"

#include <windows.h>

#include "common/time_zone_registry_win.h"
#include "common/win_text_win.h"

namespace tickvane::converter {

std::string ThisComputerZone() {
  DYNAMIC_TIME_ZONE_INFORMATION zone{};
  if (::GetDynamicTimeZoneInformation(&zone) == TIME_ZONE_ID_INVALID) return {};
  return ToUtf8(zone.TimeZoneKeyName);
}

ZoneDirectory SystemZoneDirectory() {
  ZoneDirectory d;
  d.find = [](std::string_view keyName) { return LoadTimeZone(FromUtf8(keyName)); };
  d.thisComputer = [] { return ThisComputerZone(); };
  return d;
}

}  // namespace tickvane::converter
