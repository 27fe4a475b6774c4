#include "converter/tick_converter.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "common/civil_time.h"
#include "converter/decimal_text.h"
#include "converter/format_detect.h"
#include "converter/tick_fields.h"
#include "converter/tick_time.h"

namespace tickvane::converter {
namespace {

// No tick line comes near this; a file without line ends must not fill the memory.
constexpr size_t kMaxLine = 1 << 20;
constexpr int N = Layout::kNone;
constexpr size_t kScidHeader = 56;
constexpr size_t kScidRecord = 40;
// Databento's mark for "no price".
constexpr std::string_view kUndefinedPrice = "9223372036854775807";

std::string Quoted(std::string_view text) {
  constexpr size_t kShown = 40;
  std::string q = "\"";
  q += text.size() > kShown ? std::string(text.substr(0, kShown)) + "..." : std::string(text);
  q += "\"";
  return q;
}

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameSymbol(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != Lower(b[i])) return false;
  return true;
}

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

std::uint32_t U32(const char* p) {
  const unsigned char* b = reinterpret_cast<const unsigned char*>(p);
  return static_cast<std::uint32_t>(b[0]) | static_cast<std::uint32_t>(b[1]) << 8 |
         static_cast<std::uint32_t>(b[2]) << 16 | static_cast<std::uint32_t>(b[3]) << 24;
}

std::int64_t I64(const char* p) {
  std::uint64_t v = 0;
  for (int i = 7; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(p[i]);
  return static_cast<std::int64_t>(v);
}

float F32(const char* p) {
  std::uint32_t bits = U32(p);
  float f;
  std::memcpy(&f, &bits, sizeof f);
  return f;
}

double F64(const char* p) {
  std::uint64_t bits = static_cast<std::uint64_t>(I64(p));
  double d;
  std::memcpy(&d, &bits, sizeof d);
  return d;
}

const char* WhenProblem(WhenForm form) {
  switch (form) {
    case WhenForm::NinjaTrader:
      return " is not a NinjaTrader time (yyyyMMdd HHmmss, with or without a fraction)";
    case WhenForm::HistData:
      return " is not a HistData time (yyyyMMdd HHmmssNNN)";
    case WhenForm::MillisOfDay:
      return " is not a count of milliseconds after midnight";
    default:
      break;
  }
  return " is not a date followed by a time of day";
}

}  // namespace

std::string ErrorPlace(const ConversionError& error) {
  if (error.record && error.line == 0) return "The header";
  return (error.record ? "Record " : "Line ") + std::to_string(error.line);
}

TickConverter::TickConverter(std::string symbol) { options_.fallbackSymbol = std::move(symbol); }

TickConverter::TickConverter(ConvertOptions options) : options_(std::move(options)) {}

bool TickConverter::Fail(std::string problem) {
  failed_ = true;
  error_.line = line_;
  error_.problem = std::move(problem);
  return false;
}

bool TickConverter::Feed(std::string_view piece, std::string& out) {
  if (failed_) return false;
  if (!started_) {
    // The first four bytes tell Sierra Chart's binary file from text.
    start_.append(piece);
    if (start_.size() < 4) return true;
    started_ = true;
    std::string first;
    first.swap(start_);
    if (IsScid(first)) {
      finding_ = ScidFinding(options_.fileName);
      detected_ = true;
      error_.record = true;
      scidSkip_ = 0;
      if (!Setup()) return false;
      return ScidBytes(first, out);
    }
    return FeedText(decoder_.Decode(first, scratch_), out);
  }
  if (finding_.scid) return ScidBytes(piece, out);
  return FeedText(decoder_.Decode(piece, scratch_), out);
}

bool TickConverter::FeedText(std::string_view text, std::string& out) {
  if (detected_) return Lines(text, out);
  head_.append(text);
  size_t lines = headLines_;
  for (char c : text) lines += c == '\n';
  if (lines == headLines_ && head_.size() < kDetectionBytes) return true;
  headLines_ = lines;
  // Found as soon as the header and a line after it (or the first two lines) are in, so that the
  // bad line of a short piece is found in that piece; what more lines could change waits for them.
  finding_ = DetectFormat(head_, options_.fileName, false);
  const bool enough = head_.size() >= kDetectionBytes || finding_.linesSeen >= kDetectionLines;
  if (!enough && (finding_.linesSeen < 2 || finding_.moreLinesHelp)) return true;
  return Detect(false, out);
}

bool TickConverter::Detect(bool complete, std::string& out) {
  if (complete) finding_ = DetectFormat(head_, options_.fileName, complete);
  if (!finding_.recognised) {
    line_ = finding_.line;
    return Fail(finding_.problem);
  }
  detected_ = true;
  if (!Setup()) return false;
  std::string head;
  head.swap(head_);
  return Lines(head, out);
}

bool TickConverter::Setup() {
  line_ = 1;
  price_ = options_.price.value_or(finding_.price);
  if (!finding_.HasPrice(price_)) {
    std::string has;
    for (PriceKind k : {PriceKind::Last, PriceKind::Bid, PriceKind::Ask, PriceKind::Mid}) {
      if (!finding_.HasPrice(k)) continue;
      has += has.empty() ? "" : ", ";
      has += PriceKindName(k);
    }
    return Fail(std::string("the file (") + finding_.format + ") has no " +
                (price_ == PriceKind::Last ? "last (trade)" : PriceKindName(price_)) + " prices; it has " + has);
  }
  const bool symbolColumn = !finding_.scid && finding_.layout.columns.symbol != N;
  if (!options_.symbol.empty()) {
    if (options_.symbol.find(',') != std::string::npos || options_.symbol.front() == '[')
      return Fail("the symbol " + Quoted(options_.symbol) + " holds a comma or begins with \"[\"");
  }
  if (!symbolColumn && !options_.symbol.empty()) {
    symbol_ = options_.symbol;
  } else if (!finding_.symbol.empty()) {
    symbol_ = finding_.symbol;
  } else {
    symbol_ = options_.fallbackSymbol;
  }
  if (symbol_.find(',') != std::string::npos || symbol_.empty() || symbol_.front() == '[') symbol_ = "TICKS";

  // The zone the times are read in: the user's, else the format's.
  bool given = options_.sourceZone.has_value();
  if (given) {
    sourceZoneName_ = *options_.sourceZone;
  } else if (finding_.zoneIsThisComputer) {
    sourceZoneName_ = options_.zones && options_.zones->thisComputer ? options_.zones->thisComputer() : std::string();
  } else {
    sourceZoneName_ = finding_.zone;
  }
  if (!sourceZoneName_.empty()) {
    sourceRules_ = ResolveZone(sourceZoneName_, options_.zones);
    if (!sourceRules_ && (given || options_.playbackZone)) {
      return Fail("the time zone " + Quoted(sourceZoneName_) +
                  (given ? "" : std::string(" of the file's times (") + finding_.zoneWhy + ")") +
                  " is not known here: name a Windows time zone such as \"Eastern Standard Time\" or an offset such "
                  "as UTC-05:00");
    }
    if (sourceRules_) sourceClock_.emplace(*sourceRules_);
  }
  if (options_.playbackZone) playbackClock_.emplace(*options_.playbackZone);
  needed_ = finding_.layout.LastNeeded();
  if (!finding_.scid && needed_ >= kMaxFields) return Fail("the file names more than 256 columns");
  line_ = 0;
  return true;
}

bool TickConverter::Lines(std::string_view piece, std::string& out) {
  size_t start = 0;
  if (!carry_.empty()) {
    size_t end = piece.find('\n');
    if (end == std::string_view::npos) {
      carry_.append(piece);
      if (carry_.size() > kMaxLine) return LineTooLong();
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
    const void* nl = start < piece.size() ? std::memchr(from, '\n', piece.size() - start) : nullptr;
    if (!nl) break;
    size_t end = static_cast<size_t>(static_cast<const char*>(nl) - piece.data());
    if (!Line(piece.substr(start, end - start), out)) return false;
    start = end + 1;
  }
  carry_.assign(piece.substr(start));
  if (carry_.size() > kMaxLine) return LineTooLong();
  return true;
}

bool TickConverter::LineTooLong() {
  ++line_;
  return Fail("the line is longer than 1 MB without a line end");
}

bool TickConverter::Finish(std::string& out) {
  if (failed_) return false;
  if (!started_) {
    started_ = true;
    std::string first;
    first.swap(start_);
    if (!FeedText(decoder_.Decode(first, scratch_), out)) return false;
  }
  if (finding_.scid) {
    if (!scidPart_.empty() || !scidHeader_) {
      line_ = scidHeader_ ? line_ + 1 : 0;
      return Fail(!scidHeader_ ? "the file ends inside its 56-byte header"
                               : "the file ends inside a record (" + std::to_string(scidPart_.size()) + " of " +
                                     std::to_string(scidRecordSize_) + " bytes)");
    }
  } else {
    std::string_view rest = decoder_.Finish(scratch_);
    if (!detected_) {
      head_.append(rest);
      if (!Detect(true, out)) return false;
    } else if (!Lines(rest, out)) {
      return false;
    }
    if (!carry_.empty()) {
      std::string line;
      line.swap(carry_);
      if (!Line(line, out)) return false;
    }
  }
  if (ticks_ == 0) {
    line_ = finding_.layout.header ? headerLine_ : 1;
    if (!options_.symbol.empty() && !finding_.scid && finding_.layout.columns.symbol != N)
      return Fail("the file holds no ticks of the symbol " + Quoted(options_.symbol));
    if (price_ != finding_.price)
      return Fail(std::string("the file holds no ticks with a ") + PriceKindName(price_) + " price");
    return Fail(finding_.layout.header ? "the file holds no ticks after its header line" : "the file holds no ticks");
  }
  return true;
}

bool TickConverter::Line(std::string_view line, std::string& out) {
  ++line_;
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  if (line.find_first_not_of(" \t") == std::string_view::npos) return true;
  if (finding_.layout.header && !haveHeader_) {
    haveHeader_ = true;
    headerLine_ = line_;
    return true;
  }
  return Record(line, out);
}

bool TickConverter::Record(std::string_view line, std::string& out) {
  const Layout& layout = finding_.layout;
  const ColumnMap& cols = layout.columns;
  std::string_view* fields = fields_;
  int count = 0;
  const int needed = needed_;
  const char sep = cols.separator;
  // Fields are short: a plain loop finds their ends sooner than a library search per field.
  const char* p = line.data();
  const char* const end = p + line.size();
  while (count <= needed && count < kMaxFields) {
    const char* start = p;
    // A quoted field may hold the separator: "181,75" in a comma-separated file.
    if (p < end && *p == '"') {
      const char* close = p + 1;
      while (close < end && *close != '"') ++close;
      if (close < end) p = close;
    }
    while (p < end && *p != sep) ++p;
    fields[count++] = std::string_view(start, static_cast<size_t>(p - start));
    if (p == end) break;
    ++p;
  }
  if (count <= needed) {
    return Fail("the line has " + std::to_string(count) + " fields, " +
                (layout.header ? "the header names " : "the file's lines have ") + std::to_string(cols.columns));
  }

  // The symbol first: a filter leaves other symbols' lines alone, whatever they hold.
  std::string_view symbol = symbol_;
  if (cols.symbol != N) {
    symbol = CleanField(fields[cols.symbol]);
    if (!options_.symbol.empty()) {
      if (!SameSymbol(symbol, options_.symbol)) return true;
    } else {
      // The playback file has no quoting: a comma would shift every field after it.
      if (symbol.empty() || symbol.find(',') != std::string_view::npos)
        return Fail("the symbol " + Quoted(symbol) + " is empty or holds a comma");
      // The station ends its replay after a record line that begins with "[".
      if (symbol.front() == '[')
        return Fail("the symbol " + Quoted(symbol) + " begins with \"[\", which marks the end of a playback file");
      if (firstSymbol_.empty()) {
        firstSymbol_.assign(symbol);
      } else if (symbol != firstSymbol_) {
        return Fail("the file holds ticks of more than one symbol (" + Quoted(firstSymbol_) + " before, " +
                    Quoted(symbol) + " here): choose one");
      }
    }
  }

  if (layout.trades != N) {
    std::string_view t = CleanField(fields[layout.trades]);
    if (!t.empty() && t != "0" && t != "1") {
      return Fail("the line is a bar of " + Quoted(t) +
                  " trades, not a single trade: write the file from a chart of "
                  "one tick per bar");
    }
  }
  if (layout.action != N && price_ == PriceKind::Last) {
    std::string_view a = CleanField(fields[layout.action]);
    if (a != "T") return true;  // a change of the order book, not a trade
  }

  // When.
  TickWhen when;
  switch (layout.when) {
    case WhenForm::DateAndTime: {
      std::string_view d = CleanField(fields[cols.date]);
      if (!haveLastDate_ || d != lastDateText_) {
        TickDate date;
        if (!ParseDate(d, date)) return Fail("the date " + Quoted(d) + " is not a date");
        lastDateText_.assign(d);
        lastDay_ = DaysSinceEpoch(date.year, date.month, date.day);
        haveLastDate_ = true;
      }
      std::string_view t = CleanField(fields[cols.time]);
      TickTime time;
      if (!ParseTime(t, time)) return Fail("the time " + Quoted(t) + " is not a time of day");
      when.clock = lastDay_ * kSecondsPerDay + time.hour * 3600 + time.minute * 60 + time.second;
      break;
    }
    default: {
      int column = cols.dateTime != N ? cols.dateTime : cols.date;
      std::string_view dt = CleanField(fields[column]);
      bool ok = false;
      switch (layout.when) {
        case WhenForm::Text:
          ok = ParseDateTimeWhen(dt, when);
          break;
        case WhenForm::NinjaTrader:
          ok = ParseNinjaTraderWhen(dt, when);
          break;
        case WhenForm::HistData:
          ok = ParseHistDataWhen(dt, when);
          break;
        case WhenForm::MillisOfDay:
          ok = ParseMillisOfDayWhen(dt, layout.fileDay, when);
          break;
        default:
          ok = ParseAnyWhen(dt, when);
          break;
      }
      if (!ok) {
        if (layout.when == WhenForm::Any && !dt.empty() &&
            dt.find_first_not_of("0123456789.") == std::string_view::npos)
          return Fail(
              "the time " + Quoted(dt) +
              " is no count of seconds, milliseconds, microseconds or nanoseconds since 1970 (it is too small)");
        return Fail("the date and time " + Quoted(dt) + WhenProblem(layout.when));
      }
    }
  }

  // Prices: the field's text as a plain decimal.
  auto readPrice = [&](int column, const char* what, char* buffer, std::string_view* price, bool* present) {
    std::string_view raw = CleanField(fields[column]);
    *present = false;
    if (raw.empty() || raw == kUndefinedPrice) return true;
    bool ok = layout.priceDecimals > 0 ? ScaledDecimal(raw, layout.priceDecimals, buffer, price)
                                       : raw.size() < kDecimalBuffer && NormalizeNumber(raw, true, buffer, price);
    if (!ok) return Fail(std::string("the ") + what + " " + Quoted(raw) + " is not a number");
    if (layout.trimPriceZeros && price->find('.') != std::string_view::npos) {
      while (price->back() == '0') price->remove_suffix(1);
      if (price->back() == '.') price->remove_suffix(1);
      if (price->empty() || *price == "-" || *price == "+") *price = "0";
    }
    *present = true;
    return true;
  };
  auto readVolume = [&](int column, char* buffer, std::string_view* volume) {
    std::string_view v = CleanField(fields[column]);
    if (v.empty()) {
      *volume = "0";
      return true;
    }
    if (v.size() >= kDecimalBuffer || !NormalizeNumber(v, false, buffer, volume))
      return Fail("the volume " + Quoted(v) + " is not a number");
    return true;
  };

  int flags = -1;  // unknown
  if (layout.flags != N) {
    std::string_view f = CleanField(fields[layout.flags]);
    if (!f.empty()) {
      flags = 0;
      for (char c : f) {
        if (c < '0' || c > '9' || flags > 1'000'000) return Fail("the flags " + Quoted(f) + " are not a number");
        flags = flags * 10 + (c - '0');
      }
    }
  }

  // The price and volume may point into any of these until the record is written.
  char priceBuffer[kDecimalBuffer], volumeBuffer[kDecimalBuffer], bidBuffer[kDecimalBuffer], askBuffer[kDecimalBuffer];
  std::string_view price, volume = "1";  // a file without volumes counts every tick as one trade
  if (price_ == PriceKind::Last) {
    bool present = false;
    if (!readPrice(cols.price, "price", priceBuffer, &price, &present)) return false;
    if (flags >= 0 && !(flags & 8)) return true;  // a change of the quotes alone
    if (!present) {
      // Files of quotes and trades leave the trade price empty on quote lines.
      if (cols.bid != N || cols.ask != N || layout.flags != N) return true;
      return Fail("the price " + Quoted(CleanField(fields[cols.price])) + " is not a number");
    }
    if (layout.flags != N && flags < 0 && price == "0") return true;
    if (cols.volume != N && !readVolume(cols.volume, volumeBuffer, &volume)) return false;
  } else {
    std::string_view bid, ask;
    bool bidHere = false, askHere = false;
    if (cols.bid != N && !readPrice(cols.bid, "bid", bidBuffer, &bid, &bidHere)) return false;
    if (cols.ask != N && !readPrice(cols.ask, "ask", askBuffer, &ask, &askHere)) return false;
    bool bidFresh = bidHere, askFresh = askHere;
    if (layout.carryQuotes) {
      // An empty field is the value before; the flags say which side changed.
      if (bidHere) std::memcpy(bid_, bid.data(), bidSize_ = bid.size());
      if (askHere) std::memcpy(ask_, ask.data(), askSize_ = ask.size());
      bid = std::string_view(bid_, bidSize_);
      ask = std::string_view(ask_, askSize_);
      if (flags >= 0) {
        bidFresh = (flags & 2) != 0;
        askFresh = (flags & 4) != 0;
      }
    }
    const bool haveBid = !bid.empty(), haveAsk = !ask.empty();
    int sideVolume = N;
    switch (price_) {
      case PriceKind::Bid:
        if (!bidFresh || !haveBid) return true;
        price = bid;
        sideVolume = cols.bidVolume;
        break;
      case PriceKind::Ask:
        if (!askFresh || !haveAsk) return true;
        price = ask;
        sideVolume = cols.askVolume;
        break;
      default:
        if ((!bidFresh && !askFresh) || !haveBid || !haveAsk) return true;
        if (!MidDecimal(bid, ask, priceBuffer, &price))
          return Fail("the midpoint of the bid " + Quoted(bid) + " and the ask " + Quoted(ask) +
                      " cannot be worked out");
        break;
    }
    if (price_ == PriceKind::Mid && cols.bidVolume != N && cols.askVolume != N) {
      char a[kDecimalBuffer], b[kDecimalBuffer];
      std::string_view va, vb;
      if (!readVolume(cols.bidVolume, a, &va) || !readVolume(cols.askVolume, b, &vb)) return false;
      if (!SumDecimal(va, vb, volumeBuffer, &volume))
        return Fail("the volumes " + Quoted(va) + " and " + Quoted(vb) + " are too large");
    } else if (sideVolume != N) {
      if (!readVolume(sideVolume, volumeBuffer, &volume)) return false;
    } else if (cols.volume != N) {
      if (!readVolume(cols.volume, volumeBuffer, &volume)) return false;
    }
  }
  return Emit(symbol, when.clock, when.zoned, when.offsetMinutes, price, volume, out);
}

bool TickConverter::Emit(std::string_view symbol, std::int64_t clock, bool zoned, int offsetMinutes,
                         std::string_view price, std::string_view volume, std::string& out) {
  // Read in its zone, written in the playback zone; without one, as the source has it.
  std::int64_t utc = clock - offsetMinutes * 60LL;
  bool utcKnown = zoned;
  if (!zoned && sourceClock_) {
    utc = sourceClock_->ToUtc(clock);
    utcKnown = true;
  }
  std::int64_t shown = clock;
  if (playbackClock_ && utcKnown) shown = playbackClock_->FromUtc(utc);
  if (shown < 0 || shown >= DaysSinceEpoch(10000, 1, 1) * kSecondsPerDay)
    return Fail("the time lies outside the years 1899 to 9999 in the playback zone");

  TickStamp stamp{utcKnown ? utc : clock, shown, line_};
  if (!first_) first_ = stamp;
  if (!last_ || stamp.key >= last_->key) last_ = stamp;

  const std::int64_t day = FloorDiv(shown, kSecondsPerDay);
  if (!haveOutDay_ || day != outDay_) {
    WriteDate(shown, outDate_);
    outDay_ = day;
    haveOutDay_ = true;
  }
  char timeText[6];
  WriteTime(shown, timeText);

  size_t at = out.size();
  out.resize(at + symbol.size() + price.size() + volume.size() + 20);
  char* p = out.data() + at;
  std::memcpy(p, symbol.data(), symbol.size());
  p += symbol.size();
  *p++ = ',';
  std::memcpy(p, outDate_, 8);
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

bool TickConverter::ScidBytes(std::string_view bytes, std::string& out) {
  size_t at = 0;
  if (!scidHeader_) {
    // The header, which says its own size and the records' size.
    size_t take = std::min(bytes.size(), kScidHeader - std::min(kScidHeader, scidPart_.size()));
    scidPart_.append(bytes.substr(0, take));
    at = take;
    if (scidPart_.size() < kScidHeader) return true;
    const std::uint32_t headerSize = U32(scidPart_.data() + 4);
    scidRecordSize_ = U32(scidPart_.data() + 8);
    scidPart_.clear();
    scidHeader_ = true;
    line_ = 0;
    error_.record = true;
    if (headerSize < kScidHeader || headerSize > (1u << 20))
      return Fail("the header says it is " + std::to_string(headerSize) + " bytes long; a chart file's is 56");
    if (scidRecordSize_ < kScidRecord || scidRecordSize_ > 4096)
      return Fail("the header says a record is " + std::to_string(scidRecordSize_) +
                  " bytes long; a chart file's is 40");
    scidSkip_ = headerSize - kScidHeader;
  }
  if (scidSkip_ > 0) {
    size_t skip = static_cast<size_t>(std::min<std::uint64_t>(scidSkip_, bytes.size() - at));
    scidSkip_ -= skip;
    at += skip;
  }
  if (!scidPart_.empty()) {
    size_t take = std::min(bytes.size() - at, scidRecordSize_ - scidPart_.size());
    scidPart_.append(bytes.substr(at, take));
    at += take;
    if (scidPart_.size() < scidRecordSize_) return true;
    std::string record;
    record.swap(scidPart_);
    if (!ScidRecord(record.data(), out)) return false;
  }
  while (bytes.size() - at >= scidRecordSize_) {
    if (!ScidRecord(bytes.data() + at, out)) return false;
    at += scidRecordSize_;
  }
  scidPart_.assign(bytes.substr(at));
  return true;
}

bool TickConverter::ScidRecord(const char* r, std::string& out) {
  ++line_;
  // Microseconds since 1899-12-30 in UTC; files of older versions hold days as a double.
  std::int64_t micros = I64(r);
  const std::int64_t kYear10000 = DaysSinceEpoch(10000, 1, 1) * kMicrosPerDay;
  if (micros <= 0 || micros >= kYear10000) {
    double days = F64(r);
    if (!(days > 0 && days < 2958466.0)) return Fail("the record's date-time is no date");
    micros = static_cast<std::int64_t>(days * static_cast<double>(kMicrosPerDay) + 0.5);
  }
  const float open = F32(r + 8), high = F32(r + 12), low = F32(r + 16), close = F32(r + 20);
  const std::uint32_t trades = U32(r + 24), volume = U32(r + 28);
  // Open 0 marks a single trade with the quotes at that moment in High (ask) and Low (bid);
  // two huge negative values mark the first and last parts of a trade split up by the exchange.
  const bool single = open == 0.0f || open < -1.0e37f || trades <= 1;
  if (!single) {
    return Fail("the record is a bar of " + std::to_string(trades) +
                " trades, not a single trade: keep the chart's data at 1 tick (Intraday Data Storage Time Unit)");
  }
  const bool quotes = open == 0.0f || open < -1.0e37f;
  char priceBuffer[kDecimalBuffer];
  std::string_view price;
  bool ok = true;
  switch (price_) {
    case PriceKind::Last:
      ok = FloatDecimal(close, priceBuffer, &price);
      break;
    case PriceKind::Bid:
      if (!quotes || low == 0.0f) return true;
      ok = FloatDecimal(low, priceBuffer, &price);
      break;
    case PriceKind::Ask:
      if (!quotes || high == 0.0f) return true;
      ok = FloatDecimal(high, priceBuffer, &price);
      break;
    case PriceKind::Mid: {
      if (!quotes || low == 0.0f || high == 0.0f) return true;
      char a[kDecimalBuffer], b[kDecimalBuffer];
      std::string_view va, vb;
      ok = FloatDecimal(low, a, &va) && FloatDecimal(high, b, &vb) && MidDecimal(va, vb, priceBuffer, &price);
      break;
    }
  }
  if (!ok) return Fail("the record's price is not a number");
  char volumeText[16];
  int n = std::snprintf(volumeText, sizeof volumeText, "%u", static_cast<unsigned>(volume));
  const std::int64_t seconds = FloorDiv(micros, kMicrosPerSecond);
  return Emit(symbol_, seconds, true, 0, price, std::string_view(volumeText, static_cast<size_t>(n)), out);
}

}  // namespace tickvane::converter
