#include "component/chart_format.h"

#include <bit>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "component/chart_date.h"
#include "component/chart_number.h"

namespace tickvane::chart {
namespace {

template <typename T>
void PutLittleEndian(std::string& out, T value) {
  auto bits = static_cast<std::uint64_t>(value);
  for (std::size_t i = 0; i < sizeof(T); ++i) out.push_back(static_cast<char>((bits >> (8 * i)) & 0xFF));
}

template <typename T>
T GetLittleEndian(std::string_view bytes, std::size_t offset) {
  std::uint64_t bits = 0;
  for (std::size_t i = 0; i < sizeof(T); ++i)
    bits |= static_cast<std::uint64_t>(static_cast<unsigned char>(bytes[offset + i])) << (8 * i);
  return static_cast<T>(bits);
}

// A price beyond float's range would turn into infinity, which charts cannot place.
bool FitsFloat(double value) { return std::fabs(value) <= 3.0e38; }

std::string DateTimeText(std::int64_t micros) {
  const CivilDateTime t = ToCivil(micros);
  char buffer[64];
  int n = std::snprintf(buffer, sizeof buffer, "%04d%02d%02d %02d%02d%02d", t.year, t.month, t.day, t.hour, t.minute,
                        t.second);
  if (t.micros != 0) std::snprintf(buffer + n, sizeof buffer - n, ".%06d", t.micros);
  return buffer;
}

// The shortest text with at least two decimals that reads back as the same float.
std::string PriceText(float price) {
  char buffer[64];
  for (int decimals = 2; decimals < 10; ++decimals) {
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, static_cast<double>(price));
    if (static_cast<float>(std::strtod(buffer, nullptr)) == price) return buffer;
  }
  std::snprintf(buffer, sizeof buffer, "%.9g", static_cast<double>(price));
  return buffer;
}

}  // namespace

std::optional<ChartRecord> TradeRecord(std::string_view tickDate, std::string_view tickPrice,
                                       std::string_view tickTime, const ZoneRules* recordingZone) {
  const std::optional<double> date = ParseNumber(tickDate), time = ParseNumber(tickTime), value = ParseNumber(tickPrice);
  if (!date || !time || !value || !FitsFloat(*value)) return std::nullopt;
  const std::optional<std::int64_t> local = TickDateTime(*date, *time);
  if (!local) return std::nullopt;
  ChartRecord r;
  r.dateTime = recordingZone ? LocalToUtc(*recordingZone, *local) : *local;
  const auto price = static_cast<float>(*value);
  r.open = 0;
  r.high = r.low = r.close = price;
  r.numTrades = 1;
  r.totalVolume = 1;
  return r;
}

void AppendHeader(std::string& out) {
  out += "SCID";
  PutLittleEndian<std::uint32_t>(out, kHeaderSize);
  PutLittleEndian<std::uint32_t>(out, kRecordSize);
  PutLittleEndian<std::uint16_t>(out, kVersion);
  out.append(kHeaderSize - 14, '\0');
}

void AppendRecord(std::string& out, const ChartRecord& r) {
  PutLittleEndian<std::uint64_t>(out, static_cast<std::uint64_t>(r.dateTime));
  for (float f : {r.open, r.high, r.low, r.close}) PutLittleEndian<std::uint32_t>(out, std::bit_cast<std::uint32_t>(f));
  for (std::uint32_t n : {r.numTrades, r.totalVolume, r.bidVolume, r.askVolume}) PutLittleEndian<std::uint32_t>(out, n);
}

std::optional<std::string> HeaderProblem(std::string_view header) {
  if (header.size() < kHeaderSize) return "it is shorter than a chart-file header";
  if (header.substr(0, 4) != "SCID") return "it does not begin with \"SCID\"";
  const auto headerSize = GetLittleEndian<std::uint32_t>(header, 4);
  const auto recordSize = GetLittleEndian<std::uint32_t>(header, 8);
  const auto version = GetLittleEndian<std::uint16_t>(header, 12);
  if (headerSize != kHeaderSize) return "its header size is " + std::to_string(headerSize) + ", not 56";
  if (recordSize != kRecordSize) return "its record size is " + std::to_string(recordSize) + ", not 40";
  if (version != kVersion) return "its version is " + std::to_string(version) + ", not 1";
  return std::nullopt;
}

ChartRecord DecodeRecord(std::string_view bytes) {
  ChartRecord r;
  r.dateTime = static_cast<std::int64_t>(GetLittleEndian<std::uint64_t>(bytes, 0));
  r.open = std::bit_cast<float>(GetLittleEndian<std::uint32_t>(bytes, 8));
  r.high = std::bit_cast<float>(GetLittleEndian<std::uint32_t>(bytes, 12));
  r.low = std::bit_cast<float>(GetLittleEndian<std::uint32_t>(bytes, 16));
  r.close = std::bit_cast<float>(GetLittleEndian<std::uint32_t>(bytes, 20));
  r.numTrades = GetLittleEndian<std::uint32_t>(bytes, 24);
  r.totalVolume = GetLittleEndian<std::uint32_t>(bytes, 28);
  r.bidVolume = GetLittleEndian<std::uint32_t>(bytes, 32);
  r.askVolume = GetLittleEndian<std::uint32_t>(bytes, 36);
  return r;
}

std::string FormatRecordLine(const ChartRecord& r, const ZoneRules* zone) {
  std::string line = DateTimeText(r.dateTime) + " " + PriceText(r.close) + " " + std::to_string(r.totalVolume);
  if (zone) line += " " + DateTimeText(UtcToLocal(*zone, r.dateTime));
  return line;
}

}  // namespace tickvane::chart
