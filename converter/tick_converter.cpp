#include "converter/tick_converter.h"

#include <cstring>

#include "converter/tick_fields.h"

namespace tickvane::converter {
namespace {

constexpr int kMaxFields = 64;

void TwoDigits(char* at, int value) {
  at[0] = static_cast<char>('0' + value / 10);
  at[1] = static_cast<char>('0' + value % 10);
}

void PutDate(char* at, const TickDate& d) {
  TwoDigits(at, d.year / 100);
  TwoDigits(at + 2, d.year % 100);
  TwoDigits(at + 4, d.month);
  TwoDigits(at + 6, d.day);
}

std::string Quoted(std::string_view text) {
  constexpr size_t kShown = 40;
  std::string q = "\"";
  q += text.size() > kShown ? std::string(text.substr(0, kShown)) + "..." : std::string(text);
  q += "\"";
  return q;
}

}  // namespace

TickConverter::TickConverter(std::string symbol) : symbol_(std::move(symbol)) {}

bool TickConverter::Fail(std::string problem) {
  failed_ = true;
  error_.line = line_;
  error_.problem = std::move(problem);
  return false;
}

bool TickConverter::Feed(std::string_view piece, std::string& out) {
  if (failed_) return false;
  size_t start = 0;
  if (!carry_.empty()) {
    size_t end = piece.find('\n');
    if (end == std::string_view::npos) {
      carry_.append(piece);
      return true;
    }
    carry_.append(piece.substr(0, end));
    std::string line;
    line.swap(carry_);
    if (!Line(line, out)) return false;
    start = end + 1;
  }
  for (;;) {
    const char* from = piece.data() + start;
    const void* nl = std::memchr(from, '\n', piece.size() - start);
    if (!nl) break;
    size_t end = static_cast<size_t>(static_cast<const char*>(nl) - piece.data());
    if (!Line(piece.substr(start, end - start), out)) return false;
    start = end + 1;
  }
  carry_.assign(piece.substr(start));
  return true;
}

bool TickConverter::Finish(std::string& out) {
  if (failed_) return false;
  if (!carry_.empty()) {
    std::string line;
    line.swap(carry_);
    if (!Line(line, out)) return false;
  }
  if (!haveHeader_) {
    line_ = 1;
    return Fail("the file is empty: it has no header line naming a date, a time and a price column");
  }
  if (ticks_ == 0) {
    line_ = headerLine_;
    return Fail("the file holds no ticks after its header line");
  }
  return true;
}

bool TickConverter::Line(std::string_view line, std::string& out) {
  ++line_;
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  if (!haveHeader_) {
    // Text editors on Windows start UTF-8 files with a byte order mark.
    if (line_ == 1 && line.substr(0, 3) == "\xEF\xBB\xBF") line.remove_prefix(3);
    if (line.find_first_not_of(" \t") == std::string_view::npos) return true;
    std::string problem;
    if (!ReadHeader(line, columns_, &problem)) return Fail(problem);
    haveHeader_ = true;
    headerLine_ = line_;
    return true;
  }
  if (line.find_first_not_of(" \t") == std::string_view::npos) return true;
  return Record(line, out);
}

bool TickConverter::Record(std::string_view line, std::string& out) {
  std::string_view fields[kMaxFields];
  int count = 0;
  int needed = columns_.LastNeeded();
  size_t start = 0;
  const char sep = columns_.separator;
  while (count <= needed) {
    size_t from = start;
    // A quoted field may hold the separator: "181,75" in a comma-separated file.
    if (from < line.size() && line[from] == '"') {
      size_t close = line.find('"', from + 1);
      if (close != std::string_view::npos) from = close;
    }
    size_t end = line.find(sep, from);
    if (end == std::string_view::npos) {
      fields[count++] = line.substr(start);
      break;
    }
    fields[count++] = line.substr(start, end - start);
    start = end + 1;
  }
  if (count <= needed)
    return Fail("the line has " + std::to_string(count) + " fields, the header names " +
                std::to_string(columns_.columns));

  TickDate date;
  TickTime time;
  char dateText[8];
  if (columns_.time != ColumnMap::kNone) {
    std::string_view d = CleanField(fields[columns_.date]);
    if (!haveLastDate_ || d != lastDateText_) {
      if (!ParseDate(d, date)) return Fail("the date " + Quoted(d) + " is not a date");
      lastDateText_.assign(d);
      haveLastDate_ = true;
      PutDate(lastDate_, date);
    }
    std::memcpy(dateText, lastDate_, 8);
    std::string_view t = CleanField(fields[columns_.time]);
    if (!ParseTime(t, time)) return Fail("the time " + Quoted(t) + " is not a time of day");
  } else {
    int column = columns_.dateTime != ColumnMap::kNone ? columns_.dateTime : columns_.date;
    std::string_view dt = CleanField(fields[column]);
    if (!ParseDateTime(dt, date, time)) {
      return Fail("the date and time " + Quoted(dt) + " is not a date followed by a time of day");
    }
    PutDate(dateText, date);
  }

  std::string_view priceText = CleanField(fields[columns_.price]);
  char priceBuffer[128];
  std::string_view price;
  if (priceText.size() >= sizeof priceBuffer || !NormalizeNumber(priceText, true, priceBuffer, &price))
    return Fail("the price " + Quoted(priceText) + " is not a number");

  char volumeBuffer[128];
  std::string_view volume = "1";  // a file without volumes counts every tick as one trade
  if (columns_.volume != ColumnMap::kNone) {
    std::string_view v = CleanField(fields[columns_.volume]);
    if (v.empty()) {
      volume = "0";
    } else if (v.size() >= sizeof volumeBuffer || !NormalizeNumber(v, false, volumeBuffer, &volume)) {
      return Fail("the volume " + Quoted(v) + " is not a number");
    }
  }

  std::string_view symbol = symbol_;
  if (columns_.symbol != ColumnMap::kNone) {
    symbol = CleanField(fields[columns_.symbol]);
    // The playback file has no quoting: a comma would shift every field after it.
    if (symbol.empty() || symbol.find(',') != std::string_view::npos)
      return Fail("the symbol " + Quoted(symbol) + " is empty or holds a comma");
    // The station ends its replay after a record line that begins with "[".
    if (symbol.front() == '[')
      return Fail("the symbol " + Quoted(symbol) + " begins with \"[\", which marks the end of a playback file");
  }

  char timeText[6];
  TwoDigits(timeText, time.hour);
  TwoDigits(timeText + 2, time.minute);
  TwoDigits(timeText + 4, time.second);

  size_t at = out.size();
  out.resize(at + symbol.size() + price.size() + volume.size() + 20);
  char* p = out.data() + at;
  std::memcpy(p, symbol.data(), symbol.size());
  p += symbol.size();
  *p++ = ',';
  std::memcpy(p, dateText, 8);
  p += 8;
  *p++ = ',';
  std::memcpy(p, timeText, 6);
  p += 6;
  *p++ = ',';
  std::memcpy(p, price.data(), price.size());
  p += price.size();
  *p++ = ',';
  std::memcpy(p, volume.data(), volume.size());
  p += volume.size();
  *p++ = '\r';
  *p++ = '\n';
  out.resize(static_cast<size_t>(p - out.data()));
  ++ticks_;
  return true;
}

}  // namespace tickvane::converter
