// Whether a chart folder that the user typed or picked can be used, checked the way the chart-file
// writer will check it when a replay starts.
#pragma once

#include <optional>
#include <string>

namespace tickvane::settings {

// Nothing when the folder is given in full and exists as a folder; otherwise what is wrong, in a
// sentence that names the folder.
std::optional<std::wstring> ChartFolderProblem(const std::wstring& folder);

}  // namespace tickvane::settings
