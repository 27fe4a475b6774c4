// The three fields of a record line that the station uses.
#pragma once

#include <string>

namespace tickvane {

// Field texts exactly as the file holds them (8-bit, system code page), spaces trimmed at both
// ends. Tabs and every other byte stay as they are.
struct TickRecord {
  std::string tickDate;
  std::string tickTime;
  std::string tickPrice;

  friend bool operator==(const TickRecord&, const TickRecord&) = default;
};

}  // namespace tickvane
