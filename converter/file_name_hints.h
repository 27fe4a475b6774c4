// What tick files say in their names: NinjaTrader's instrument and price series (ES 12-13.Last.txt),
// HistData's pair and series (DAT_NT_EURUSD_T_BID_201310.csv), LEAN's day and symbol
// (20131008_spy_trade_tick.csv), Sierra Chart's symbol (ESZ13-BarData.txt).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "converter/price_kind.h"

namespace tickvane::converter {

// The name without its folder, and without its last extension.
std::string_view BaseName(std::string_view path);
std::string_view Stem(std::string_view path);

struct NamedSeries {
  std::string symbol;
  std::optional<PriceKind> side;  // Last, Bid or Ask when the name says which
};

// NinjaTrader: the stem, less a trailing .Last, .Bid or .Ask (any letter case), which says the side.
NamedSeries NinjaTraderName(std::string_view path);

// HistData: DAT_<platform>_<PAIR>_..., with T_LAST, T_BID or T_ASK for the tick series.
std::optional<NamedSeries> HistDataName(std::string_view path);
// Whether the name is HistData's NinjaTrader-layout one (DAT_NT_...).
bool IsHistDataNinjaTraderName(std::string_view path);

struct LeanName {
  std::int64_t day = 0;  // days since 1899-12-30
  std::string symbol;    // in capitals; from the folder when the name has none (20131008_trade.csv)
  bool quote = false;    // the name says quote (else trade, or nothing)
};
// YYYYMMDD_symbol_Trade_Tick.csv, YYYYMMDD_symbol_quote_tick.csv, or YYYYMMDD_trade.csv in the
// symbol's folder.
std::optional<LeanName> LeanFileName(std::string_view path);

// Sierra Chart's "Write Bar and Study Data To File": <symbol>-BarData.txt.
std::optional<std::string> SierraBarDataSymbol(std::string_view path);

}  // namespace tickvane::converter
