#include "settings/sierra_chart_search_win.h"

#include <windows.h>

#include <vector>

#include "settings/sierra_chart_folders.h"

namespace tickvane::settings {

bool IsExistingFolder(const std::wstring& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<std::wstring> FindSierraChartDataFolder() {
  // "C:\<NUL>D:\<NUL><NUL>"; the size asked for includes the last NUL.
  const DWORD size = ::GetLogicalDriveStringsW(0, nullptr);
  if (size == 0) return std::nullopt;
  std::vector<wchar_t> roots(size + 1, L'\0');
  if (::GetLogicalDriveStringsW(size, roots.data()) == 0) return std::nullopt;
  for (const wchar_t* root = roots.data(); *root; root += wcslen(root) + 1) {
    if (::GetDriveTypeW(root) != DRIVE_FIXED) continue;
    for (const std::wstring& folder : SierraChartDataCandidates(root))
      if (IsExistingFolder(folder)) return folder;
  }
  return std::nullopt;
}

}  // namespace tickvane::settings
