#include "converter/tick_fields.h"

namespace tickvane::converter {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The whole text as a number of exactly n digits.
bool Digits(std::string_view text, size_t n, int& value) {
  if (text.size() != n) return false;
  int v = 0;
  for (char c : text) {
    if (!IsDigit(c)) return false;
    v = v * 10 + (c - '0');
  }
  value = v;
  return true;
}

// One or two digits.
bool ShortNumber(std::string_view text, int& value) {
  return Digits(text, 1, value) || Digits(text, 2, value);
}

bool IsLeap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

bool ValidDate(const TickDate& d) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (d.year < 1900 || d.year > 9999 || d.month < 1 || d.month > 12 || d.day < 1) return false;
  int last = kDays[d.month - 1] + (d.month == 2 && IsLeap(d.year) ? 1 : 0);
  return d.day <= last;
}

bool ValidTime(const TickTime& t) {
  return t.hour >= 0 && t.hour < 24 && t.minute >= 0 && t.minute < 60 && t.second >= 0 && t.second < 60;
}

// Splits "a?b?c" at the separator sep into exactly three parts.
bool SplitThree(std::string_view text, char sep, std::string_view parts[3]) {
  size_t first = text.find(sep);
  if (first == std::string_view::npos) return false;
  size_t second = text.find(sep, first + 1);
  if (second == std::string_view::npos || text.find(sep, second + 1) != std::string_view::npos) return false;
  parts[0] = text.substr(0, first);
  parts[1] = text.substr(first + 1, second - first - 1);
  parts[2] = text.substr(second + 1);
  return true;
}

}  // namespace

bool ParseDate(std::string_view text, TickDate& date) {
  TickDate d;
  if (text.size() == 8) {
    if (!Digits(text.substr(0, 4), 4, d.year) || !Digits(text.substr(4, 2), 2, d.month) ||
        !Digits(text.substr(6, 2), 2, d.day))
      return false;
  } else {
    std::string_view p[3];
    char sep = 0;
    for (char c : {'-', '/', '.'})
      if (SplitThree(text, c, p)) {
        sep = c;
        break;
      }
    if (!sep) return false;
    if (Digits(p[0], 4, d.year)) {
      if (!ShortNumber(p[1], d.month) || !ShortNumber(p[2], d.day)) return false;
    } else if (sep == '/' && Digits(p[2], 4, d.year)) {
      if (!ShortNumber(p[0], d.month) || !ShortNumber(p[1], d.day)) return false;
    } else if (sep == '.' && Digits(p[2], 4, d.year)) {
      if (!ShortNumber(p[0], d.day) || !ShortNumber(p[1], d.month)) return false;
    } else {
      return false;
    }
  }
  if (!ValidDate(d)) return false;
  date = d;
  return true;
}

bool ParseTime(std::string_view text, TickTime& time) {
  // Fractions of a second are dropped: the playback file holds whole seconds.
  size_t fraction = text.find_first_of(".,");
  if (fraction != std::string_view::npos) {
    std::string_view digits = text.substr(fraction + 1);
    if (digits.empty()) return false;
    for (char c : digits)
      if (!IsDigit(c)) return false;
    text = text.substr(0, fraction);
  }
  TickTime t;
  size_t colon = text.find(':');
  if (colon != std::string_view::npos) {
    std::string_view rest = text.substr(colon + 1);
    size_t colon2 = rest.find(':');
    if (!ShortNumber(text.substr(0, colon), t.hour)) return false;
    if (colon2 == std::string_view::npos) {
      if (fraction != std::string_view::npos || !Digits(rest, 2, t.minute)) return false;
    } else if (!Digits(rest.substr(0, colon2), 2, t.minute) || !Digits(rest.substr(colon2 + 1), 2, t.second)) {
      return false;
    }
  } else if (text.size() == 5 || text.size() == 6) {
    // Written as a number, the hour's leading zero goes missing: 93003 is 09:30:03.
    size_t h = text.size() - 4;
    if (!Digits(text.substr(0, h), h, t.hour) || !Digits(text.substr(h, 2), 2, t.minute) ||
        !Digits(text.substr(h + 2, 2), 2, t.second))
      return false;
  } else {
    return false;
  }
  if (!ValidTime(t)) return false;
  time = t;
  return true;
}

bool ParseDateTime(std::string_view text, TickDate& date, TickTime& time) {
  size_t cut = text.find_first_of(" \tT");
  if (cut == std::string_view::npos) return false;
  size_t next = text.find_first_not_of(" \t", cut + 1);
  if (next == std::string_view::npos) return false;
  if (text[cut] == 'T' && next != cut + 1) return false;
  return ParseDate(text.substr(0, cut), date) && ParseTime(text.substr(next), time);
}

bool NormalizeNumber(std::string_view text, bool signAllowed, char* buffer, std::string_view* normal) {
  size_t n = 0;
  size_t i = 0;
  if (signAllowed && !text.empty() && (text[0] == '-' || text[0] == '+')) buffer[n++] = text[i++];
  bool digit = false, point = false;
  for (; i < text.size(); ++i) {
    char c = text[i];
    if (IsDigit(c)) {
      digit = true;
      buffer[n++] = c;
    } else if ((c == '.' || c == ',') && !point) {
      // The playback file separates its fields by commas, so a decimal comma becomes a point.
      point = true;
      buffer[n++] = '.';
    } else {
      return false;
    }
  }
  if (!digit) return false;
  *normal = std::string_view(buffer, n);
  return true;
}

std::string_view CleanField(std::string_view text) {
  size_t b = text.find_first_not_of(" \t");
  if (b == std::string_view::npos) return {};
  size_t e = text.find_last_not_of(" \t");
  text = text.substr(b, e - b + 1);
  if (text.size() >= 2 && text.front() == '"' && text.back() == '"') text = text.substr(1, text.size() - 2);
  return text;
}

std::vector<std::string_view> SplitFields(std::string_view line, char separator) {
  std::vector<std::string_view> fields;
  size_t start = 0;
  for (;;) {
    size_t from = start;
    if (from < line.size() && line[from] == '"') {
      size_t close = line.find('"', from + 1);
      if (close != std::string_view::npos) from = close;
    }
    size_t end = line.find(separator, from);
    if (end == std::string_view::npos) {
      fields.push_back(CleanField(line.substr(start)));
      return fields;
    }
    fields.push_back(CleanField(line.substr(start, end - start)));
    start = end + 1;
  }
}

}  // namespace tickvane::converter
