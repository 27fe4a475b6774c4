#include "station/window/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tickvane {
namespace {

using Words = std::vector<std::wstring>;

struct SplitCase {
  const char* what;
  std::wstring text;
  int maxWords;
  Words expected;
};

class SplitCommandLineTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitCommandLineTest, Words) {
  const SplitCase& c = GetParam();
  EXPECT_EQ(SplitCommandLine(c.text, c.maxWords), c.expected) << c.what;
}

const std::wstring kTwelve = L"w1 w2 w3 w4 w5 w6 w7 w8 w9 w10 w11 w12";

INSTANTIATE_TEST_SUITE_P(
    Cases, SplitCommandLineTest,
    ::testing::Values(
        SplitCase{"empty", L"", 10, {L""}},
        SplitCase{"blanks only", L"  \t  ", 10, {L""}},
        SplitCase{"one word", L"sierra", 10, {L"", L"sierra"}},
        SplitCase{"leading, repeated and trailing blanks", L"   sierra   a  b  ", 10,
                  {L"", L"sierra", L"a", L"b"}},
        SplitCase{"tab separates like a blank", L"sierra\tx", 10, {L"", L"sierra", L"x"}},
        SplitCase{"quotes are part of the word", L"\"sierra\" x", 10, {L"", L"\"sierra\"", L"x"}},
        SplitCase{"twelve words keep ten", kTwelve, 10,
                  {L"", L"w1", L"w2", L"w3", L"w4", L"w5", L"w6", L"w7", L"w8", L"w9", L"w10"}},
        SplitCase{"smaller limit", L"a b c", 2, {L"", L"a", L"b"}},
        SplitCase{"limit of zero", L"a b", 0, {L""}},
        SplitCase{"other separators are characters", L"a,b;c\nd", 10, {L"", L"a,b;c\nd"}}));

TEST(SplitCommandLine, LongArgumentTextNearTheWindowsLimit) {
  std::wstring text(32000, L'x');
  Words words = SplitCommandLine(text);
  ASSERT_EQ(words.size(), 2u);
  EXPECT_EQ(words[1].size(), 32000u);

  std::wstring manyWords;
  for (int i = 0; i < 16000; ++i) manyWords += L"a ";
  EXPECT_EQ(SplitCommandLine(manyWords).size(), 11u);
}

struct ModeCase {
  std::wstring args;
  StationMode mode;
};

class ModeOfTest : public ::testing::TestWithParam<ModeCase> {};

TEST_P(ModeOfTest, FirstWordDecides) {
  EXPECT_EQ(ModeOf(SplitCommandLine(GetParam().args)), GetParam().mode) << std::string(
      GetParam().args.begin(), GetParam().args.end());
}

INSTANTIATE_TEST_SUITE_P(Cases, ModeOfTest,
                         ::testing::Values(ModeCase{L"sierra", StationMode::Sierra},
                                           ModeCase{L"  sierra  more words", StationMode::Sierra},
                                           ModeCase{L"esignal", StationMode::Esignal},
                                           ModeCase{L"ddeonly", StationMode::DdeOnly},
                                           ModeCase{L"Sierra", StationMode::DdeOnly},
                                           ModeCase{L"SIERRA", StationMode::DdeOnly},
                                           ModeCase{L"ESIGNAL", StationMode::DdeOnly},
                                           ModeCase{L"\"sierra\"", StationMode::DdeOnly},
                                           ModeCase{L"x sierra", StationMode::DdeOnly},
                                           ModeCase{L"", StationMode::DdeOnly}));

struct ArgumentCase {
  std::wstring commandLine;
  std::wstring arguments;
};

class ArgumentTextTest : public ::testing::TestWithParam<ArgumentCase> {};

TEST_P(ArgumentTextTest, SkipsTheProgramName) {
  EXPECT_EQ(std::wstring(ArgumentText(GetParam().commandLine)), GetParam().arguments);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ArgumentTextTest,
    ::testing::Values(ArgumentCase{L"Tickvane.exe sierra", L"sierra"},
                      ArgumentCase{L"\"C:\\Program Files\\Tick vane\\Tickvane.exe\" sierra x", L"sierra x"},
                      ArgumentCase{L"\"C:\\a b\\Tickvane.exe\"sierra", L"sierra"},
                      ArgumentCase{L"Tickvane.exe", L""},
                      ArgumentCase{L"Tickvane.exe   \"sierra\"", L"  \"sierra\""},
                      ArgumentCase{L"Tickvane.exe\tesignal", L"esignal"},
                      ArgumentCase{L"\"unclosed name", L""},
                      ArgumentCase{L"", L""}));

}  // namespace
}  // namespace tickvane
