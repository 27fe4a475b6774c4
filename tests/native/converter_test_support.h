// What the converter tests share: a directory of zone rules as Windows keeps them, and a whole
// conversion fed in pieces.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/time_zone.h"
#include "converter/tick_converter.h"
#include "converter/zone_name.h"
#include "tests/native/record_lines.h"
#include "tests/native/test_zones.h"

namespace tickvane::converter::test {

using tickvane::test::EasternZone;
using tickvane::test::GtbZone;

// Eastern, GTB and UTC as Windows has it, by key name; thisComputer says which this computer's
// zone is.
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

using tickvane::test::RecordLines;

}  // namespace tickvane::converter::test
