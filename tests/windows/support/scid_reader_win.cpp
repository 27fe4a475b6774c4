#include "tests/windows/support/scid_reader_win.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

namespace tickvane::test {
namespace {

// Days from 1601-01-01 (FILETIME's start) to 1899-12-30 (SCDateTime's).
constexpr std::int64_t kDaysFrom1601To1899 = 109205;

template <typename T>
T At(const std::string& bytes, size_t offset) {
  T value;
  std::memcpy(&value, bytes.data() + offset, sizeof value);  // x86-64 is little-endian, as the file
  return value;
}

}  // namespace

ScidFile ReadScid(const std::string& bytes) {
  ScidFile file;
  if (bytes.size() < 56 || bytes.compare(0, 4, "SCID") != 0) {
    file.problem = "no SCID header";
    return file;
  }
  if (At<std::uint32_t>(bytes, 4) != 56 || At<std::uint32_t>(bytes, 8) != 40 || At<std::uint16_t>(bytes, 12) != 1) {
    file.problem = "header sizes or version are not 56, 40, 1";
    return file;
  }
  if ((bytes.size() - 56) % 40 != 0) file.problem = "the file ends inside a record";
  for (size_t at = 56; at + 40 <= bytes.size(); at += 40) {
    ScidRecord r;
    r.micros = At<std::int64_t>(bytes, at);
    r.open = At<float>(bytes, at + 8);
    r.high = At<float>(bytes, at + 12);
    r.low = At<float>(bytes, at + 16);
    r.close = At<float>(bytes, at + 20);
    r.numTrades = At<std::uint32_t>(bytes, at + 24);
    r.totalVolume = At<std::uint32_t>(bytes, at + 28);
    ULARGE_INTEGER ticks;
    ticks.QuadPart = static_cast<ULONGLONG>((r.micros + kDaysFrom1601To1899 * 86400LL * 1000000LL) * 10);
    FILETIME ft{ticks.LowPart, ticks.HighPart};
    ::FileTimeToSystemTime(&ft, &r.utc);
    file.records.push_back(r);
  }
  return file;
}

ScidFile ReadScidFile(const std::wstring& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  if (!in) {
    ScidFile file;
    file.problem = "cannot be opened";
    return file;
  }
  return ReadScid(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
}

std::string TimeText(const SYSTEMTIME& t) {
  char text[32];
  std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute,
                t.wSecond);
  return text;
}

}  // namespace tickvane::test
