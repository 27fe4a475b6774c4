#include "settings/sierra_chart_folders.h"

namespace tickvane::settings {

std::vector<std::wstring> SierraChartDataCandidates(std::wstring_view driveRoot) {
  std::wstring root(driveRoot);
  if (root.empty() || (root.back() != L'\\' && root.back() != L'/')) root += L'\\';
  std::vector<std::wstring> folders;
  folders.push_back(root + L"SierraChart\\Data");
  // A second or third installation gets a number; the installer offers up to 9.
  for (wchar_t n = L'2'; n <= L'9'; ++n) folders.push_back(root + L"SierraChart" + n + L"\\Data");
  folders.push_back(root + L"Program Files\\SierraChart\\Data");
  folders.push_back(root + L"Program Files (x86)\\SierraChart\\Data");
  return folders;
}

}  // namespace tickvane::settings
