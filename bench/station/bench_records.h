// The playback files that the station benchmarks replay: records of one trading day whose prices
// number them, so that a linked client can tell from a price which record it is and whether any
// came out of order.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tickvane::bench {

// The three header lines that every playback file starts with.
std::string HeaderLines();

// Price text of record `index` (from 0): always nine characters, 100000.00 upwards, one cent per
// record, so that record lines of a file keep one length.
std::string PriceOf(std::uint64_t index);
// The record that a price text names, or nothing when it is no price of PriceOf.
std::optional<std::uint64_t> IndexOfPrice(std::string_view price);

// One record line with its CR LF. `hhmmss` is the time field as written in the file.
std::string RecordLine(std::uint64_t index, std::string_view hhmmss);

// What the station shows in its time box for that field (the mask "##:##:##" of its value).
std::string MaskedTime(std::string_view hhmmss);

// The time of day `seconds` after 09:30:00 as hhmmss digits.
std::string TimeAfterOpen(int seconds);

}  // namespace tickvane::bench
