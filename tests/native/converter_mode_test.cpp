// Which station mode follows a conversion, by the converter's own mode word.
#include <gtest/gtest.h>

#include <string>

#include "converter/genvane_mode.h"

namespace tickvane::converter {
namespace {

TEST(ConverterMode, StationModeAfterEachConverterWord) {
  const struct {
    const wchar_t* word;
    const wchar_t* station;  // nullptr: not a mode of the converter
  } cases[] = {
      {L"sierra", L"sierra"}, {L"ddeonly", L"ddeonly"}, {L"", L"esignal"},   {L"esignal", L"esignal"},
      {L"Sierra", nullptr},   {L"dde", nullptr},        {L"sierra ", nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.word, c.word + std::wstring_view(c.word).size()));
    const wchar_t* station = StationModeAfter(c.word);
    if (!c.station) {
      EXPECT_EQ(station, nullptr);
    } else {
      ASSERT_NE(station, nullptr);
      EXPECT_EQ(std::wstring_view(station), c.station);
    }
  }
}

}  // namespace
}  // namespace tickvane::converter
