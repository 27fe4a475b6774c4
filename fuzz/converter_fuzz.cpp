// Feeds any bytes to the converter as a tick file of one of the names that formats are told by,
// with any choice of zones, price and symbol, in reads of a size taken from the input, and checks
// that the pieces do not change the outcome, that every record is one the station reads, and
// that a failure names a problem. The same bytes also go through each time and number form, and,
// cut in two, through the joining of two files.
#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "common/civil_time.h"
#include "converter/conversion_preview.h"
#include "converter/decimal_text.h"
#include "converter/joined_conversion.h"
#include "converter/tick_converter.h"
#include "converter/tick_time.h"

namespace {

using namespace tickvane;
using namespace tickvane::converter;

void Check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "converter: %s\n", what);
    std::abort();
  }
}

// Names that each lead the finding somewhere else.
const char* const kNames[] = {
    "ES 12-13.Last.txt",
    "6E 12-13.Bid.txt",
    "DAT_ASCII_EURUSD_T_201310.csv",
    "DAT_NT_EURUSD_T_ASK_201310.csv",
    "20131008_ibm_Trade_Tick.csv",
    "20131008_eurusd_tick_quote.csv",
    "/tick/spy/20131008_trade.csv",
    "ESZ13-BarData.txt",
    "ESZ13.scid",
    "2013-10-08.csv",
    "EURUSD_Ticks.csv",
    "",
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A record line as the station reads it: SYMBOL,YYYYMMDD,HHMMSS,PRICE,VOLUME.
void CheckRecord(std::string_view line) {
  std::vector<std::string_view> f;
  size_t start = 0;
  for (;;) {
    size_t comma = line.find(',', start);
    f.push_back(line.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  Check(f.size() == 5, "a record without five fields");
  Check(!f[0].empty() && f[0][0] != '[', "a record's symbol is empty or ends the replay");
  Check(line.find_first_of("\r\n") == std::string_view::npos, "a line end inside a record");
  Check(f[1].size() == 8 && std::all_of(f[1].begin(), f[1].end(), IsDigit), "a record's date");
  const int year = std::stoi(std::string(f[1].substr(0, 4))), month = std::stoi(std::string(f[1].substr(4, 2))),
            day = std::stoi(std::string(f[1].substr(6, 2)));
  Check(year >= 1899 && month >= 1 && month <= 12 && day >= 1 && day <= DaysInMonth(year, month), "no calendar day");
  Check(f[2].size() == 6 && std::all_of(f[2].begin(), f[2].end(), IsDigit), "a record's time");
  Check(std::stoi(std::string(f[2].substr(0, 2))) < 24 && std::stoi(std::string(f[2].substr(2, 2))) < 60 &&
            std::stoi(std::string(f[2].substr(4, 2))) < 60,
        "no clock time");
  for (std::string_view number : {f[3], f[4]}) {
    size_t i = number.size() > 0 && (number[0] == '-' || number[0] == '+') ? 1 : 0;
    bool digit = false, point = false;
    for (; i < number.size(); ++i) {
      if (IsDigit(number[i])) {
        digit = true;
      } else {
        Check(number[i] == '.' && !point, "a record's number");
        point = true;
      }
    }
    Check(digit, "a record's number has no digit");
  }
}

struct Outcome {
  bool ok = false;
  std::string records;
  ConversionError error;
  std::uint64_t ticks = 0;
};

Outcome Convert(std::string_view bytes, const ConvertOptions& options, size_t piece) {
  TickConverter converter(options);
  Outcome o;
  bool ok = true;
  for (size_t at = 0; ok && at < bytes.size(); at += piece) ok = converter.Feed(bytes.substr(at, piece), o.records);
  o.ok = ok && converter.Finish(o.records);
  o.error = converter.Error();
  o.ticks = converter.Ticks();
  // Nothing more is taken after a fault.
  if (!o.ok) {
    std::string more;
    Check(!converter.Feed("20131008 133003 1230000;1680.25;3\n", more) && more.empty(), "taken after a fault");
  }
  return o;
}

class Bytes : public TickSource {
 public:
  Bytes(std::string name, std::string_view bytes) : name_(std::move(name)), bytes_(bytes) {}
  std::string Name() const override { return name_; }
  bool Open(std::string*) override {
    at_ = 0;
    return true;
  }
  bool Read(char* buffer, size_t capacity, size_t* got, std::string*) override {
    *got = std::min({capacity, size_t{7}, bytes_.size() - at_});
    std::copy_n(bytes_.data() + at_, *got, buffer);
    at_ += *got;
    return true;
  }
  std::int64_t Size() const override { return static_cast<std::int64_t>(bytes_.size()); }

 private:
  std::string name_;
  std::string_view bytes_;
  size_t at_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 3) return 0;
  // Three bytes choose: the name, the read size (1 to 255, 0 for all at once), and the options.
  const char* name = kNames[data[0] % (sizeof kNames / sizeof kNames[0])];
  const size_t piece = data[1] == 0 ? size : data[1];
  const std::uint8_t choice = data[2];
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 3, size - 3);

  const ZoneRules utc = ZoneRules::FixedOffset("UTC", 0), minusFive = ZoneRules::FixedOffset("UTC-05:00", -300);
  ConvertOptions options;
  options.fileName = name;
  options.playbackZone = (choice & 3) == 1 ? &utc : (choice & 3) == 2 ? &minusFive : nullptr;
  if (choice & 4) options.sourceZone = (choice & 8) ? "UTC+02:00" : "";
  if (choice & 16) options.price = static_cast<PriceKind>((choice >> 5) & 3);
  if (choice & 128) options.symbol = "SPY";

  const Outcome whole = Convert(bytes, options, bytes.size() + 1);
  const Outcome pieces = Convert(bytes, options, piece);
  Check(whole.ok == pieces.ok, "the pieces change whether it converts");
  Check(whole.records == pieces.records, "the pieces change the records");
  Check(whole.ok || (whole.error.line == pieces.error.line && whole.error.problem == pieces.error.problem),
        "the pieces change the fault");
  if (!whole.ok) Check(!whole.error.problem.empty(), "a fault without a problem");
  size_t lines = 0;
  for (size_t at = 0; at < whole.records.size();) {
    size_t end = whole.records.find("\r\n", at);
    Check(end != std::string::npos, "a record without its line end");
    CheckRecord(std::string_view(whole.records).substr(at, end - at));
    ++lines;
    at = end + 2;
  }
  Check(lines == whole.ticks, "the tick count");
  if (whole.ok) Check(whole.ticks > 0, "a file converted without ticks");

  // The preview of the same start, as Genvane's dialog shows it.
  Preview p = PreviewStart(bytes, true, options);
  Check(p.records.size() <= 3, "more ticks shown than asked for");

  // The forms of one field, each on the whole text.
  TickWhen when;
  ParseAnyWhen(bytes, when);
  ParseNinjaTraderWhen(bytes, when);
  ParseHistDataWhen(bytes, when);
  ParseMillisOfDayWhen(bytes, 41555, when);
  char buffer[kDecimalBuffer];
  std::string_view decimal;
  const size_t half = bytes.size() / 2;
  MidDecimal(bytes.substr(0, half), bytes.substr(half), buffer, &decimal);
  ScaledDecimal(bytes, choice % 19, buffer, &decimal);

  // Two files cut from the bytes, joined.
  Bytes first(name, bytes.substr(0, half)), second(name, bytes.substr(half));
  JoinSettings settings;
  settings.when = "2024-01-02 03:04:05";
  settings.playbackZone = options.playbackZone;
  settings.playbackZoneName = options.playbackZone ? options.playbackZone->name : "";
  settings.price = options.price;
  settings.symbol = options.symbol;
  std::string joined;
  std::atomic<bool> cancel{false};
  JoinProgress progress;
  JoinResult r = JoinSources(
      {&first, &second}, settings,
      [&](std::string_view b) {
        joined.append(b);
        return true;
      },
      cancel, progress);
  if (r.outcome == JoinOutcome::Done) {
    size_t headerEnd = 0;
    for (int i = 0; i < 3; ++i) {
      headerEnd = joined.find("\r\n", headerEnd);
      Check(headerEnd != std::string::npos, "a header of fewer than three lines");
      headerEnd += 2;
    }
    const std::string_view third = "\r\nSymbol,Date,Time,Price,Volume\r\n";
    Check(headerEnd >= third.size() && joined.compare(headerEnd - third.size(), third.size(), third) == 0,
          "the third header line");
    for (size_t at = headerEnd; at < joined.size();) {
      size_t end = joined.find("\r\n", at);
      Check(end != std::string::npos, "a joined record without its line end");
      CheckRecord(std::string_view(joined).substr(at, end - at));
      at = end + 2;
    }
  } else {
    Check(r.outcome == JoinOutcome::BadInput && !r.error.problem.empty(), "a join fails without a problem");
  }
  return 0;
}
