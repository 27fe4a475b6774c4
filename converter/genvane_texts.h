// The converter's own texts.
#pragma once

namespace tickvane::converter {

inline constexpr const wchar_t* kProgramTitle = L"Genvane";
inline constexpr const wchar_t* kStationProgram = L"Tickvane";
inline constexpr const wchar_t* kSampleFileName = L"ibm-us-equity-trades-20131007-20131008.csv";
// Window classes, by which automation tools and our tests find the windows.
inline constexpr const wchar_t* kProgressWindowClass = L"GenvaneProgress";
inline constexpr int kCancelButtonId = 200;
inline constexpr int kProgressBarId = 201;
inline constexpr int kProgressTextId = 202;  // ticks done and how far into which file
// What the open-file dialog shows of the picked file before converting it.
inline constexpr int kFindingPanelId = 300;   // the panel below the dialog's own controls
inline constexpr int kFindingFormatId = 301;  // the format found (or why there is none)
inline constexpr int kFindingReadZoneId = 302;   // combo box: the zone the times are read in
inline constexpr int kFindingWriteZoneId = 303;  // the zone they are written in
inline constexpr int kFindingPriceId = 304;   // combo box: the price taken
inline constexpr int kFindingSymbolId = 305;  // combo box: the symbol
inline constexpr int kFindingTicksId = 306;   // the first ticks as they will replay
inline constexpr int kFindingZoneWhyId = 307;  // why the times are taken to be in that zone

}  // namespace tickvane::converter
