// The settings window's own texts, exactly as users see them.
#pragma once

namespace tickvane::settings {

// The caption of the window and of its message boxes, by which users and tests find them.
inline constexpr const wchar_t* kTitle = L"Tickvane Settings";

// The first entry of the zone list: no zone, so no shift.
inline constexpr const wchar_t* kNoZoneEntry = L"None: times are written as recorded";

}  // namespace tickvane::settings
