// Name of the kernel object that keeps a second copy of a program from running.
#pragma once

#include <string>
#include <string_view>

namespace tickvane {

// Copies started from the same program file (whatever the letter case of its path, since Windows
// paths are case-insensitive) get the same name; copies in other folders get another one.
// The name holds no backslash, so it stays in the session's own namespace.
std::wstring SingleInstanceName(std::wstring_view programName, std::wstring_view programPath);

}  // namespace tickvane
