#include "converter/tick_format.h"

#include <algorithm>

namespace tickvane::converter {

int Layout::LastNeeded() const { return std::max({columns.LastNeeded(), flags, trades, action}); }

bool Finding::HasPrice(PriceKind kind) const {
  switch (kind) {
    case PriceKind::Last:
      return hasLast;
    case PriceKind::Bid:
      return hasBid;
    case PriceKind::Ask:
      return hasAsk;
    case PriceKind::Mid:
      return hasBid && hasAsk;
  }
  return false;
}

}  // namespace tickvane::converter
