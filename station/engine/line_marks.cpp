#include "station/engine/line_marks.h"

#include <bit>
#include <cstring>

#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#include <emmintrin.h>
#define TICKVANE_HAVE_SSE2 1
#endif

namespace tickvane {
namespace {

std::uint64_t MarksOneByOne(const char* p, std::size_t size) {
  std::uint64_t marks = 0;
  for (std::size_t i = 0; i < size; ++i) {
    if (p[i] == ',' || p[i] == '\r') marks |= std::uint64_t{1} << i;
  }
  return marks;
}

constexpr std::uint64_t kOnes = 0x0101010101010101u;
constexpr std::uint64_t kLowSevens = 0x7F7F7F7F7F7F7F7Fu;

// The high bit of every byte of `word` equal to the byte repeated in `pattern`, and no other
// bit: unlike the shorter borrow trick it marks no byte falsely.
std::uint64_t BytesEqual(std::uint64_t word, std::uint64_t pattern) {
  const std::uint64_t x = word ^ pattern;
  return ~(((x & kLowSevens) + kLowSevens) | x | kLowSevens);
}

std::uint64_t MarksOfFullBlockWithoutSimd(const char* p) {
  if constexpr (std::endian::native != std::endian::little) return MarksOneByOne(p, kMarkBlock);
  std::uint64_t marks = 0;
  for (int i = 0; i < 8; ++i) {
    std::uint64_t word;
    std::memcpy(&word, p + 8 * i, 8);
    const std::uint64_t high = BytesEqual(word, kOnes * ',') | BytesEqual(word, kOnes * '\r');
    // Gathers the eight high bits into one byte, byte j of the word to bit j.
    marks |= (((high >> 7) * 0x0102040810204080u) >> 56) << (8 * i);
  }
  return marks;
}

#if defined(TICKVANE_HAVE_SSE2)
std::uint64_t MarksOfFullBlock(const char* p) {
  const __m128i commas = _mm_set1_epi8(',');
  const __m128i crs = _mm_set1_epi8('\r');
  std::uint64_t marks = 0;
  for (int i = 0; i < 4; ++i) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * i));
    const __m128i hits = _mm_or_si128(_mm_cmpeq_epi8(bytes, commas), _mm_cmpeq_epi8(bytes, crs));
    marks |= std::uint64_t{static_cast<std::uint16_t>(_mm_movemask_epi8(hits))} << (16 * i);
  }
  return marks;
}
#else
std::uint64_t MarksOfFullBlock(const char* p) { return MarksOfFullBlockWithoutSimd(p); }
#endif

}  // namespace

std::uint64_t CommaAndCrMarks(const char* p, std::size_t size) {
  return size == kMarkBlock ? MarksOfFullBlock(p) : MarksOneByOne(p, size);
}

std::uint64_t CommaAndCrMarksWithoutSimd(const char* p, std::size_t size) {
  return size == kMarkBlock ? MarksOfFullBlockWithoutSimd(p) : MarksOneByOne(p, size);
}

}  // namespace tickvane
