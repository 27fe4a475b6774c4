// Which price of a tick the playback file takes.
#pragma once

#include <optional>
#include <string_view>

namespace tickvane::converter {

enum class PriceKind { Last, Bid, Ask, Mid };

// "last", "bid", "ask", "mid".
const char* PriceKindName(PriceKind kind);
// The same words, in any letter case.
std::optional<PriceKind> ParsePriceKind(std::string_view word);

}  // namespace tickvane::converter
