// How a test drives the DDE test server: WM_COPYDATA sent to its message-only window.
// SendMessage returns once the server has acted, advises included, which orders the test's
// changes with what it then asks the server.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tickvane::testing {

inline constexpr wchar_t kTestServerClass[] = L"TickvaneDdeTestServer";

enum class TestServerCommand : ULONG_PTR {
  SetItems = 1,  // UTF-16 records "item" US "text" separated by RS; applied in order
  SetTopic = 2,  // UTF-16 topic
  Quit = 3,      // no data
  Headroom = 4,  // no data; answers the server's movable memory headroom
};

// Separators that no test value uses, so that values may hold tabs and line breaks.
inline constexpr wchar_t kRecordSeparator = L'\x1e';
inline constexpr wchar_t kUnitSeparator = L'\x1f';

using ItemChange = std::pair<std::wstring, std::wstring>;

inline std::wstring EncodeChanges(const std::vector<ItemChange>& changes) {
  std::wstring out;
  for (const auto& [item, text] : changes) {
    if (!out.empty()) out += kRecordSeparator;
    out += item;
    out += kUnitSeparator;
    out += text;
  }
  return out;
}

inline std::vector<ItemChange> DecodeChanges(std::wstring_view data) {
  std::vector<ItemChange> changes;
  while (!data.empty()) {
    size_t end = data.find(kRecordSeparator);
    std::wstring_view record = data.substr(0, end);
    size_t unit = record.find(kUnitSeparator);
    if (unit != std::wstring_view::npos)
      changes.emplace_back(std::wstring(record.substr(0, unit)), std::wstring(record.substr(unit + 1)));
    if (end == std::wstring_view::npos) break;
    data.remove_prefix(end + 1);
  }
  return changes;
}

}  // namespace tickvane::testing
