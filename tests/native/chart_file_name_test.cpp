#include "component/chart_file_name.h"

#include <gtest/gtest.h>

namespace tickvane::chart {
namespace {

class AcceptedNameTest : public testing::TestWithParam<std::string> {};

TEST_P(AcceptedNameTest, PlainNamesAreAccepted) {
  EXPECT_EQ(ChartFileNameProblem(GetParam()), std::nullopt) << GetParam();
}

// The chooser's five names, and other plain names.
INSTANTIATE_TEST_SUITE_P(Names, AcceptedNameTest,
                         testing::Values("vqfile.mnd", "ibm.mnd", "msft.mnd", "dji.mnd", "indu-i-nyse.mnd",
                                         "ES.scid", "a", "chart file.scid", "console.mnd", "com10.mnd",
                                         "name.with.dots", "\xC3\xA9t\xC3\xA9.scid", std::string(200, 'a')));

class RefusedNameTest : public testing::TestWithParam<std::string> {};

TEST_P(RefusedNameTest, NamesLeadingElsewhereAreRefused) {
  EXPECT_NE(ChartFileNameProblem(GetParam()), std::nullopt) << GetParam();
}

INSTANTIATE_TEST_SUITE_P(
    Names, RefusedNameTest,
    testing::Values("", "..", ".", "..\\dji.mnd", "../dji.mnd", "sub\\dji.mnd", "sub/dji.mnd", "C:dji.mnd",
                    "C:\\Windows\\win.ini", "\\\\server\\share\\x", "dji.mnd:stream", "a..b", "dji?.mnd",
                    "dji*.mnd", "<dji>", "a|b", "a\"b", std::string("a\0b", 3), "a\tb", "a\nb", " dji.mnd",
                    "dji.mnd ", "dji.mnd.", "CON", "con.mnd", "NUL.txt", "nul", "AUX", "PRN.scid", "COM1",
                    "com1.mnd", "LPT9.x", "zavovq.dll", "Tickvane.exe", "practice.EPF", "practice.epf",
                    std::string(201, 'a')));

}  // namespace
}  // namespace tickvane::chart
