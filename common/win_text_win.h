// Text conversions and program locations on Windows.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace tickvane {

// Between UTF-16 and the 8-bit system code page (what DDE's CF_TEXT and our data files hold).
std::wstring FromAnsi(std::string_view text);
std::string ToAnsi(std::wstring_view text);
std::wstring FromUtf8(std::string_view text);
std::string ToUtf8(std::wstring_view text);

// Full path of a module's file (nullptr: the running program's), and the folder that holds it (no
// trailing backslash).
std::wstring ModuleFilePath(HMODULE module);
std::wstring FolderOf(std::wstring_view path);
std::wstring ProgramPath();
std::wstring ProgramDirectory();

// The words of the program's command line after its own name, as the C runtime would split them
// (quotes group, backslashes escape them).
std::vector<std::wstring> ProgramArguments();

// The system's text for an error code, followed by the code itself: "Access is denied. (error 5)".
std::wstring SystemErrorText(DWORD code);
// The same for an HRESULT: "Invalid class string (0x800401F3)".
std::wstring HResultText(HRESULT code);

// Current text of a window (a control's text or a window's caption).
std::wstring WindowText(HWND window);

}  // namespace tickvane
