// What the converter tests share: zone rules as Windows keeps them (made from their TZI values,
// so that the tests need no registry), a directory of them, and a whole conversion fed in pieces.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/time_zone.h"
#include "converter/tick_converter.h"
#include "converter/zone_name.h"

namespace tickvane::converter::test {

// Eastern (New York) with its rules before and since 2007; GTB (Athens, Bucharest: UTC+2 and
// European summer time, what MetaTrader brokers keep); UTC as Windows has it.
ZoneRules EasternZone();
ZoneRules GtbZone();

// Those three by key name; thisComputer says which this computer's zone is.
ZoneDirectory TestZones(std::string thisComputer = "Eastern Standard Time");

struct Converted {
  bool ok = false;
  std::string records;
  ConversionError error;
  std::uint64_t ticks = 0;
  Finding finding;
  std::string sourceZone;
};

// Converts the whole text, fed in pieces of that size (0: at once).
Converted ConvertText(std::string_view text, ConvertOptions options, size_t pieceSize = 0);

// The record lines, one string each, without their line ends.
std::vector<std::string> RecordLines(const std::string& records);

}  // namespace tickvane::converter::test
