#include "component/chart_file_name.h"

#include <gtest/gtest.h>

namespace tickvane::chart {
namespace {

class AcceptedNameTest : public testing::TestWithParam<std::wstring> {};

TEST_P(AcceptedNameTest, PlainNamesAreAccepted) {
  EXPECT_EQ(ChartFileNameProblem(GetParam()), std::nullopt) << testing::PrintToString(GetParam());
}

// The chooser's five names, and other plain names.
INSTANTIATE_TEST_SUITE_P(Names, AcceptedNameTest,
                         testing::Values(L"vqfile.mnd", L"ibm.mnd", L"msft.mnd", L"dji.mnd", L"indu-i-nyse.mnd",
                                         L"ES.scid", L"a", L"chart file.scid", L"console.mnd", L"com10.mnd",
                                         L"name.with.dots", L"\u00e9t\u00e9.scid", std::wstring(200, L'a')));

class RefusedNameTest : public testing::TestWithParam<std::wstring> {};

TEST_P(RefusedNameTest, NamesLeadingElsewhereAreRefused) {
  EXPECT_NE(ChartFileNameProblem(GetParam()), std::nullopt) << testing::PrintToString(GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Names, RefusedNameTest,
    testing::Values(L"", L"..", L".", L"..\\dji.mnd", L"../dji.mnd", L"sub\\dji.mnd", L"sub/dji.mnd", L"C:dji.mnd",
                    L"C:\\Windows\\win.ini", L"\\\\server\\share\\x", L"dji.mnd:stream", L"a..b", L"dji?.mnd",
                    L"dji*.mnd", L"<dji>", L"a|b", L"a\"b", std::wstring(L"a\0b", 3), L"a\tb", L"a\nb", L" dji.mnd",
                    L"dji.mnd ", L"dji.mnd.", L"CON", L"con.mnd", L"NUL.txt", L"nul", L"AUX", L"PRN.scid", L"COM1",
                    L"com1.mnd", L"LPT9.x", L"zavovq.dll", L"Tickvane.exe", L"practice.EPF", L"practice.epf",
                    std::wstring(201, L'a')));

}  // namespace
}  // namespace tickvane::chart
