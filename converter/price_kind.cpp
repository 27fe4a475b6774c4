#include "converter/price_kind.h"

namespace tickvane::converter {

const char* PriceKindName(PriceKind kind) {
  switch (kind) {
    case PriceKind::Bid:
      return "bid";
    case PriceKind::Ask:
      return "ask";
    case PriceKind::Mid:
      return "mid";
    case PriceKind::Last:
      break;
  }
  return "last";
}

std::optional<PriceKind> ParsePriceKind(std::string_view word) {
  for (PriceKind kind : {PriceKind::Last, PriceKind::Bid, PriceKind::Ask, PriceKind::Mid}) {
    std::string_view name = PriceKindName(kind);
    if (word.size() != name.size()) continue;
    bool same = true;
    for (size_t i = 0; i < word.size(); ++i) {
      char c = word[i];
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
      same = same && c == name[i];
    }
    if (same) return kind;
  }
  return std::nullopt;
}

}  // namespace tickvane::converter
