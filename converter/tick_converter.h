// Turns the text of a recorded tick file into the record lines of a playback file, streaming:
// the text comes in pieces of any size and the records go out as they are made.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "converter/column_map.h"

namespace tickvane::converter {

struct ConversionError {
  std::uint64_t line = 0;  // 1 for the first line of the file
  std::string problem;
};

class TickConverter {
 public:
  // symbol: what records without a symbol column carry (see SymbolFromFileName).
  explicit TickConverter(std::string symbol);

  // Takes the next piece of the file and appends the finished records to out, each
  // SYMBOL,YYYYMMDD,HHMMSS,PRICE,VOLUME with CR LF. False once the input is found bad; Error()
  // then says where and why, and nothing more is taken.
  bool Feed(std::string_view piece, std::string& out);
  // The end of the file: converts a last line without line end. False when it is bad, or when
  // the file had no header or no ticks.
  bool Finish(std::string& out);

  const ConversionError& Error() const { return error_; }
  std::uint64_t Ticks() const { return ticks_; }
  const ColumnMap& Columns() const { return columns_; }

 private:
  bool Line(std::string_view line, std::string& out);
  bool Record(std::string_view line, std::string& out);
  bool Fail(std::string problem);

  std::string symbol_;
  std::string carry_;  // a line cut by the end of a piece
  ColumnMap columns_;
  bool haveHeader_ = false;
  bool failed_ = false;
  std::uint64_t line_ = 0;
  std::uint64_t headerLine_ = 0;
  std::uint64_t ticks_ = 0;
  ConversionError error_;
  // The last date text seen and its playback form: ticks come in long runs of the same day.
  bool haveLastDate_ = false;
  std::string lastDateText_;
  char lastDate_[8] = {};
};

}  // namespace tickvane::converter
