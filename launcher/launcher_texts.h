// The launcher's own texts: captions and messages, exactly as users see them.
#pragma once

namespace tickvane::launcher {

inline constexpr const wchar_t* kProgramName = L"Portvane";
inline constexpr const wchar_t* kProgramTitle = L"vq";  // caption of the launcher's message boxes
inline constexpr const wchar_t* kCaption = L"ZavoPlayBackStartMenu  support@tickvane.example";
// The window class, by which automation tools and our tests find the window.
inline constexpr const wchar_t* kWindowClass = L"PortvaneForm1";

inline constexpr const wchar_t* kConverterProgram = L"Genvane";

inline constexpr const wchar_t* kSierraQuestion = L"Are you sure you want to start sierra playback?";
inline constexpr const wchar_t* kSierraNotice =
    L"To run this playback program, you have to keep SierraChart running. If you have done so, please start "
    L"it now.";
inline constexpr const wchar_t* kTickvaneQuestion =
    L"Are you sure you want to generate a playback file and start DDE Server?";
inline constexpr const wchar_t* kEsignalQuestion = L"Are you sure you want to generate esignal a playback file?";

}  // namespace tickvane::launcher
