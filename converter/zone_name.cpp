#include "converter/zone_name.h"

#include <cstdlib>

namespace tickvane::converter {
namespace {

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool StartsWithWord(std::string_view text, std::string_view word) {
  if (text.size() < word.size()) return false;
  for (size_t i = 0; i < word.size(); ++i)
    if (Lower(text[i]) != word[i]) return false;
  return true;
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

bool Digits(std::string_view text, int& value) {
  if (text.empty() || text.size() > 2) return false;
  int v = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    v = v * 10 + (c - '0');
  }
  value = v;
  return true;
}

}  // namespace

std::optional<int> FixedOffsetMinutes(std::string_view name) {
  std::string_view rest = Trim(name);
  if (!StartsWithWord(rest, "utc") && !StartsWithWord(rest, "gmt")) return std::nullopt;
  rest = Trim(rest.substr(3));
  if (rest.empty()) return 0;
  const int sign = rest.front() == '+' ? 1 : rest.front() == '-' ? -1 : 0;
  if (sign == 0) return std::nullopt;
  rest = Trim(rest.substr(1));
  int hours = 0, minutes = 0;
  size_t colon = rest.find(':');
  if (colon != std::string_view::npos) {
    if (!Digits(rest.substr(0, colon), hours) || rest.size() - colon - 1 != 2 ||
        !Digits(rest.substr(colon + 1), minutes))
      return std::nullopt;
  } else if (rest.size() == 4) {
    if (!Digits(rest.substr(0, 2), hours) || !Digits(rest.substr(2), minutes)) return std::nullopt;
  } else if (!Digits(rest, hours)) {
    return std::nullopt;
  }
  if (minutes > 59 || hours * 60 + minutes > 14 * 60) return std::nullopt;
  return sign * (hours * 60 + minutes);
}

std::string FixedOffsetName(int minutesEastOfUtc) {
  if (minutesEastOfUtc == 0) return "UTC";
  int m = std::abs(minutesEastOfUtc);
  char text[16];
  text[0] = 'U', text[1] = 'T', text[2] = 'C';
  text[3] = minutesEastOfUtc < 0 ? '-' : '+';
  text[4] = static_cast<char>('0' + m / 60 / 10);
  text[5] = static_cast<char>('0' + m / 60 % 10);
  text[6] = ':';
  text[7] = static_cast<char>('0' + m % 60 / 10);
  text[8] = static_cast<char>('0' + m % 10);
  return std::string(text, 9);
}

std::optional<ZoneRules> ResolveZone(std::string_view name, const ZoneDirectory* directory) {
  if (std::optional<int> fixed = FixedOffsetMinutes(name))
    return ZoneRules::FixedOffset(FixedOffsetName(*fixed), *fixed);
  if (!directory || !directory->find || Trim(name).empty()) return std::nullopt;
  return directory->find(Trim(name));
}

}  // namespace tickvane::converter
