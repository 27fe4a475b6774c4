// What a tick file was found to be: its layout (where each value stands and in which form), the
// time zone its times are in by the format's own documentation, the prices it holds and the
// symbol its name gives.
#pragma once

#include <cstdint>
#include <string>

#include "converter/column_map.h"
#include "converter/price_kind.h"

namespace tickvane::converter {

enum class WhenForm {
  DateAndTime,  // a date column and a time-of-day column (ParseDate, ParseTime)
  Text,         // one column: date and time, with or without a zone after it (ParseDateTimeWhen)
  Any,          // one column: that, or a count since 1970 (ParseAnyWhen)
  NinjaTrader,  // yyyyMMdd HHmmss[ fffffff]
  HistData,     // yyyyMMdd HHmmssNNN
  MillisOfDay,  // milliseconds after the midnight of the day the file name gives (LEAN)
};

struct Layout {
  static constexpr int kNone = ColumnMap::kNone;
  ColumnMap columns;   // columns.date holds the one date-time column of the one-column forms
  bool header = true;  // the first line that is not blank names the columns
  WhenForm when = WhenForm::DateAndTime;
  int flags = kNone;            // MetaTrader's FLAGS: bit 2 the bid changed, 4 the ask, 8 a trade
  int trades = kNone;           // trades per line (Sierra Chart): more than one makes the line a bar
  int action = kNone;           // Databento's action: T is a trade
  int priceDecimals = 0;        // prices are whole numbers of 10^-priceDecimals
  bool trimPriceZeros = false;  // prices written with all nine decimals (Databento) lose the zeros at the end
  bool carryQuotes = false;     // an empty bid or ask field means unchanged (MetaTrader)
  std::int64_t fileDay = 0;     // MillisOfDay: days since 1899-12-30
  int LastNeeded() const;
};

struct Finding {
  bool recognised = false;
  // When not: the first line that shows it, and why (a minute-bar file, a layout not known).
  std::uint64_t line = 1;
  std::string problem;

  std::string format;  // "NinjaTrader 8 tick export"
  Layout layout;
  bool scid = false;  // Sierra Chart's binary intraday file: no text layout

  // The zone the format's times are in: a key name or a fixed offset; empty with neither flag
  // set: taken as written, in whatever zone the playback is.
  std::string zone;
  bool zoneIsThisComputer = false;  // the exporting computer's own zone (taken to be this one)
  bool zoneAsked = false;           // a likely zone that the user should confirm
  std::string zoneWhy;              // "NinjaTrader 8 exports in UTC"
  bool timesCarryZone = false;      // counts since 1970, Z or offsets: the times say their zone

  bool hasLast = false, hasBid = false, hasAsk = false;
  PriceKind price = PriceKind::Last;  // taken unless the user picks another

  std::string symbol;  // the records' symbol when the file has no symbol column

  // How many lines that are not blank the finding looked at, and whether more of them could
  // change it (MetaTrader's trades show in some lines only).
  size_t linesSeen = 0;
  bool moreLinesHelp = false;
  bool HasPrice(PriceKind kind) const;
};

}  // namespace tickvane::converter
