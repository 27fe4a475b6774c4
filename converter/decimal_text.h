// Prices worked out as decimal text, exactly: no binary floating point comes between a price in
// the tick file and the price in the playback file.
#pragma once

#include <string_view>

namespace tickvane::converter {

// Room that every function here needs in its buffer.
inline constexpr size_t kDecimalBuffer = 48;

// A price given as a whole number of units of 10^-decimals (Databento's 1e-9, LEAN's 1/10,000)
// as a plain decimal: 1825000 with 4 decimals is 182.5; the fraction's trailing zeros go, and
// the point with them when nothing is left (1680250000000 with 9 decimals is 1680.25). An
// optional leading minus. False when the text is no whole number or has more than 18 digits.
bool ScaledDecimal(std::string_view integer, int decimals, char* buffer, std::string_view* out);

// The midpoint of two decimals as NormalizeNumber writes them (sign, digits, at most one point):
// it has as many decimals as the longer of the two, one more when the sum is odd in its last
// digit (1.35508 and 1.35512 give 1.35510; 1.2 and 1.25 give 1.225).
bool MidDecimal(std::string_view a, std::string_view b, char* buffer, std::string_view* out);

// The sum of two such decimals, with as many decimals as the longer.
bool SumDecimal(std::string_view a, std::string_view b, char* buffer, std::string_view* out);

// A float as the shortest decimal that reads back as the same float (1680.25, 1.35508).
bool FloatDecimal(float value, char* buffer, std::string_view* out);

}  // namespace tickvane::converter
