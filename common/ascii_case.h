// Names of the station's controls and DDE items are ASCII and, like DDE names, compare without
// regard to the case of their letters.
#pragma once

#include <cstddef>
#include <string_view>

namespace tickvane {

inline bool EqualNoCase(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    wchar_t x = a[i], y = b[i];
    if (x >= L'A' && x <= L'Z') x = static_cast<wchar_t>(x - L'A' + L'a');
    if (y >= L'A' && y <= L'Z') y = static_cast<wchar_t>(y - L'A' + L'a');
    if (x != y) return false;
  }
  return true;
}

}  // namespace tickvane
