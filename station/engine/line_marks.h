// Where the bytes that cut a tick-file line (the comma and CR) stand in a run of bytes.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tickvane {

inline constexpr std::size_t kMarkBlock = 64;

// Bit i is set when p[i] is ',' or CR, for i below `size`; `size` is at most kMarkBlock.
// Fields are a few bytes long, too short for memchr to pay off; marking a whole block at once
// and then walking the set bits keeps the line reader close to the speed of a plain block read.
std::uint64_t CommaAndCrMarks(const char* p, std::size_t size);

// The same without SSE2, as on processors that lack it; both are checked against each other.
std::uint64_t CommaAndCrMarksWithoutSimd(const char* p, std::size_t size);

}  // namespace tickvane
