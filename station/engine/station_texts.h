// The station's own texts: captions, messages and design texts, exactly as users see them.
#pragma once

namespace tickvane {

inline constexpr const wchar_t* kProgramName = L"Tickvane";
inline constexpr const wchar_t* kProgramTitle = L"zavo";  // caption of the station's message boxes
inline constexpr const wchar_t* kContactAddress = L"support@tickvane.example";
inline constexpr const wchar_t* kMainWindowCaption = L"DDE support@tickvane.example";
inline constexpr const wchar_t* kDesignTopic = L"LinkTopic";
// Window classes, by which automation tools and our tests find the windows.
inline constexpr const wchar_t* kMainWindowClass = L"TickvaneFrmzavo";
inline constexpr const wchar_t* kChooserWindowClass = L"TickvaneFilename";

inline constexpr const wchar_t* kSierraStartNotice =
    L"If you have not done so, please start your SierraCharting program now.";
inline constexpr const wchar_t* kEsignalNoticeBefore = L"The file: ";
inline constexpr const wchar_t* kEsignalNoticeAfter = L" has beed created for Esignal playback.";
inline constexpr const wchar_t* kChooserExplanation =
    L"You can map your playback instrument to any one of these files. The file: vqfile.mnd is only "
    L"for sierra subscribers.";
inline constexpr const wchar_t* kExitQuestion = L"Are you sure you want to exit the playback program?";
inline constexpr const wchar_t* kWrongSpeed = L"Wrong input of playback speed.";
inline constexpr const wchar_t* kWrongDataFormat = L"Wrong data format.";
inline constexpr const wchar_t* kClosingMessage = L"This playback session has been done. Happy trading!";
// Design texts that the station puts back after a bad entry.
inline constexpr const wchar_t* kDesignSpeed = L"2";
inline constexpr const wchar_t* kDesignTicks = L"1000";
inline constexpr const wchar_t* kDesignMinutes = L"9";
inline constexpr const wchar_t* kStatusSierra =
    L"Yor are using Sierra playback and the playback file name is ";
inline constexpr const wchar_t* kStatusDdeOnly = L"You are using DDE Server only. ";
inline constexpr const wchar_t* kPauseTooltip = L"Click here to pause the program!";

}  // namespace tickvane
