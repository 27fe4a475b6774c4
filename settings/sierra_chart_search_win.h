// Looks for an installed Sierra Chart's Data folder on the fixed drives.
#pragma once

#include <optional>
#include <string>

namespace tickvane::settings {

// The first usual Data folder that exists, drive by drive from A: on; nothing when there is none.
// Only fixed drives are looked at: a floppy, CD or network drive would make the search slow or
// ask for a disk.
std::optional<std::wstring> FindSierraChartDataFolder();

// Whether the path names an existing folder (not a file).
bool IsExistingFolder(const std::wstring& path);

}  // namespace tickvane::settings
