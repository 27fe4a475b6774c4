// Chart file to text, for people and tests: the header, then one line per record.
#pragma once

#include <istream>
#include <ostream>
#include <string_view>

#include "common/time_zone.h"

namespace tickvane::chart {

// Writes "# SCID chart file: header 56 bytes, record 40 bytes, version 1", then one
// FormatRecordLine per record, then "# N records". Streams, so a file of any size is fine.
// Record times are UTC; with a zone, a second comment line names it and every record shows its
// time in that zone too.
// Returns 0; 2 (and says why on `err`, naming `name`) for a file that is not a chart file or ends
// inside a record, after the whole records before that point have been written.
int DumpChart(std::istream& in, std::ostream& out, std::ostream& err, std::string_view name,
              const ZoneRules* zone = nullptr);

}  // namespace tickvane::chart
