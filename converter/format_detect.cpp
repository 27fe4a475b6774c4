#include "converter/format_detect.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "converter/file_name_hints.h"
#include "converter/tick_fields.h"
#include "converter/tick_time.h"

namespace tickvane::converter {
namespace {

constexpr int N = Layout::kNone;

struct Line {
  std::uint64_t number = 0;
  std::string_view text;
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool AllDigits(std::string_view text) { return !text.empty() && std::all_of(text.begin(), text.end(), IsDigit); }

// A decimal number as tick files write prices: digits with at most one point or decimal comma.
bool IsNumber(std::string_view text) {
  char buffer[64];
  std::string_view normal;
  return text.size() < sizeof buffer && NormalizeNumber(text, true, buffer, &normal);
}

// Digits and separators in a pattern: 9 a digit, anything else itself.
bool Matches(std::string_view text, std::string_view pattern) {
  if (text.size() != pattern.size()) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    if (pattern[i] == '9' ? !IsDigit(text[i]) : text[i] != pattern[i]) return false;
  }
  return true;
}

// The first lines that are not blank, without their line ends.
std::vector<Line> FirstLines(std::string_view text, bool complete) {
  std::vector<Line> lines;
  std::uint64_t number = 0;
  size_t start = 0;
  while (start < text.size() && lines.size() < kDetectionLines) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos && !complete) break;  // cut short: looked at once more is known
    std::string_view line = text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
    ++number;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.find_first_not_of(" \t") != std::string_view::npos) lines.push_back({number, line});
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return lines;
}

std::vector<std::string_view> Fields(std::string_view line, char sep) { return SplitFields(line, sep); }

int KeyIndex(const std::vector<std::string>& keys, std::string_view name) {
  for (size_t i = 0; i < keys.size(); ++i)
    if (keys[i] == name) return static_cast<int>(i);
  return N;
}

bool HasKey(const std::vector<std::string>& keys, std::string_view name) { return KeyIndex(keys, name) != N; }

Finding Refuse(std::uint64_t line, std::string problem) {
  Finding f;
  f.line = line;
  f.problem = std::move(problem);
  return f;
}

void SetPrices(Finding& f) {
  const ColumnMap& c = f.layout.columns;
  f.hasLast = c.price != N;
  f.hasBid = c.bid != N;
  f.hasAsk = c.ask != N;
  f.price = f.hasLast ? PriceKind::Last : f.hasBid ? PriceKind::Bid : PriceKind::Ask;
}

std::string NameSymbol(std::string_view fileName) {
  return fileName.empty() ? std::string() : SymbolFromFileName(fileName);
}

// ---- Files without a header line ------------------------------------------------------------

bool NinjaTraderStamp(std::string_view f) {
  if (f.size() < 15 || !Matches(f.substr(0, 15), "99999999 999999")) return false;
  return f.size() == 15 || (f.size() >= 17 && f.size() <= 23 && f[15] == ' ' && AllDigits(f.substr(16)));
}

// NinjaTrader's text layouts, and HistData's files made in them or in its own tick layout.
std::optional<Finding> NinjaTraderFamily(const Line& first, std::string_view fileName) {
  const char sep = first.text.find(';') != std::string_view::npos ? ';' : ',';
  std::vector<std::string_view> fields = Fields(first.text, sep);
  const std::string_view stamp = fields[0];
  const bool histDataName = HistDataName(fileName).has_value();
  const size_t n = fields.size();

  if (Matches(stamp, "99999999 999999999") && sep == ',' && n == 4) {
    Finding f;
    f.recognised = true;
    f.format = "HistData generic ASCII ticks";
    f.layout.header = false;
    f.layout.when = WhenForm::HistData;
    f.layout.columns.separator = ',';
    f.layout.columns.date = 0;
    f.layout.columns.bid = 1;
    f.layout.columns.ask = 2;
    f.layout.columns.volume = 3;
    f.layout.columns.columns = 4;
    f.zone = "UTC-05:00";
    f.zoneWhy = "HistData writes Eastern Standard Time without daylight saving";
    std::optional<NamedSeries> name = HistDataName(fileName);
    f.symbol = name ? name->symbol : NameSymbol(fileName);
    SetPrices(f);
    return f;
  }
  TickDate day;
  if (Matches(stamp, "99999999") && ParseDate(stamp, day) && (n == 6 || n == 7)) {
    return Refuse(first.number,
                  "this is a file of day bars (date;open;high;low;close;volume), not of ticks: "
                  "export or download its ticks instead");
  }
  if (!NinjaTraderStamp(stamp)) return std::nullopt;
  const bool fraction = stamp.size() > 15;
  if (n == 6 && !fraction) {
    return Refuse(first.number, std::string("this is a file of one-minute bars (") +
                                    (histDataName ? "HistData, " : "NinjaTrader layout, ") +
                                    "date time;open;high;low;close;volume), not of ticks: " +
                                    (histDataName ? "download HistData's tick data instead"
                                                  : "export the ticks instead (NinjaTrader: Historical Data, Export, "
                                                    "Tick)"));
  }
  if (n != 3 && n != 5) {
    return Refuse(first.number, "the line has " + std::to_string(n) +
                                    " fields; a NinjaTrader tick line has 3 (time;price;volume) or 5 "
                                    "(time;last;bid;ask;volume)");
  }
  Finding f;
  f.recognised = true;
  Layout& l = f.layout;
  l.header = false;
  l.when = WhenForm::NinjaTrader;
  l.columns.separator = sep;
  l.columns.date = 0;
  l.columns.columns = static_cast<int>(n);
  std::optional<PriceKind> side;
  if (histDataName) {
    std::optional<NamedSeries> name = HistDataName(fileName);
    f.format = "HistData tick file in NinjaTrader layout";
    f.zone = "UTC-05:00";
    f.zoneWhy = "HistData writes Eastern Standard Time without daylight saving";
    f.symbol = name->symbol;
    side = name->side;
  } else {
    NamedSeries name = NinjaTraderName(fileName);
    f.symbol = name.symbol;
    side = name.side;
    if (fraction) {
      f.format = "NinjaTrader 8 tick export";
      f.zone = "UTC";
      f.zoneWhy = "NinjaTrader 8 exports in UTC";
    } else {
      f.format = "NinjaTrader 7 tick file";
      f.zoneIsThisComputer = true;
      f.zoneAsked = true;
      f.zoneWhy = "NinjaTrader 7 writes the exporting computer's time";
    }
  }
  if (n == 5) {
    l.columns.price = 1;
    l.columns.bid = 2;
    l.columns.ask = 3;
    l.columns.volume = 4;
  } else {
    // One price: the series the name says (.Bid, .Ask), else trades.
    (side == PriceKind::Bid ? l.columns.bid : side == PriceKind::Ask ? l.columns.ask : l.columns.price) = 1;
    l.columns.volume = 2;
  }
  SetPrices(f);
  return f;
}

std::optional<Finding> Kibot(const Line& first, std::string_view fileName) {
  std::vector<std::string_view> fields = Fields(first.text, ',');
  if (fields.size() < 2 || !Matches(fields[0], "99/99/9999")) return std::nullopt;
  const size_t n = fields.size();
  if (Matches(fields[1], "99:99") && n == 7) {
    return Refuse(first.number,
                  "this is a file of one-minute bars (date,time,open,high,low,close,volume), not of "
                  "ticks: download the tick data instead");
  }
  if (IsNumber(fields[1]) && n == 6) {
    return Refuse(first.number,
                  "this is a file of day bars (date,open,high,low,close,volume), not of ticks: "
                  "download the tick data instead");
  }
  if (!Matches(fields[1], "99:99:99") || (n != 4 && n != 6)) return std::nullopt;
  Finding f;
  f.recognised = true;
  f.format = n == 6 ? "Kibot tick file with bid and ask" : "Kibot tick file";
  Layout& l = f.layout;
  l.header = false;
  l.when = WhenForm::DateAndTime;
  l.columns.separator = ',';
  l.columns.date = 0;
  l.columns.time = 1;
  l.columns.price = 2;
  if (n == 6) {
    l.columns.bid = 3;
    l.columns.ask = 4;
    l.columns.volume = 5;
  } else {
    l.columns.volume = 3;
  }
  l.columns.columns = static_cast<int>(n);
  f.zone = "Eastern Standard Time";
  f.zoneWhy = "Kibot writes New York time";
  f.symbol = NameSymbol(fileName);
  SetPrices(f);
  return f;
}

std::optional<Finding> TrueFx(const Line& first) {
  std::vector<std::string_view> fields = Fields(first.text, ',');
  if (fields.size() != 4) return std::nullopt;
  std::string_view pair = fields[0];
  size_t slash = pair.find('/');
  if (slash == std::string_view::npos || slash == 0 || !IsLetter(pair[0])) return std::nullopt;
  std::string_view stamp = fields[1];
  if (stamp.size() < 17 || !Matches(stamp.substr(0, 17), "99999999 99:99:99")) return std::nullopt;
  Finding f;
  f.recognised = true;
  f.format = "TrueFX ticks";
  Layout& l = f.layout;
  l.header = false;
  l.when = WhenForm::Text;
  l.columns.separator = ',';
  l.columns.symbol = 0;
  l.columns.date = 1;
  l.columns.bid = 2;
  l.columns.ask = 3;
  l.columns.columns = 4;
  f.zone = "UTC";
  f.zoneWhy = "TrueFX writes UTC";
  SetPrices(f);
  return f;
}

std::optional<Finding> Lean(const Line& first, std::string_view fileName) {
  std::optional<LeanName> name = LeanFileName(fileName);
  if (!name) return std::nullopt;
  std::vector<std::string_view> fields = Fields(first.text, ',');
  const size_t n = fields.size();
  if (!AllDigits(fields[0]) || fields[0].size() > 8 || n < 3 || !IsNumber(fields[1])) return std::nullopt;
  Finding f;
  f.recognised = true;
  Layout& l = f.layout;
  l.header = false;
  l.when = WhenForm::MillisOfDay;
  l.fileDay = name->day;
  l.columns.separator = ',';
  l.columns.date = 0;
  l.columns.columns = static_cast<int>(n);
  // Equities and options write prices in units of 1/10,000; forex, futures and crypto as decimals.
  const bool scaled = AllDigits(fields[1]);
  if (scaled) l.priceDecimals = 4;
  if (n == 6 && !name->quote) {
    l.columns.price = 1;
    l.columns.volume = 2;
    f.format = "QuantConnect LEAN trade ticks";
  } else if (n == 8 || (n == 5 && name->quote)) {
    l.columns.bid = 1;
    l.columns.bidVolume = 2;
    l.columns.ask = 3;
    l.columns.askVolume = 4;
    f.format = "QuantConnect LEAN quote ticks";
  } else if (n == 3 && name->quote) {
    l.columns.bid = 1;
    l.columns.ask = 2;
    f.format = "QuantConnect LEAN quote ticks";
  } else if (n == 3) {
    l.columns.price = 1;
    l.columns.volume = 2;
    f.format = "QuantConnect LEAN trade ticks";
  } else {
    return Refuse(first.number,
                  "the line has " + std::to_string(n) + " fields; LEAN's tick lines have 6 (trades), 8 (quotes) or 3");
  }
  if (scaled) {
    f.zone = "Eastern Standard Time";
    f.zoneWhy = "LEAN keeps US equity data in New York time";
  } else {
    f.zone = "UTC";
    f.zoneWhy = "LEAN keeps forex, futures and crypto data in UTC";
  }
  f.symbol = name->symbol;
  SetPrices(f);
  return f;
}

// ---- Files with a header line ---------------------------------------------------------------

// Whether a data line's time field reads in the layout's form, and whether it carries its zone.
bool TimeOfFirstRow(const Layout& l, const std::vector<Line>& lines, bool* zoned) {
  if (lines.size() < 2) return false;
  std::vector<std::string_view> fields = Fields(lines[1].text, l.columns.separator);
  int column = l.columns.dateTime != N ? l.columns.dateTime : l.columns.date;
  if (column == N || column >= static_cast<int>(fields.size())) return false;
  TickWhen when;
  if (!ParseAnyWhen(fields[column], when)) return false;
  if (zoned) *zoned = when.zoned;
  return true;
}

std::string FieldOfFirstRow(const std::vector<Line>& lines, char sep, int column) {
  if (lines.size() < 2 || column == N) return {};
  std::vector<std::string_view> fields = Fields(lines[1].text, sep);
  return column < static_cast<int>(fields.size()) ? std::string(fields[column]) : std::string();
}

Finding ByHeader(const std::vector<Line>& lines, std::string_view fileName) {
  const Line& head = lines[0];
  const char sep = GuessSeparator(head.text);
  const std::vector<std::string> keys = HeaderKeys(head.text, sep);
  const bool angled = head.text.find('<') != std::string_view::npos;

  if (angled && HasKey(keys, "open") && HasKey(keys, "high") && (HasKey(keys, "tickvol") || HasKey(keys, "spread"))) {
    return Refuse(head.number,
                  "this is a MetaTrader bar export (<OPEN> <HIGH> <LOW> <CLOSE>), not of ticks: export "
                  "the ticks instead (View, Symbols, Ticks, Export Ticks)");
  }

  Finding f;
  ColumnMap map;
  std::string problem;
  if (!ReadHeader(head.text, map, &problem)) {
    // A lone time column that holds whole date-times (Interactive Brokers' ticks, epoch times).
    int time = KeyIndex(keys, "time");
    bool ok = false;
    ColumnMap m;
    if (time != N) {
      std::vector<std::string_view> names = Fields(head.text, sep);
      // Read again with that column named as one holding date and time.
      std::string renamed;
      for (size_t i = 0; i < names.size(); ++i) {
        if (i) renamed += sep;
        renamed += static_cast<int>(i) == time ? std::string("datetime") : std::string(names[i]);
      }
      Layout probe;
      if (ReadHeader(renamed, m, nullptr)) {
        probe.columns = m;
        ok = TimeOfFirstRow(probe, lines, nullptr);
      }
    }
    if (!ok) return Refuse(head.number, problem);
    map = m;
  }
  Layout& l = f.layout;
  l.columns = map;
  l.header = true;
  // A date column with a time column; else one column holds both (a time column beside a
  // timestamp is left alone).
  l.when = map.date != N && map.time != N ? WhenForm::DateAndTime : WhenForm::Any;
  if (l.when == WhenForm::Any) l.columns.time = N;
  f.recognised = true;
  f.symbol = NameSymbol(fileName);

  auto zoneUtc = [&](const char* why) {
    f.zone = "UTC";
    f.zoneWhy = why;
  };

  if (angled && HasKey(keys, "bid") && HasKey(keys, "ask") && HasKey(keys, "flags")) {
    f.format = "MetaTrader 5 tick export";
    l.flags = KeyIndex(keys, "flags");
    l.carryQuotes = true;
    f.zone = "GTB Standard Time";
    f.zoneAsked = true;
    f.zoneWhy =
        "MetaTrader writes the broker's server time, which many brokers keep at UTC+2, UTC+3 in European "
        "summer time";
    SetPrices(f);
    // Trades show as rows with the last flag (8); a file of quotes alone has none.
    bool trades = false;
    for (size_t i = 1; i < lines.size(); ++i) {
      std::vector<std::string_view> fields = Fields(lines[i].text, sep);
      if (l.flags < static_cast<int>(fields.size())) {
        int flags = 0;
        for (char c : fields[l.flags]) flags = IsDigit(c) && flags < 100000 ? flags * 10 + (c - '0') : flags;
        if (flags & 8) trades = true;
      }
    }
    f.hasLast = trades && map.price != N;
    f.price = f.hasLast ? PriceKind::Last : PriceKind::Bid;
    f.moreLinesHelp = !trades && lines.size() < kDetectionLines;
    return f;
  }

  if (!keys.empty() && (keys[0] == "gmttime" || keys[0] == "localtime") && map.bid != N && map.ask != N) {
    f.format = "Dukascopy tick download";
    l.when = WhenForm::Text;
    zoneUtc("Dukascopy's Gmt time is UTC");
    if (keys[0] == "localtime") f.timesCarryZone = true;
    SetPrices(f);
    return f;
  }
  if (HasKey(keys, "timestamp") && HasKey(keys, "askprice") && HasKey(keys, "bidprice")) {
    f.format = "dukascopy-node ticks";
    zoneUtc("dukascopy-node writes UTC");
    f.timesCarryZone = true;
    SetPrices(f);
    return f;
  }
  if (HasKey(keys, "numberoftrades") && map.price != N && HasKey(keys, "open")) {
    f.format = "Sierra Chart intraday data export";
    l.trades = KeyIndex(keys, "numberoftrades");
    zoneUtc("Sierra Chart keeps its intraday data in UTC");
    SetPrices(f);
    return f;
  }
  if (HasKey(keys, "#oftrades") || HasKey(keys, "ohlcavg")) {
    f.format = "Sierra Chart bar and study data";
    l.trades = KeyIndex(keys, "#oftrades");
    zoneUtc("the file has the chart's times, and Sierra Chart keeps UTC unless the chart is set to another zone");
    f.zoneAsked = true;
    if (std::optional<std::string> symbol = SierraBarDataSymbol(fileName)) f.symbol = *symbol;
    SetPrices(f);
    return f;
  }
  if (HasKey(keys, "tickattriblast") || HasKey(keys, "tickattribbidask")) {
    f.format = "Interactive Brokers historical ticks";
    zoneUtc("Interactive Brokers' tick times are UTC");
    TimeOfFirstRow(l, lines, &f.timesCarryZone);
    SetPrices(f);
    return f;
  }
  if (HasKey(keys, "tsevent") && (HasKey(keys, "rtype") || HasKey(keys, "publisherid"))) {
    const bool raw = AllDigits(FieldOfFirstRow(lines, sep, KeyIndex(keys, "tsevent")));
    f.format = raw ? "Databento CSV (raw)" : "Databento CSV";
    l.action = KeyIndex(keys, "action");
    std::string price = FieldOfFirstRow(lines, sep, map.price != N ? map.price : map.bid);
    if (!price.empty() && price.find('.') == std::string::npos) l.priceDecimals = 9;
    l.trimPriceZeros = true;
    zoneUtc("Databento's times are UTC");
    f.timesCarryZone = true;
    SetPrices(f);
    return f;
  }
  if (HasKey(keys, "siptimestamp") && map.symbol != N) {
    f.format = "Polygon flat file";
    zoneUtc("Polygon's times are UTC");
    f.timesCarryZone = true;
    SetPrices(f);
    return f;
  }

  f.format = "CSV with a header line";
  bool zoned = false;
  if (TimeOfFirstRow(l, lines, &zoned) && zoned && l.when == WhenForm::Any) {
    f.timesCarryZone = true;
    zoneUtc("the times say their offset from UTC");
  } else {
    f.zoneWhy = "the file does not say its time zone";
  }
  SetPrices(f);
  return f;
}

Finding Detect(const std::vector<Line>& lines, std::string_view fileName) {
  const Line& first = lines[0];
  if (std::optional<Finding> f = Lean(first, fileName)) return *f;
  if (std::optional<Finding> f = NinjaTraderFamily(first, fileName)) return *f;
  if (std::optional<Finding> f = Kibot(first, fileName)) return *f;
  if (std::optional<Finding> f = TrueFx(first)) return *f;
  Finding f = ByHeader(lines, fileName);
  std::string_view start = CleanField(first.text);
  if (!f.recognised && !start.empty() && IsDigit(start[0])) {
    f.problem += "; nor is it a tick line of a layout Genvane knows (NinjaTrader, HistData, Kibot, TrueFX, LEAN)";
  }
  return f;
}

}  // namespace

bool IsScid(std::string_view bytes) { return bytes.size() >= 4 && bytes.substr(0, 4) == "SCID"; }

Finding ScidFinding(std::string_view fileName) {
  Finding f;
  f.recognised = true;
  f.scid = true;
  f.format = "Sierra Chart intraday data file (.scid)";
  f.zone = "UTC";
  f.zoneWhy = "Sierra Chart keeps its intraday data in UTC";
  f.timesCarryZone = true;
  f.hasLast = f.hasBid = f.hasAsk = true;
  f.price = PriceKind::Last;
  f.symbol = NameSymbol(fileName);
  return f;
}

Finding DetectFormat(std::string_view text, std::string_view fileName, bool complete) {
  // The same start of a file gives the same finding, however much more of it is at hand.
  if (text.size() > kDetectionBytes) {
    text = text.substr(0, kDetectionBytes);
    complete = false;
  }
  std::vector<Line> lines = FirstLines(text, complete);
  if (lines.empty()) {
    if (!complete && text.find_first_not_of(" \t\r\n") != std::string_view::npos)
      return Refuse(1, "the first line runs on for more than 64 KB: this is no tick file of a layout Genvane knows");
    return Refuse(1, "the file is empty: it has no header line naming a date, a time and a price column");
  }
  Finding f = Detect(lines, fileName);
  f.linesSeen = lines.size();
  if (complete) f.moreLinesHelp = false;
  return f;
}

}  // namespace tickvane::converter
