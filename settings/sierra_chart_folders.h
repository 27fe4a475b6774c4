// Where Sierra Chart keeps its chart files when it was installed the usual way: its Data folder
// in SierraChart (or SierraChart2 ... SierraChart9 beside further installations) at the root of
// a drive, or in Program Files.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tickvane::settings {

// The usual Data folders on the drive with that root ("C:\"), the most likely first.
std::vector<std::wstring> SierraChartDataCandidates(std::wstring_view driveRoot);

}  // namespace tickvane::settings
