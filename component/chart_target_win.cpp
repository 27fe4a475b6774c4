#include "component/chart_target_win.h"

#include "common/chart_location.h"
#include "common/time_zone_registry_win.h"
#include "common/user_settings_win.h"
#include "common/win_text_win.h"
#include "component/chart_file_name.h"
#include "component/zavovq_module_win.h"

namespace tickvane::zavovq {
namespace {

TargetOutcome Refused(std::wstring error) {
  TargetOutcome out;
  out.error = std::move(error);
  out.code = E_INVALIDARG;
  return out;
}

std::wstring Setting(const wchar_t* name, const std::wstring& value) {
  return std::wstring(L"The setting ") + name + L" (" + kSettingsKeyFull + L") is \"" + value + L"\"";
}

std::optional<std::wstring> ChartFolderProblem(const std::wstring& folder) {
  if (!IsFullFolderPath(folder))
    return Setting(kChartFolderSetting, folder) + L", which is no full folder path (such as C:\\SierraChart\\Data).";
  const DWORD attributes = ::GetFileAttributesW(folder.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES)
    return Setting(kChartFolderSetting, folder) + L", but that folder cannot be reached: " +
           SystemErrorText(::GetLastError()) + L".";
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY))
    return Setting(kChartFolderSetting, folder) + L", which is a file, not a folder.";
  return std::nullopt;
}

}  // namespace

TargetOutcome ResolveChartTarget(const std::wstring& chartFileName) {
  if (auto problem = chart::ChartFileNameProblem(chartFileName))
    return Refused(L"The chart-file name \"" + chartFileName + L"\" is refused: " + *problem +
                   L". The chart file is written only in the chart folder, under a plain file name.");
  const UserSettings settings = ReadUserSettings();
  ChartTarget target;
  if (!settings.chartFolder.empty()) {
    if (auto problem = ChartFolderProblem(settings.chartFolder)) return Refused(*problem);
    target.folderSetting = settings.chartFolder;
  }
  if (!settings.recordingTimeZone.empty()) {
    target.recordingZone = LoadTimeZone(settings.recordingTimeZone);
    if (!target.recordingZone)
      return Refused(Setting(kRecordingTimeZoneSetting, settings.recordingTimeZone) +
                     L", which is no time zone of this system (such as Eastern Standard Time).");
  }
  target.path = ChartFilePath(settings, ModuleDirectory(), chartFileName);
  TargetOutcome out;
  out.target = std::move(target);
  return out;
}

}  // namespace tickvane::zavovq
