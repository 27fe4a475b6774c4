// The numeric value of a text: the number at its start, 0 when there is none. Never fails.
#pragma once

#include <string_view>

namespace tickvane {

// Reads an optional sign, digits with at most one decimal point, and an optional exponent
// (E, e, D or d, an optional sign, digits). Blanks, tabs and line feeds are skipped wherever
// they stand, so "1 2" is 12 and "- 5" is -5; reading stops at the first other character.
// D and d mark an exponent as E does, because texts typed for Visual Basic's Val use it.
// "&H" and "&O" prefixes are not numbers here: "&H10" is 0.
//
// The result is the double closest to the decimal number read, however many digits it has,
// independent of the locale (the decimal point is always "."). A value too large for a double
// is plus or minus infinity; one too small is 0. The result is never NaN and never -0.
// An exponent marker without digits after it is not read: "1e" and "1e+" are 1.
double NumericValue(std::string_view text);

// The same rule for UTF-16 texts of edit controls; characters outside ASCII stop the number.
double NumericValue(std::wstring_view text);

}  // namespace tickvane
