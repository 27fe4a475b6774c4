// The system's folder picker.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace tickvane::settings {

struct PickedFolder {
  std::optional<std::wstring> folder;  // nothing when the user cancelled or the picker failed
  HRESULT error = S_OK;                // why the picker could not be shown, S_OK otherwise
};

// Shows the picker owned by that window, opened at start when that folder exists. Needs a
// single-threaded COM apartment on the calling thread.
PickedFolder PickFolder(HWND owner, const std::wstring& title, const std::wstring& start);

}  // namespace tickvane::settings
