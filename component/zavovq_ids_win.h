// The identity under which zavovq.dll registers: the station finds it by the ProgID alone.
#pragma once

#include <windows.h>

namespace tickvane::zavovq {

inline constexpr wchar_t kProgId[] = L"zavovq";
inline constexpr wchar_t kClsidText[] = L"{E75FE61F-46AC-4D96-88F1-7651C0A474C3}";
inline constexpr CLSID kClsid = {0xe75fe61f, 0x46ac, 0x4d96, {0x88, 0xf1, 0x76, 0x51, 0xc0, 0xa4, 0x74, 0xc3}};
inline constexpr wchar_t kDescription[] = L"Tickvane chart-file writer";

}  // namespace tickvane::zavovq
