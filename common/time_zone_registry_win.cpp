#include "common/time_zone_registry_win.h"

#include <windows.h>

#include <algorithm>
#include <iterator>

#include "common/registry_win.h"
#include "common/win_text_win.h"

namespace tickvane {
namespace {

const wchar_t kZonesKey[] = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Time Zones";

std::optional<ZoneYearRules> ReadRules(HKEY key, const wchar_t* name) {
  std::optional<std::string> bytes = ReadRegistryBinary(key, name);
  if (!bytes) return std::nullopt;
  return ParseTzi(*bytes);
}

}  // namespace

std::vector<SystemTimeZone> SystemTimeZones() {
  std::vector<SystemTimeZone> zones;
  UniqueRegistryKey all = OpenRegistryKey(HKEY_LOCAL_MACHINE, kZonesKey);
  if (!all) return zones;
  for (DWORD i = 0;; ++i) {
    wchar_t name[256];
    DWORD length = static_cast<DWORD>(std::size(name));
    LSTATUS status = ::RegEnumKeyExW(all.get(), i, name, &length, nullptr, nullptr, nullptr, nullptr);
    if (status == ERROR_NO_MORE_ITEMS) break;
    if (status != ERROR_SUCCESS) continue;
    UniqueRegistryKey zone = OpenRegistryKey(all.get(), name);
    std::optional<ZoneYearRules> rules = ReadRules(zone.get(), L"TZI");
    if (!rules) continue;  // a zone whose rules cannot be read cannot be used either
    SystemTimeZone z;
    z.keyName = name;
    z.display = ReadRegistryString(zone.get(), L"Display").value_or(name);
    z.bias = rules->bias;
    zones.push_back(std::move(z));
  }
  std::sort(zones.begin(), zones.end(), [](const SystemTimeZone& a, const SystemTimeZone& b) {
    if (a.bias != b.bias) return a.bias > b.bias;
    return a.display < b.display;
  });
  return zones;
}

std::optional<ZoneRules> LoadTimeZone(const std::wstring& keyName) {
  // A name that holds a backslash would reach into another key.
  if (keyName.empty() || keyName.find(L'\\') != std::wstring::npos) return std::nullopt;
  UniqueRegistryKey zone = OpenRegistryKey(HKEY_LOCAL_MACHINE, std::wstring(kZonesKey) + L"\\" + keyName);
  if (!zone) return std::nullopt;
  std::optional<ZoneYearRules> base = ReadRules(zone.get(), L"TZI");
  if (!base) return std::nullopt;
  ZoneRules rules;
  rules.name = ToUtf8(keyName);
  rules.base = *base;
  UniqueRegistryKey dynamic = OpenRegistryKey(zone.get(), L"Dynamic DST");
  std::optional<DWORD> first = ReadRegistryDword(dynamic.get(), L"FirstEntry");
  std::optional<DWORD> last = ReadRegistryDword(dynamic.get(), L"LastEntry");
  if (first && last && *first <= *last && *last - *first < 1000) {
    for (DWORD year = *first; year <= *last; ++year) {
      const std::wstring value = std::to_wstring(year);
      if (std::optional<ZoneYearRules> r = ReadRules(dynamic.get(), value.c_str()))
        rules.years[static_cast<int>(year)] = *r;
    }
  }
  return rules;
}

}  // namespace tickvane
