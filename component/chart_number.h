// Numbers in the texts that the station hands to the chart-file writer.
#pragma once

#include <optional>
#include <string_view>

namespace tickvane::chart {

// The value of a text that is a plain decimal number ("182.50", "-3", "1e3"), blanks around it
// allowed; nothing for anything else ("abc", "12x", "", "nan", "inf"). Never depends on the locale.
std::optional<double> ParseNumber(std::string_view text);

}  // namespace tickvane::chart
