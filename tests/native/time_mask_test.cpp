#include "station/engine/time_mask.h"

#include <gtest/gtest.h>

#include <string>

namespace tickvane {
namespace {

struct MaskCase {
  std::string tickTime;
  std::string shown;
};

class MaskTimeCases : public ::testing::TestWithParam<MaskCase> {};

TEST_P(MaskTimeCases, Shows) { EXPECT_EQ(MaskTime(GetParam().tickTime), GetParam().shown); }

INSTANTIATE_TEST_SUITE_P(
    FiveAndSixDigits, MaskTimeCases,
    ::testing::Values(MaskCase{"093015", "9:30:15"}, MaskCase{"93015", "9:30:15"},
                      MaskCase{"153000", "15:30:00"}, MaskCase{"235959", "23:59:59"},
                      MaskCase{"100000", "10:00:00"}, MaskCase{"10000", "1:00:00"},
                      MaskCase{"000000093015", "9:30:15"}, MaskCase{" 9 3015 ", "9:30:15"},
                      MaskCase{"9.3015e4", "9:30:15"}, MaskCase{"93015abc", "9:30:15"}));

INSTANTIATE_TEST_SUITE_P(
    BeforeOneOClock, MaskTimeCases,
    ::testing::Values(MaskCase{"3015", "0:30:15"}, MaskCase{"003015", "0:30:15"},
                      MaskCase{"959", "0:09:59"}, MaskCase{"15", "0:00:15"},
                      MaskCase{"5", "0:00:05"}, MaskCase{"0", "0:00:00"},
                      MaskCase{"000000", "0:00:00"}));

INSTANTIATE_TEST_SUITE_P(
    BadData, MaskTimeCases,
    ::testing::Values(MaskCase{"", "0:00:00"}, MaskCase{"abc", "0:00:00"},
                      MaskCase{"93015.9", "9:30:15"}, MaskCase{"0.99", "0:00:00"},
                      MaskCase{"-93015", "-9:30:15"}, MaskCase{"-5", "-0:00:05"},
                      MaskCase{"-0.5", "0:00:00"}, MaskCase{"1234567", "123:45:67"},
                      MaskCase{"1e20", "10000000000000000:00:00"},
                      MaskCase{"1e400", ""}, MaskCase{"-1e400", ""}));

TEST(MaskTime, TheLargestDoubleShowsAllItsDigits) {
  const std::string shown = MaskTime("1.7976931348623157e308");
  ASSERT_EQ(shown.size(), 309u + 2u);
  EXPECT_EQ(shown.substr(0, 6), "179769");
  EXPECT_EQ(shown.substr(shown.size() - 8), "85:83:68");
}

}  // namespace
}  // namespace tickvane
