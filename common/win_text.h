// Text conversions and program locations on Windows.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace tickvane {

// Between UTF-16 and the 8-bit system code page (what DDE's CF_TEXT and our data files hold).
std::wstring FromAnsi(std::string_view text);
std::string ToAnsi(std::wstring_view text);
std::wstring FromUtf8(std::string_view text);
std::string ToUtf8(std::wstring_view text);

// Full path of the running program file, and the folder that holds it (no trailing backslash).
std::wstring ProgramPath();
std::wstring ProgramDirectory();

// The system's text for an error code, followed by the code itself: "Access is denied. (error 5)".
std::wstring SystemErrorText(DWORD code);

// Current text of a window (a control's text or a window's caption).
std::wstring WindowText(HWND window);

}  // namespace tickvane
