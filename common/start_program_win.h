// Starting another program by a command line, without waiting for it.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace tickvane {

// Starts the command line "program" or "program arguments" (program being a bare name such as
// Genvane) the way the system's own search finds programs: the folder of the running program
// first, then the current folder, the system folders and the PATH. showCommand is how the
// started program's first window appears (SW_SHOWNORMAL, SW_SHOWMINIMIZED); it may take the
// focus. On failure returns false with the system's error code in *error.
bool StartProgram(std::wstring_view program, std::wstring_view arguments, int showCommand, DWORD* error);

}  // namespace tickvane
