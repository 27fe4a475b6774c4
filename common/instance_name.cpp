#include "common/instance_name.h"

#include <cstdint>
#include <cwctype>

namespace tickvane {

std::wstring SingleInstanceName(std::wstring_view programName, std::wstring_view programPath) {
  // A path can be far longer than a kernel object name may be, so the name carries a hash of
  // the path (FNV-1a over the case-folded UTF-16 units) rather than the path itself.
  std::uint64_t hash = 14695981039346656037ull;
  for (wchar_t c : programPath) {
    if (c == L'/') c = L'\\';
    auto unit = static_cast<std::uint32_t>(std::towupper(static_cast<std::wint_t>(c))) & 0xFFFFu;
    hash = (hash ^ (unit & 0xFFu)) * 1099511628211ull;
    hash = (hash ^ (unit >> 8)) * 1099511628211ull;
  }
  static const wchar_t digits[] = L"0123456789abcdef";
  std::wstring name(programName);
  name += L".single-instance.";
  for (int shift = 60; shift >= 0; shift -= 4) name += digits[(hash >> shift) & 0xF];
  return name;
}

}  // namespace tickvane
