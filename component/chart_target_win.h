// Where a chart file goes and how its times are written: the picked name and the user's settings
// (ChartFolder, RecordingTimeZone under HKEY_CURRENT_USER\Software\Tickvane).
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "common/time_zone.h"

namespace tickvane::zavovq {

struct ChartTarget {
  std::wstring path;
  std::optional<ZoneRules> recordingZone;  // the ticks' times are local times of this zone
  std::wstring folderSetting;              // the ChartFolder it lies in, empty for the program folder
};

struct TargetOutcome {
  std::optional<ChartTarget> target;
  std::wstring error;  // why there is none: a refused name or a setting that cannot be used
  HRESULT code = S_OK;
};

// Reads the settings afresh. A chart folder that does not exist, is no folder or is not given in
// full, and a zone the system does not know, are refused naming the setting and its value: the
// chart is then written nowhere, rather than somewhere the user did not choose.
TargetOutcome ResolveChartTarget(const std::wstring& chartFileName);

}  // namespace tickvane::zavovq
