// The user's settings of the toolset, under HKEY_CURRENT_USER\Software\Tickvane: where Sierra
// Chart reads chart files, and in which time zone the recorded ticks were taken. Both may be
// absent: the chart file then lies beside the programs and its times are written as recorded.
#pragma once

#include <windows.h>

#include <string>

namespace tickvane {

inline constexpr wchar_t kSettingsKey[] = L"Software\\Tickvane";
inline constexpr wchar_t kSettingsKeyFull[] = L"HKEY_CURRENT_USER\\Software\\Tickvane";
inline constexpr wchar_t kChartFolderSetting[] = L"ChartFolder";
inline constexpr wchar_t kRecordingTimeZoneSetting[] = L"RecordingTimeZone";

struct UserSettings {
  std::wstring chartFolder;        // empty: the program folder
  std::wstring recordingTimeZone;  // a Windows time-zone key name; empty: no shift
};

// Blanks around a value are dropped; a missing value is empty.
UserSettings ReadUserSettings();

// Writes both; an empty one is removed. The system's error code, ERROR_SUCCESS when done.
LSTATUS WriteUserSettings(const UserSettings& settings);

// Where the chart file of the picked name lies under these settings.
std::wstring ChartFilePath(const UserSettings& settings, const std::wstring& programFolder, const std::wstring& name);

}  // namespace tickvane
