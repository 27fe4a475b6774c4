#include "common/user_settings_win.h"

#include "common/chart_location.h"
#include "common/registry_win.h"

namespace tickvane {
namespace {

LSTATUS WriteOrRemove(const wchar_t* name, const std::wstring& value) {
  const std::wstring trimmed = TrimmedSetting(value);
  if (trimmed.empty()) return DeleteRegistryValue(HKEY_CURRENT_USER, kSettingsKey, name);
  return WriteRegistryString(HKEY_CURRENT_USER, kSettingsKey, name, trimmed);
}

}  // namespace

UserSettings ReadUserSettings() {
  UniqueRegistryKey key = OpenRegistryKey(HKEY_CURRENT_USER, kSettingsKey);
  UserSettings settings;
  settings.chartFolder = TrimmedSetting(ReadRegistryString(key.get(), kChartFolderSetting).value_or(L""));
  settings.recordingTimeZone = TrimmedSetting(ReadRegistryString(key.get(), kRecordingTimeZoneSetting).value_or(L""));
  return settings;
}

LSTATUS WriteUserSettings(const UserSettings& settings) {
  LSTATUS status = WriteOrRemove(kChartFolderSetting, settings.chartFolder);
  if (status != ERROR_SUCCESS) return status;
  return WriteOrRemove(kRecordingTimeZoneSetting, settings.recordingTimeZone);
}

std::wstring ChartFilePath(const UserSettings& settings, const std::wstring& programFolder, const std::wstring& name) {
  return ChartFilePath(settings.chartFolder, programFolder, name);
}

}  // namespace tickvane
