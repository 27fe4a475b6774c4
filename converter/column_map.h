// Which column of a recorded tick file holds what, read off its header line.
#pragma once

#include <string>
#include <string_view>

namespace tickvane::converter {

struct ColumnMap {
  static constexpr int kNone = -1;
  char separator = ',';
  int date = kNone;      // the trading day, or the date and the time together when time is kNone
  int time = kNone;
  int dateTime = kNone;  // one column holding both
  int price = kNone;
  int volume = kNone;
  int symbol = kNone;
  int columns = 0;       // how many the header names

  // The highest column a record line must reach.
  int LastNeeded() const;
};

// Reads the header line (without its line end). On failure returns false and says why in *problem.
bool ReadHeader(std::string_view line, ColumnMap& map, std::string* problem);

// A symbol for files without a symbol column: the leading letters and digits of the file
// name, in capitals ("ibm-us-equity-trades.csv" gives IBM); "TICKS" when there are none.
std::string SymbolFromFileName(std::string_view fileName);

}  // namespace tickvane::converter
