// The pieces of one recorded tick as they appear in a text field, checked and put into the
// playback file's own forms.
#pragma once

#include <string_view>
#include <vector>

namespace tickvane::converter {

struct TickDate {
  int year = 0, month = 0, day = 0;
};
struct TickTime {
  int hour = 0, minute = 0, second = 0;
};

// 20131008, 2013-10-08, 2013/10/08, 2013.10.08; 10/08/2013 (month first, as US exports write it);
// 08.10.2013 (day first, as European exports write it). Impossible days are refused.
bool ParseDate(std::string_view text, TickDate& date);

// 09:30:03, 9:30:03, 09:30 (no seconds), 093003, 93003 (the hour's leading zero dropped);
// a fraction of a second (.125 or ,125) is accepted and dropped.
bool ParseTime(std::string_view text, TickTime& time);

// One field holding both, the two parts separated by blanks or a T:
// 2013-10-08 09:30:03.125, 20131008 093003, 2013-10-08T09:30:03.
bool ParseDateTime(std::string_view text, TickDate& date, TickTime& time);

// A price or a volume: digits with at most one decimal point (a decimal comma counts as one), an
// optional leading sign for prices. On success *normal holds the text with a point as decimal mark,
// written into buffer (at least text.size() long).
bool NormalizeNumber(std::string_view text, bool signAllowed, char* buffer, std::string_view* normal);

// Leading and trailing blanks and tabs removed, then one pair of enclosing double quotes.
std::string_view CleanField(std::string_view text);

// The fields of a line, each cleaned: a field that begins with a double quote runs to the closing
// quote, separators inside it and all ("12,37").
std::vector<std::string_view> SplitFields(std::string_view line, char separator);

}  // namespace tickvane::converter
