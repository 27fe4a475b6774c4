// tickconvert's command line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "converter/console_options.h"

namespace tickvane::converter {
namespace {

TEST(ConverterConsole, ArgumentsInEitherFormAndInAnyOrder) {
  ConsoleOptions o;
  std::wstring problem;
  ASSERT_TRUE(ParseConsoleArguments({L"a.txt", L"--out", L"C:\\p\\practice.EPF", L"b.txt", L"--source-zone=UTC",
                                     L"--zone", L"Eastern Standard Time", L"--price=MID", L"--symbol", L"SPY"},
                                    o, &problem))
      << std::string(problem.begin(), problem.end());
  EXPECT_EQ(o.sources, (std::vector<std::wstring>{L"a.txt", L"b.txt"}));
  EXPECT_EQ(o.out, L"C:\\p\\practice.EPF");
  EXPECT_EQ(o.sourceZone, L"UTC");
  EXPECT_EQ(o.zone, L"Eastern Standard Time");
  EXPECT_EQ(o.price, PriceKind::Mid);
  EXPECT_EQ(o.symbol, L"SPY");
  EXPECT_FALSE(o.help);

  ConsoleOptions plain;
  ASSERT_TRUE(ParseConsoleArguments({L"--out=x.EPF", L"--", L"--odd name.txt"}, plain, &problem));
  EXPECT_EQ(plain.sources, std::vector<std::wstring>{L"--odd name.txt"});
  EXPECT_FALSE(plain.zone);
  EXPECT_FALSE(plain.sourceZone);
  EXPECT_FALSE(plain.price);

  ConsoleOptions help;
  ASSERT_TRUE(ParseConsoleArguments({L"--help"}, help, &problem));
  EXPECT_TRUE(help.help);
  EXPECT_NE(ConsoleUsage().find(L"tickconvert SOURCE... --out FILE"), std::wstring::npos);
}

TEST(ConverterConsole, MistakesAreNamed) {
  const struct {
    std::vector<std::wstring> arguments;
    const wchar_t* problem;
  } cases[] = {
      {{L"a.txt"}, L"no playback file is given"},
      {{L"--out", L"x.EPF"}, L"no tick file is given"},
      {{L"a.txt", L"--out"}, L"the option --out needs a value"},
      {{L"a.txt", L"--out=x", L"--price", L"close"}, L"the price close is not one of last, bid, ask and mid"},
      {{L"a.txt", L"--out=x", L"--utc"}, L"the option --utc is not one of tickconvert's"},
      {{L"a.txt", L"--out="}, L"no playback file is given"},
  };
  for (const auto& c : cases) {
    ConsoleOptions o;
    std::wstring problem;
    EXPECT_FALSE(ParseConsoleArguments(c.arguments, o, &problem));
    EXPECT_NE(problem.find(c.problem), std::wstring::npos) << std::string(problem.begin(), problem.end());
  }
}

}  // namespace
}  // namespace tickvane::converter
