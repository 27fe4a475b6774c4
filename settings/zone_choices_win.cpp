#include "settings/zone_choices_win.h"

#include <windows.h>

#include "settings/settings_texts.h"

namespace tickvane::settings {
namespace {

// Key names are compared as Windows compares registry key names: without regard to case.
bool SameKeyName(std::wstring_view a, std::wstring_view b) {
  return ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE) ==
         CSTR_EQUAL;
}

}  // namespace

ZoneChoices MakeZoneChoices(const std::vector<SystemTimeZone>& zones, std::wstring_view stored) {
  ZoneChoices choices;
  choices.entries.push_back({L"", kNoZoneEntry, true});
  for (const SystemTimeZone& zone : zones) {
    if (!stored.empty() && choices.selected == 0 && SameKeyName(zone.keyName, stored))
      choices.selected = choices.entries.size();
    choices.entries.push_back({zone.keyName, zone.display, true});
  }
  if (!stored.empty() && choices.selected == 0) {
    choices.selected = choices.entries.size();
    choices.entries.push_back({std::wstring(stored), std::wstring(stored) + L" (not a time zone of this system)", false});
  }
  return choices;
}

}  // namespace tickvane::settings
