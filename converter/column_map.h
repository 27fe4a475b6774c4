// Which column of a recorded tick file holds what, read off its header line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tickvane::converter {

struct ColumnMap {
  static constexpr int kNone = -1;
  char separator = ',';
  int date = kNone;      // the trading day, or the date and the time together when time is kNone
  int time = kNone;
  int dateTime = kNone;  // one column holding both
  int price = kNone;     // the trade (last) price
  int volume = kNone;
  int symbol = kNone;
  int bid = kNone, ask = kNone;              // quotes
  int bidVolume = kNone, askVolume = kNone;  // the sizes quoted with them
  int columns = 0;       // how many the header names

  // The highest column a record line must reach.
  int LastNeeded() const;
};

// Reads the header line (without its line end). On failure returns false and says why in *problem.
// A header needs a date (or date-time) column and a price, bid or ask column.
bool ReadHeader(std::string_view line, ColumnMap& map, std::string* problem);

// The header's column names as ReadHeader compares them: lower case, without blanks, underscores,
// dashes, slashes, points and angle brackets (<DATE>, Trade_Time, Last Price, bid_px_00).
std::vector<std::string> HeaderKeys(std::string_view line, char separator);

// The separator of a line: the most frequent of comma, semicolon and tab (comma when none).
char GuessSeparator(std::string_view line);

// A symbol for files without a symbol column: the leading letters and digits of the file
// name, in capitals ("ibm-us-equity-trades.csv" gives IBM); "TICKS" when there are none.
std::string SymbolFromFileName(std::string_view fileName);

}  // namespace tickvane::converter
