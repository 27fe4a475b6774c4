// Where the chart file of a picked name lies: in the user's chart folder (Sierra Chart's data
// folder) as <name>.scid, so that Sierra Chart lists it, or beside the programs under the name itself.
#pragma once

#include <string>
#include <string_view>

namespace tickvane {

// chartFolder is the user's setting, empty when there is none; trailing separators are dropped.
std::wstring ChartFilePath(std::wstring_view chartFolder, std::wstring_view programFolder, std::wstring_view name);

// A folder given in full: "C:\..." or "\\server\share\...". A relative one would depend on the
// current folder of whichever program writes the chart.
bool IsFullFolderPath(std::wstring_view folder);

// Blanks at either end of a setting's text are no part of it.
std::wstring TrimmedSetting(std::wstring_view text);

}  // namespace tickvane
