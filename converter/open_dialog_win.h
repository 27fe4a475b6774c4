// Asking the user for the recorded tick files to convert: the open-file dialog, several files at
// once, with what Genvane finds in the picked file shown below its list (finding_panel_win.h).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "converter/finding_panel_win.h"

namespace tickvane::converter {

struct TickFilePick {
  std::vector<std::wstring> files;
  FindingChoices choices;
};

// The dialog starts in folder with suggested (a file name in it) offered first when that file
// exists. playbackZone: the zone the playback file is written in (empty: none), with its rules
// when known, for the panel. nullopt when the user cancels.
std::optional<TickFilePick> AskForTickFiles(const std::wstring& folder, const std::wstring& suggested,
                                            const std::string& playbackZone, const ZoneRules* playbackRules);

}  // namespace tickvane::converter
