#include "station/engine/time_mask.h"

#include "station/engine/numeric_value.h"

#include <charconv>
#include <cmath>
#include <cstdint>

namespace tickvane {

std::string MaskTime(std::string_view tickTime) {
  const double value = std::trunc(NumericValue(tickTime));
  if (!std::isfinite(value)) return std::string();

  // The digits of the whole number, right-aligned in `digits`; the largest double has 309.
  char digits[400];
  char* const digitsEnd = digits + sizeof digits;
  char* first = digitsEnd;
  const double magnitude = std::fabs(value);
  if (magnitude < 1e18) {
    auto n = static_cast<std::uint64_t>(magnitude);
    do {
      *--first = static_cast<char>('0' + n % 10);
      n /= 10;
    } while (n != 0);
  } else {
    const auto [end, error] =
        std::to_chars(digits, digitsEnd, magnitude, std::chars_format::fixed, 0);
    if (error != std::errc()) return std::string();
    const std::size_t size = static_cast<std::size_t>(end - digits);
    std::char_traits<char>::move(digitsEnd - size, digits, size);
    first = digitsEnd - size;
  }
  // A time before 01:00:00 shows hour 0, as a clock does.
  while (digitsEnd - first < 5) *--first = '0';

  std::string shown;
  shown.reserve(static_cast<std::size_t>(digitsEnd - first) + 3);
  if (value < 0) shown += '-';
  shown.append(first, digitsEnd - 4);
  shown += ':';
  shown.append(digitsEnd - 4, 2);
  shown += ':';
  shown.append(digitsEnd - 2, 2);
  return shown;
}

}  // namespace tickvane
