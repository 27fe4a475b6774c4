#include "bench/station/bench_records.h"

#include <cstdio>

namespace tickvane::bench {

namespace {
constexpr std::uint64_t kFirstWhole = 100000;
}

std::string HeaderLines() { return "Symbol,Date,Time,Price,Volume\r\nbenchmark\r\nheader three\r\n"; }

std::string PriceOf(std::uint64_t index) {
  char text[32];
  std::snprintf(text, sizeof text, "%llu.%02llu", static_cast<unsigned long long>(kFirstWhole + index / 100),
                static_cast<unsigned long long>(index % 100));
  return text;
}

std::optional<std::uint64_t> IndexOfPrice(std::string_view price) {
  const size_t dot = price.find('.');
  if (dot == std::string_view::npos || dot == 0 || price.size() - dot != 3) return std::nullopt;
  std::uint64_t whole = 0;
  for (char c : price.substr(0, dot)) {
    if (c < '0' || c > '9') return std::nullopt;
    whole = whole * 10 + static_cast<std::uint64_t>(c - '0');
  }
  const char tens = price[dot + 1], units = price[dot + 2];
  if (tens < '0' || tens > '9' || units < '0' || units > '9' || whole < kFirstWhole) return std::nullopt;
  return (whole - kFirstWhole) * 100 + static_cast<std::uint64_t>((tens - '0') * 10 + (units - '0'));
}

std::string RecordLine(std::uint64_t index, std::string_view hhmmss) {
  std::string line = "IBM,20131008,";
  line += hhmmss;
  line += ',';
  line += PriceOf(index);
  line += ",100\r\n";
  return line;
}

std::string MaskedTime(std::string_view hhmmss) {
  // "##:##:##" of the number: no leading zeros, the last four digits in pairs.
  std::string digits(hhmmss);
  while (digits.size() > 1 && digits.front() == '0') digits.erase(digits.begin());
  while (digits.size() < 5) digits.insert(digits.begin(), '0');
  const size_t n = digits.size();
  std::string hours = digits.substr(0, n - 4);
  while (hours.size() > 1 && hours.front() == '0') hours.erase(hours.begin());
  return hours + ":" + digits.substr(n - 4, 2) + ":" + digits.substr(n - 2);
}

std::string TimeAfterOpen(int seconds) {
  const int total = 9 * 3600 + 30 * 60 + seconds;
  char text[16];
  std::snprintf(text, sizeof text, "%02d%02d%02d", total / 3600 % 24, total / 60 % 60, total % 60);
  return text;
}

}  // namespace tickvane::bench
