// Sierra Chart's intraday file read the way Sierra Chart documents it, written apart from the
// component's own format code so that the two check each other: a header of 56 bytes, then
// 40-byte records whose date-time counts microseconds since 1899-12-30 in UTC.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tickvane::test {

struct ScidRecord {
  SYSTEMTIME utc{};  // the record's date-time, by the system's own calendar
  std::int64_t micros = 0;
  float open = 0, high = 0, low = 0, close = 0;
  std::uint32_t numTrades = 0, totalVolume = 0;
};

struct ScidFile {
  std::vector<ScidRecord> records;
  std::string problem;  // empty when the bytes are a whole intraday file
};

ScidFile ReadScid(const std::string& bytes);
ScidFile ReadScidFile(const std::wstring& path);

// "2013-10-08 13:30:03" of a SYSTEMTIME.
std::string TimeText(const SYSTEMTIME& t);

}  // namespace tickvane::test
