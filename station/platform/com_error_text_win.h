// Texts for COM failures.
#pragma once

#include <windows.h>

#include <string>

namespace tickvane {

// The system's text for an HRESULT, followed by the code: "Invalid class string (0x800401F3)".
std::wstring HResultText(HRESULT code);

}  // namespace tickvane
