#include "component/add_time.h"

#include <gtest/gtest.h>

#include <limits>

namespace tickvane::chart {
namespace {

struct AddCase {
  double from, minutes, to;
};

class AddMinutesTest : public testing::TestWithParam<AddCase> {};

TEST_P(AddMinutesTest, AddsMinutesOnTheClock) {
  const AddCase c = GetParam();
  EXPECT_EQ(AddMinutes(c.from, c.minutes), c.to) << c.from << " + " << c.minutes;
}

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Times, AddMinutesTest,
    testing::Values(AddCase{93015, 9, 93915}, AddCase{95500, 9, 100400},  // across the hour
                    AddCase{93015, 0, 93015}, AddCase{0, 9, 900}, AddCase{5959, 1, 10059},
                    AddCase{93059, 1, 93159}, AddCase{125959, 60, 135959}, AddCase{93015, 1.5, 93145},
                    AddCase{93015.9, 1, 93115},  // fractions of a second dropped
                    AddCase{96000, 0, 100000},   // 9:60:00 read as a clock
                    AddCase{235000, 9, 235900}, AddCase{235959, 0, 235959},
                    // Past the end of the day: the rest of the day.
                    AddCase{235500, 9, 240000}, AddCase{235959, 0.02, 240000}, AddCase{93015, 1e9, 240000},
                    AddCase{93015, 1e300, 240000}, AddCase{250000, 0, 240000},
                    // No target.
                    AddCase{-1, 9, 0}, AddCase{93015, -1, 0}, AddCase{kNan, 9, 0}, AddCase{93015, kInf, 0}));

}  // namespace
}  // namespace tickvane::chart
