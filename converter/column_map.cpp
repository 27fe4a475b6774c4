#include "converter/column_map.h"

#include <algorithm>
#include <initializer_list>
#include <vector>

#include "converter/tick_fields.h"

namespace tickvane::converter {
namespace {

std::string NameKey(std::string_view name) {
  std::string key;
  for (char c : CleanField(name)) {
    if (c == ' ' || c == '_' || c == '-' || c == '<' || c == '>' || c == '/' || c == '.') continue;
    key += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  }
  return key;
}

// The first of the names (in order of preference) that a column carries.
int Find(const std::vector<std::string>& keys, std::initializer_list<const char*> names) {
  for (const char* name : names)
    for (size_t i = 0; i < keys.size(); ++i)
      if (keys[i] == name) return static_cast<int>(i);
  return ColumnMap::kNone;
}

}  // namespace

char GuessSeparator(std::string_view line) {
  char best = ',';
  size_t most = 0;
  for (char c : {',', ';', '\t'}) {
    size_t n = static_cast<size_t>(std::count(line.begin(), line.end(), c));
    if (n > most) {
      most = n;
      best = c;
    }
  }
  return best;
}

std::vector<std::string> HeaderKeys(std::string_view line, char separator) {
  std::vector<std::string> keys;
  size_t start = 0;
  for (;;) {
    size_t end = line.find(separator, start);
    keys.push_back(NameKey(line.substr(start, end == std::string_view::npos ? line.size() - start : end - start)));
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return keys;
}

int ColumnMap::LastNeeded() const {
  return std::max({date, time, dateTime, price, volume, symbol, bid, ask, bidVolume, askVolume});
}

bool ReadHeader(std::string_view line, ColumnMap& map, std::string* problem) {
  ColumnMap m;
  m.separator = GuessSeparator(line);
  std::vector<std::string> keys = HeaderKeys(line, m.separator);
  m.columns = static_cast<int>(keys.size());
  m.dateTime = Find(keys, {"datetime", "timestamp", "datetimestamp", "tradedatetime", "tsevent", "siptimestamp",
                           "gmttime", "localtime", "tsrecv", "participanttimestamp", "timeutc", "datetimeutc"});
  m.date = Find(keys, {"date", "tradedate", "day", "tradingday"});
  m.time = Find(keys, {"time", "tradetime", "timeofday"});
  m.price = Find(keys, {"price", "last", "lastprice", "tradeprice", "close", "trade", "px"});
  m.volume = Find(keys, {"volume", "vol", "size", "quantity", "qty", "shares", "lastsize", "tradesize"});
  m.symbol = Find(keys, {"symbol", "ticker", "sym", "instrument", "code", "secid"});
  m.bid = Find(keys, {"bid", "bidprice", "pricebid", "bidquote", "bidpx00", "bestbid", "bidpx"});
  m.ask = Find(keys, {"ask", "askprice", "priceask", "askquote", "askpx00", "offer", "offerprice", "bestask", "askpx"});
  m.bidVolume = Find(keys, {"bidvolume", "bidsize", "sizebid", "bidsz00", "bidqty", "bidvol"});
  m.askVolume = Find(keys, {"askvolume", "asksize", "sizeask", "asksz00", "askqty", "askvol", "offersize"});
  if (m.date != ColumnMap::kNone && m.time != ColumnMap::kNone) m.dateTime = ColumnMap::kNone;
  bool hasWhen = m.dateTime != ColumnMap::kNone || m.date != ColumnMap::kNone;
  bool hasPrice = m.price != ColumnMap::kNone || m.bid != ColumnMap::kNone || m.ask != ColumnMap::kNone;
  if (!hasWhen || !hasPrice) {
    if (problem) {
      *problem = "the header line names no ";
      *problem += !hasWhen ? (!hasPrice ? "date and no price column" : "date column") : "price column";
      *problem += " (expected names such as Date, Time, Price, Last or Close)";
    }
    return false;
  }
  map = m;
  return true;
}

std::string SymbolFromFileName(std::string_view fileName) {
  size_t slash = fileName.find_last_of("\\/");
  if (slash != std::string_view::npos) fileName = fileName.substr(slash + 1);
  std::string symbol;
  for (char c : fileName) {
    bool keep = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
    if (!keep) break;
    symbol += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
  }
  return symbol.empty() ? "TICKS" : symbol;
}

}  // namespace tickvane::converter
