// The chart file: Sierra Chart's Intraday Data File layout (.scid), little-endian.
// A 56-byte header ("SCID", header size, record size, version 1, the rest 0), then 40-byte records.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/time_zone.h"

namespace tickvane::chart {

inline constexpr std::size_t kHeaderSize = 56;
inline constexpr std::size_t kRecordSize = 40;
inline constexpr std::uint16_t kVersion = 1;

struct ChartRecord {
  std::int64_t dateTime = 0;  // microseconds since 1899-12-30 00:00:00
  float open = 0, high = 0, low = 0, close = 0;
  std::uint32_t numTrades = 0, totalVolume = 0, bidVolume = 0, askVolume = 0;

  friend bool operator==(const ChartRecord&, const ChartRecord&) = default;
};

// One trade as Sierra Chart expects a tick: Open 0, High = Low = Close = the price, one trade of
// volume 1 (the station hands no volume). Sierra Chart takes the date-time as UTC: with a
// recordingZone the tick's date and time are that zone's local time and are turned into UTC,
// without one they are written as they stand.
// Nothing for a tick with no calendar date, no clock time or no price a float can hold: a chart
// cannot place it, and a made-up value would wreck its time or price scale.
std::optional<ChartRecord> TradeRecord(std::string_view tickDate, std::string_view tickPrice,
                                       std::string_view tickTime, const ZoneRules* recordingZone = nullptr);

// Bytes are appended to a std::string used as a byte buffer.
void AppendHeader(std::string& out);
void AppendRecord(std::string& out, const ChartRecord& record);

// Why the first kHeaderSize bytes are not a header we can append to; nothing when they are.
std::optional<std::string> HeaderProblem(std::string_view header);

// A record from exactly kRecordSize bytes.
ChartRecord DecodeRecord(std::string_view bytes);

// One line of text for a record: "20131008 093003 182.50 1" (date, time, price, total volume);
// fractions of a second, when a record has them, follow the time (093003.250000). With a zone,
// the record's date and time in that zone follow: "20131008 133003 182.50 1 20131008 093003".
std::string FormatRecordLine(const ChartRecord& record, const ZoneRules* zone = nullptr);

}  // namespace tickvane::chart
