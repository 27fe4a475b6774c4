// What Genvane's dialog shows before converting: the finding for a file's first bytes and its
// first ticks as they will replay.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "converter/tick_converter.h"

namespace tickvane::converter {

struct Preview {
  bool detected = false;  // the format was found (finding holds it)
  bool failed = false;    // the start of the file is bad: error says where and why
  Finding finding;
  std::string sourceZone;
  PriceKind price = PriceKind::Last;
  std::vector<std::string> records;  // the first record lines, without their line ends
  ConversionError error;
  std::vector<std::string> symbols;  // the symbols of a symbol column, in the order first seen
  std::string chosenSymbol;          // for a file of several symbols without a choice: the one shown
};

// head: the file's first bytes; whole: they are the whole file. count: records wanted.
Preview PreviewStart(std::string_view head, bool whole, const ConvertOptions& options, size_t count = 3);

}  // namespace tickvane::converter
