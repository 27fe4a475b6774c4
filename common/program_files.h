// The files the programs find in their own folder, as installed side by side.
#pragma once

#include <string>
#include <string_view>

namespace tickvane {

// The playback file that the converter writes and the station replays.
inline constexpr const wchar_t* kPlaybackFileName = L"practice.EPF";
// The help page that the station's Help button and the launcher's help label open.
inline constexpr const wchar_t* kHelpPageName = L"help.html";
// What opens it.
inline constexpr const wchar_t* kHelpProgram = L"explorer";

// The help page's address as explorer takes it: its path in the program folder, in quotes,
// because explorer would cut a path with blanks ("Program Files") into pieces.
std::wstring HelpPageAddress(std::wstring_view programFolder);

}  // namespace tickvane
