#include "tests/windows/support/user_settings_scope_win.h"

#include <windows.h>

#include "common/registry_win.h"
#include "common/user_settings_win.h"

namespace tickvane::test {
namespace {

std::optional<std::wstring> Read(const wchar_t* name) {
  UniqueRegistryKey key = OpenRegistryKey(HKEY_CURRENT_USER, kSettingsKey);
  return ReadRegistryString(key.get(), name);
}

void Write(const wchar_t* name, const std::optional<std::wstring>& value) {
  if (value)
    WriteRegistryString(HKEY_CURRENT_USER, kSettingsKey, name, *value);
  else
    DeleteRegistryValue(HKEY_CURRENT_USER, kSettingsKey, name);
}

}  // namespace

UserSettingsScope::UserSettingsScope()
    : savedFolder_(Read(kChartFolderSetting)), savedZone_(Read(kRecordingTimeZoneSetting)) {
  Set(std::nullopt, std::nullopt);
}

UserSettingsScope::~UserSettingsScope() {
  Write(kChartFolderSetting, savedFolder_);
  Write(kRecordingTimeZoneSetting, savedZone_);
}

void UserSettingsScope::Set(std::optional<std::wstring> chartFolder, std::optional<std::wstring> recordingTimeZone) {
  Write(kChartFolderSetting, chartFolder);
  Write(kRecordingTimeZoneSetting, recordingTimeZone);
}

}  // namespace tickvane::test
