#include "converter/file_name_hints.h"

#include <vector>

#include "common/civil_time.h"

namespace tickvane::converter {
namespace {

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool SameLetters(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != Lower(b[i])) return false;
  return true;
}

bool EndsWithLetters(std::string_view text, std::string_view end) {
  return text.size() >= end.size() && SameLetters(text.substr(text.size() - end.size()), end);
}

std::vector<std::string_view> Split(std::string_view text, char sep) {
  std::vector<std::string_view> parts;
  size_t start = 0;
  for (;;) {
    size_t end = text.find(sep, start);
    parts.push_back(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
    if (end == std::string_view::npos) return parts;
    start = end + 1;
  }
}

std::string Capitals(std::string_view text) {
  std::string s;
  for (char c : text) s += Upper(c);
  return s;
}

bool AlphaNumeric(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text) {
    bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
    if (!ok) return false;
  }
  return true;
}

std::optional<std::int64_t> DayOf(std::string_view eight) {
  if (eight.size() != 8) return std::nullopt;
  int v[3] = {0, 0, 0};
  const size_t len[3] = {4, 2, 2};
  size_t at = 0;
  for (int k = 0; k < 3; ++k) {
    for (size_t i = 0; i < len[k]; ++i, ++at) {
      char c = eight[at];
      if (c < '0' || c > '9') return std::nullopt;
      v[k] = v[k] * 10 + (c - '0');
    }
  }
  if (v[0] < 1900 || v[1] < 1 || v[1] > 12 || v[2] < 1 || v[2] > DaysInMonth(v[0], v[1])) return std::nullopt;
  return DaysSinceEpoch(v[0], v[1], v[2]);
}

}  // namespace

std::string_view BaseName(std::string_view path) {
  size_t slash = path.find_last_of("\\/");
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string_view Stem(std::string_view path) {
  std::string_view base = BaseName(path);
  size_t dot = base.find_last_of('.');
  return dot == std::string_view::npos || dot == 0 ? base : base.substr(0, dot);
}

NamedSeries NinjaTraderName(std::string_view path) {
  NamedSeries n;
  std::string_view stem = Stem(path);
  const struct {
    const char* suffix;
    PriceKind side;
  } sides[] = {{".last", PriceKind::Last}, {".bid", PriceKind::Bid}, {".ask", PriceKind::Ask}};
  for (const auto& s : sides) {
    if (EndsWithLetters(stem, s.suffix)) {
      n.side = s.side;
      stem.remove_suffix(std::string_view(s.suffix).size());
      break;
    }
  }
  n.symbol = std::string(stem);
  return n;
}

std::optional<NamedSeries> HistDataName(std::string_view path) {
  std::vector<std::string_view> parts = Split(Stem(path), '_');
  if (parts.size() < 3 || !SameLetters(parts[0], "dat") || !AlphaNumeric(parts[2])) return std::nullopt;
  NamedSeries n;
  n.symbol = Capitals(parts[2]);
  for (size_t i = 3; i + 1 < parts.size(); ++i) {
    if (!SameLetters(parts[i], "t")) continue;
    if (SameLetters(parts[i + 1], "last")) n.side = PriceKind::Last;
    if (SameLetters(parts[i + 1], "bid")) n.side = PriceKind::Bid;
    if (SameLetters(parts[i + 1], "ask")) n.side = PriceKind::Ask;
  }
  return n;
}

bool IsHistDataNinjaTraderName(std::string_view path) {
  std::vector<std::string_view> parts = Split(Stem(path), '_');
  return parts.size() >= 3 && SameLetters(parts[0], "dat") && SameLetters(parts[1], "nt");
}

std::optional<LeanName> LeanFileName(std::string_view path) {
  std::vector<std::string_view> parts = Split(Stem(path), '_');
  if (parts.size() < 2) return std::nullopt;
  std::optional<std::int64_t> day = DayOf(parts[0]);
  if (!day) return std::nullopt;
  LeanName n;
  n.day = *day;
  for (size_t i = 1; i < parts.size(); ++i) {
    if (SameLetters(parts[i], "quote")) n.quote = true;
  }
  const bool second = SameLetters(parts[1], "trade") || SameLetters(parts[1], "quote");
  if (parts.size() >= 3 && !second && AlphaNumeric(parts[1])) {
    n.symbol = Capitals(parts[1]);
  } else {
    // 20131008_trade.csv lies in the symbol's own folder (.../tick/spy/).
    std::string_view folder = path.substr(0, path.size() - BaseName(path).size());
    if (!folder.empty()) folder.remove_suffix(1);
    n.symbol = Capitals(BaseName(folder));
  }
  return n;
}

std::optional<std::string> SierraBarDataSymbol(std::string_view path) {
  std::string_view stem = Stem(path);
  if (!EndsWithLetters(stem, "-bardata") || stem.size() == 8) return std::nullopt;
  return std::string(stem.substr(0, stem.size() - 8));
}

}  // namespace tickvane::converter
