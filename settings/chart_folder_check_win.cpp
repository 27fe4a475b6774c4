#include "settings/chart_folder_check_win.h"

#include <windows.h>

#include "common/chart_location.h"
#include "common/win_text_win.h"

namespace tickvane::settings {

std::optional<std::wstring> ChartFolderProblem(const std::wstring& folder) {
  if (folder.empty())
    return std::wstring(L"No chart folder is given. Type it or pick it with Browse..., or choose to keep the "
                        L"chart files beside the Tickvane programs.");
  const std::wstring quoted = L"\"" + folder + L"\"";
  if (!IsFullFolderPath(folder))
    return L"The chart folder " + quoted +
           L" is not a full folder path. Give it from the drive on, such as C:\\SierraChart\\Data.";
  const DWORD attributes = ::GetFileAttributesW(folder.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = ::GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
      return L"The chart folder " + quoted + L" does not exist. Pick the Data Files folder that Sierra Chart uses.";
    return L"The chart folder " + quoted + L" cannot be reached: " + SystemErrorText(error);
  }
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return L"The chart folder " + quoted + L" is a file, not a folder.";
  return std::nullopt;
}

}  // namespace tickvane::settings
