// Turns the bytes of a recorded tick file into the record lines of a playback file, streaming:
// the bytes come in pieces of any size and the records go out as they are made. The file's
// format is found from its first lines (or first bytes) and its name; its times are read in the
// format's zone (or the one the user gives) and written in the playback zone.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/time_zone.h"
#include "converter/price_kind.h"
#include "converter/text_decoder.h"
#include "converter/tick_format.h"
#include "converter/tick_time.h"
#include "converter/zone_clock.h"
#include "converter/zone_name.h"

namespace tickvane::converter {

struct ConversionError {
  std::uint64_t line = 0;  // 1 for the first line of the file (the record number in a .scid file, 0 its header)
  bool record = false;     // line counts the records of a binary file
  std::string problem;
};

// "Line 12", "Record 12", or "The header" of a binary file.
std::string ErrorPlace(const ConversionError& error);

struct ConvertOptions {
  std::string fileName;                  // the source's name or path: hints and symbol come from it
  std::string fallbackSymbol = "TICKS";  // when neither a symbol column nor the name gives one
  const ZoneDirectory* zones = nullptr;  // the rules of the formats' zones, by name
  // The zone of the file's times as the user gives it (a key name or a fixed offset; empty: as
  // written, no zone); none: the format's own.
  std::optional<std::string> sourceZone;
  // The zone the playback file is in (RecordingTimeZone); none: the source's times as they are.
  const ZoneRules* playbackZone = nullptr;
  std::optional<PriceKind> price;  // none: the format's choice
  // A filter on the file's symbol column (any letter case), or the records' symbol when the file
  // has none.
  std::string symbol;
};

// One tick's time: key orders ticks across files (UTC when the zone is known, else the clock as
// written); shown is the playback file's time.
struct TickStamp {
  std::int64_t key = 0;
  std::int64_t shown = 0;
  std::uint64_t line = 0;
};

class TickConverter {
 public:
  // symbol: what records without a symbol column carry (see SymbolFromFileName).
  explicit TickConverter(std::string symbol);
  explicit TickConverter(ConvertOptions options);

  // Takes the next piece of the file and appends the finished records to out, each
  // SYMBOL,YYYYMMDD,HHMMSS,PRICE,VOLUME with CR LF. False once the input is found bad; Error()
  // then says where and why, and nothing more is taken.
  bool Feed(std::string_view piece, std::string& out);
  // The end of the file: converts a last line without line end. False when it is bad, or when
  // the file had no header or no ticks.
  bool Finish(std::string& out);

  const ConversionError& Error() const { return error_; }
  std::uint64_t Ticks() const { return ticks_; }

  // What the file was found to be; valid once Detected().
  bool Detected() const { return detected_; }
  const Finding& Found() const { return finding_; }
  PriceKind Price() const { return price_; }
  // The zone the times are read in as named (empty: as written), and whether it is the format's.
  const std::string& SourceZoneName() const { return sourceZoneName_; }
  const std::optional<TickStamp>& FirstTick() const { return first_; }
  // The tick with the highest key so far.
  const std::optional<TickStamp>& LastTick() const { return last_; }

 private:
  bool FeedText(std::string_view text, std::string& out);
  bool Detect(bool complete, std::string& out);
  bool Setup();
  bool Lines(std::string_view text, std::string& out);
  bool Line(std::string_view line, std::string& out);
  bool Record(std::string_view line, std::string& out);
  bool ScidBytes(std::string_view bytes, std::string& out);
  bool ScidRecord(const char* record, std::string& out);
  bool Emit(std::string_view symbol, std::int64_t clock, bool zoned, int offsetMinutes, std::string_view price,
            std::string_view volume, std::string& out);
  bool Fail(std::string problem);
  bool LineTooLong();

  ConvertOptions options_;
  bool failed_ = false;
  ConversionError error_;
  std::uint64_t line_ = 0;
  std::uint64_t headerLine_ = 0;
  std::uint64_t ticks_ = 0;

  // The first bytes, until they tell a binary chart file from text.
  std::string start_;
  bool started_ = false;
  TextDecoder decoder_;
  std::string scratch_;
  std::string head_;  // the text before the format is known
  size_t headLines_ = 0;
  std::string carry_;  // a line cut by the end of a piece
  bool haveHeader_ = false;

  bool detected_ = false;
  Finding finding_;
  PriceKind price_ = PriceKind::Last;
  std::string symbol_;
  std::string sourceZoneName_;
  std::optional<ZoneRules> sourceRules_;
  std::optional<ZoneClock> sourceClock_;
  std::optional<ZoneClock> playbackClock_;

  // The symbol of the file's first tick, when it has a symbol column and no filter.
  std::string firstSymbol_;
  // MetaTrader's last bid and ask, carried over lines that leave them empty.
  char bid_[48] = {}, ask_[48] = {};
  size_t bidSize_ = 0, askSize_ = 0;
  // The last date text seen and its day: ticks come in long runs of the same day.
  std::string lastDateText_;
  std::int64_t lastDay_ = 0;
  bool haveLastDate_ = false;
  // The last day written and its YYYYMMDD.
  std::int64_t outDay_ = 0;
  char outDate_[8] = {};
  bool haveOutDay_ = false;
  // .scid: bytes of the header still to skip, the record size, and a record cut by a piece.
  std::uint64_t scidSkip_ = 0;
  std::uint32_t scidRecordSize_ = 0;
  std::string scidPart_;
  bool scidHeader_ = false;

  std::optional<TickStamp> first_, last_;

  // The fields of the line in hand; as many as the layout needs are filled.
  static constexpr int kMaxFields = 256;
  std::string_view fields_[kMaxFields];
  int needed_ = 0;
  DayCache dayCache_;
};

}  // namespace tickvane::converter
