#include "station/engine/line_marks.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace tickvane {
namespace {

std::uint64_t MarksByHand(const char* p, std::size_t size) {
  std::uint64_t marks = 0;
  for (std::size_t i = 0; i < size; ++i) {
    if (p[i] == ',' || p[i] == '\r') marks |= std::uint64_t{1} << i;
  }
  return marks;
}

// Bytes next to ',' and CR in value (0x2B, 0x2D, 0x0C, 0x0E) and with the high bit set (0xAC,
// 0x8D) are where a carry or a sign slip would mark a byte falsely.
TEST(CommaAndCrMarks, MarksExactlyTheCommasAndCrsOfABlock) {
  const std::string alphabet = std::string(",\r\n+-\x0C\x0E\xAC\x8D\x00\xFF" "a1 ", 14);
  std::mt19937 random(7);
  std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
  std::uniform_int_distribution<std::size_t> offset(0, 7);
  char bytes[kMarkBlock + 8];
  for (int i = 0; i < 20000; ++i) {
    for (char& c : bytes) c = alphabet[pick(random)];
    const char* block = bytes + offset(random);  // unaligned starts too
    for (std::size_t size : {kMarkBlock, std::size_t{0}, std::size_t{1}, std::size_t{37}}) {
      ASSERT_EQ(CommaAndCrMarks(block, size), MarksByHand(block, size)) << "case " << i;
      ASSERT_EQ(CommaAndCrMarksWithoutSimd(block, size), MarksByHand(block, size)) << "case " << i;
    }
  }
}

TEST(CommaAndCrMarks, AllAndNone) {
  const std::string commas(kMarkBlock, ',');
  const std::string crs(kMarkBlock, '\r');
  const std::string others(kMarkBlock, '\n');
  for (auto marks : {CommaAndCrMarks, CommaAndCrMarksWithoutSimd}) {
    EXPECT_EQ(marks(commas.data(), kMarkBlock), ~std::uint64_t{0});
    EXPECT_EQ(marks(crs.data(), kMarkBlock), ~std::uint64_t{0});
    EXPECT_EQ(marks(others.data(), kMarkBlock), 0u);
  }
}

}  // namespace
}  // namespace tickvane
