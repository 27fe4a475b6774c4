// The converter's own texts.
#pragma once

namespace tickvane::converter {

inline constexpr const wchar_t* kProgramTitle = L"Genvane";
inline constexpr const wchar_t* kStationProgram = L"Tickvane";
inline constexpr const wchar_t* kPlaybackFileName = L"practice.EPF";
inline constexpr const wchar_t* kSampleFileName = L"ibm-us-equity-trades-20131007-20131008.csv";
// Window classes, by which automation tools and our tests find the windows.
inline constexpr const wchar_t* kProgressWindowClass = L"GenvaneProgress";
inline constexpr int kCancelButtonId = 200;
inline constexpr int kProgressBarId = 201;

}  // namespace tickvane::converter
