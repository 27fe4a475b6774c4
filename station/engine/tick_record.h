// The three fields of a record line that the station uses.
#pragma once

#include <string_view>

namespace tickvane {

// Field texts exactly as the file holds them (8-bit, system code page), spaces trimmed at both
// ends. Tabs and every other byte stay as they are.
//
// The texts are views into the reader's memory, valid until its next ReadLine: a record is
// shown, written or appended to a batch before the next line is read, so copying three strings
// per record (half the time of reading a file) would buy nothing. Keep a record longer by
// copying its texts.
struct TickRecord {
  std::string_view tickDate;
  std::string_view tickTime;
  std::string_view tickPrice;

  friend bool operator==(const TickRecord&, const TickRecord&) = default;
};

}  // namespace tickvane
