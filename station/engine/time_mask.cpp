#include "station/engine/time_mask.h"

#include "station/engine/numeric_value.h"

#include <charconv>
#include <cmath>

namespace tickvane {

std::string MaskTime(std::string_view tickTime) {
  const double value = std::trunc(NumericValue(tickTime));
  if (!std::isfinite(value)) return std::string();

  // The largest double has 309 integer digits.
  char digits[400];
  const auto [end, error] =
      std::to_chars(digits, digits + sizeof digits, std::fabs(value), std::chars_format::fixed, 0);
  if (error != std::errc()) return std::string();
  std::string_view number(digits, static_cast<std::size_t>(end - digits));

  std::string shown;
  shown.reserve(number.size() + 8);
  if (value < 0) shown += '-';
  // A time before 01:00:00 shows hour 0, as a clock does.
  if (number.size() < 5) shown.append(5 - number.size(), '0');
  shown.append(number);
  shown.insert(shown.size() - 4, 1, ':');
  shown.insert(shown.size() - 2, 1, ':');
  return shown;
}

}  // namespace tickvane
