// Display text of a tick time: the hhmmss number shown through the mask "##:##:##".
#pragma once

#include <string>
#include <string_view>

namespace tickvane {

// The text is taken as a number (NumericValue) and its digits fill the mask from the right,
// the hour not padded: "093015" and "93015" show "9:30:15", "153000" shows "15:30:00".
//
// Where the mask leaves the choice, the text shows what a clock would show:
// - A time before 01:00:00 (fewer than five digits) shows hour 0 and two-digit minutes and
//   seconds: "3015" shows "0:30:15", "5" shows "0:00:05", and "0", an empty text and a text
//   without a number show "0:00:00", since those count as 0 in the pacing too.
// - A fraction of a second is cut off, not rounded: "93015.9" shows "9:30:15"; rounding up
//   would show a second that has not yet come, or a 60 in the seconds.
// - More than six digits all stay in front of the first colon, as the mask puts them:
//   "1234567" shows "123:45:67", so bad data is visible rather than cut.
// - A negative number keeps its sign in front: "-93015" shows "-9:30:15".
// - A number too large for a double (infinity) shows nothing.
std::string MaskTime(std::string_view tickTime);

}  // namespace tickvane
