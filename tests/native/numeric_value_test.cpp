#include "station/engine/numeric_value.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <string>

namespace tickvane {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

struct ValueCase {
  std::string text;
  double expected;
};

void PrintTo(const ValueCase& c, std::ostream* os) { *os << '"' << c.text.substr(0, 40) << '"'; }

class NumericValueCases : public ::testing::TestWithParam<ValueCase> {};

TEST_P(NumericValueCases, ValueOfTheNumberAtTheStart) {
  const ValueCase& c = GetParam();
  const double value = NumericValue(c.text);
  EXPECT_EQ(value, c.expected);
  EXPECT_FALSE(std::isnan(value));
  EXPECT_FALSE(value == 0 && std::signbit(value)) << "no -0";
}

INSTANTIATE_TEST_SUITE_P(
    Plain, NumericValueCases,
    ::testing::Values(ValueCase{"093015", 93015}, ValueCase{"1234.5", 1234.5}, ValueCase{"", 0},
                      ValueCase{"abc", 0}, ValueCase{"182.50", 182.5}, ValueCase{"20131008", 20131008},
                      ValueCase{"0.1", 0.1}, ValueCase{"+7", 7}, ValueCase{"-2", -2},
                      ValueCase{".5", 0.5}, ValueCase{"5.", 5}, ValueCase{"-0.25", -0.25},
                      ValueCase{"007", 7}, ValueCase{"0.001", 0.001}, ValueCase{"-0", 0},
                      ValueCase{"000", 0}));

INSTANTIATE_TEST_SUITE_P(
    BlanksAnywhere, NumericValueCases,
    ::testing::Values(ValueCase{"1 2", 12}, ValueCase{" \t\n 93015", 93015}, ValueCase{"- 5", -5},
                      ValueCase{"1 2 . 5", 12.5}, ValueCase{"1 e 2", 100}, ValueCase{"1e- 2", 0.01},
                      ValueCase{"1e5 5", 1e55}, ValueCase{"\r5", 0}, ValueCase{"5\r6", 5},
                      ValueCase{"1\v2", 1}));

INSTANTIATE_TEST_SUITE_P(
    StopsAtTheFirstOtherCharacter, NumericValueCases,
    ::testing::Values(ValueCase{"12abc", 12}, ValueCase{"1,5", 1}, ValueCase{"1.2.3", 1.2},
                      ValueCase{"--5", 0}, ValueCase{"+-5", 0}, ValueCase{"5-3", 5},
                      ValueCase{"0x1A", 0}, ValueCase{"&H10", 0}, ValueCase{"nan", 0},
                      ValueCase{"inf", 0}, ValueCase{"infinity", 0}, ValueCase{"$5", 0},
                      ValueCase{std::string("1\0" "2", 3), 1}));

INSTANTIATE_TEST_SUITE_P(
    Exponents, NumericValueCases,
    ::testing::Values(ValueCase{"1e5", 1e5}, ValueCase{"1E+2", 100}, ValueCase{"2.5e-3", 0.0025},
                      ValueCase{"1d2", 100}, ValueCase{"1D-2", 0.01}, ValueCase{"1e", 1},
                      ValueCase{"1e+", 1}, ValueCase{"1e-x", 1}, ValueCase{"1ex", 1},
                      ValueCase{"1.e2", 100}, ValueCase{"1e2.5", 100}, ValueCase{"1e2e3", 100},
                      ValueCase{"0e99999", 0}));

INSTANTIATE_TEST_SUITE_P(
    NeverFails, NumericValueCases,
    ::testing::Values(ValueCase{"-", 0}, ValueCase{"+", 0}, ValueCase{"e5", 0}, ValueCase{".", 0},
                      ValueCase{"-.", 0}, ValueCase{".e5", 0}, ValueCase{"-.e", 0},
                      ValueCase{"1e99999", kInf}, ValueCase{"-1e99999", -kInf},
                      ValueCase{"1e-99999", 0}, ValueCase{"-1e-99999", 0},
                      ValueCase{"1.7976931348623157e308", DBL_MAX}, ValueCase{"1.8e308", kInf},
                      ValueCase{"4.9e-324", std::numeric_limits<double>::denorm_min()},
                      ValueCase{"2e-324", 0}, ValueCase{"1e" + std::string(10000, '9'), kInf},
                      ValueCase{"1e-" + std::string(10000, '9'), 0},
                      ValueCase{"1e+00000000000000000000000000000002", 100}));

// Long numbers: the value is the double closest to all the digits, not to a cut-off prefix.
INSTANTIATE_TEST_SUITE_P(
    ManyDigits, NumericValueCases,
    ::testing::Values(
        ValueCase{"1" + std::string(10000, '0'), kInf},
        ValueCase{"-1" + std::string(10000, '0'), -kInf},
        ValueCase{"1" + std::string(9999, '0') + "e-9999", 1},
        ValueCase{"0." + std::string(9999, '0') + "1", 0},
        ValueCase{"0." + std::string(10000, '0') + "1e10005", 10000},
        ValueCase{std::string(10000, '0') + "42", 42},
        // 2^53 + 1 lies halfway between two doubles: ties go to the even one, but any non-zero
        // digit however far behind tips it to the upper one.
        ValueCase{"9007199254740993", 9007199254740992.0},
        ValueCase{"9007199254740993." + std::string(10000, '0'), 9007199254740992.0},
        ValueCase{"9007199254740993." + std::string(10000, '0') + "1", 9007199254740994.0},
        ValueCase{"9007199254740993" + std::string(10000, '0') + "1e-10001", 9007199254740994.0},
        ValueCase{"0.1" + std::string(1000, '0') + "1", 0.1},
        ValueCase{"0." + std::string(200000, '0') + "1e200005", 10000},
        ValueCase{"1" + std::string(200000, '0') + "e-200000", 1},
        ValueCase{"1" + std::string(200000, '0') + "e-199999", 10},
        ValueCase{"1" + std::string(200000, '0') + "e-9223372036854775807", 0},
        ValueCase{"0." + std::string(200000, '0') + "1e99999999999999999999999", kInf}));

TEST(NumericValue, TenMillionDigitsAreReadToTheEnd) {
  std::string text(10'000'000, '3');
  text.insert(0, "0.");
  text += "e1";
  EXPECT_EQ(NumericValue(text), 10.0 / 3.0);
}

TEST(NumericValue, DoesNotDependOnTheLocale) {
  // A decimal comma locale must not make "1234.5" read as 1234 or "1234,5" as 1234.5.
  const char* names[] = {"de_DE.UTF-8", "de_DE", "fr_FR.UTF-8", "German_Germany.1252"};
  const std::string before = std::setlocale(LC_ALL, nullptr);
  bool switched = false;
  for (const char* name : names) {
    if (std::setlocale(LC_ALL, name) != nullptr) {
      switched = true;
      break;
    }
  }
  const double point = NumericValue("1234.5");
  const double comma = NumericValue("1234,5");
  std::setlocale(LC_ALL, before.c_str());
  if (!switched) GTEST_SKIP() << "no decimal-comma locale installed";
  EXPECT_EQ(point, 1234.5);
  EXPECT_EQ(comma, 1234);
}

struct WideCase {
  std::wstring text;
  double expected;
};

class WideNumericValueCases : public ::testing::TestWithParam<WideCase> {};

TEST_P(WideNumericValueCases, SameRuleForEditControlTexts) {
  EXPECT_EQ(NumericValue(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WideNumericValueCases,
    ::testing::Values(WideCase{L"2", 2}, WideCase{L"", 0}, WideCase{L" -1 2.5e1 ", -125},
                      WideCase{L"0.5x", 0.5}, WideCase{L"\xFF11\xFF12", 0},  // full-width digits
                      WideCase{L"1\x0660", 1},                               // Arabic-Indic zero
                      WideCase{L"1\x0130", 1}, WideCase{L"1\x0100" L"5", 1},
                      WideCase{L"\x2212" L"5", 0},  // minus sign is not a hyphen
                      WideCase{L"1" + std::wstring(10000, L'0') + L"e-10000", 1}));

}  // namespace
}  // namespace tickvane
