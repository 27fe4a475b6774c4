#include "common/chart_location.h"

#include <gtest/gtest.h>

namespace tickvane {
namespace {

TEST(ChartFilePathTest, InTheChartFolderAsScidElseBesideThePrograms) {
  EXPECT_EQ(ChartFilePath(L"", L"C:\\Tickvane", L"ibm.mnd"), L"C:\\Tickvane\\ibm.mnd");
  EXPECT_EQ(ChartFilePath(L"C:\\SierraChart\\Data", L"C:\\Tickvane", L"ibm.mnd"), L"C:\\SierraChart\\Data\\ibm.mnd.scid");
  EXPECT_EQ(ChartFilePath(L"C:\\SierraChart\\Data\\\\", L"C:\\Tickvane", L"dji.mnd"),
            L"C:\\SierraChart\\Data\\dji.mnd.scid");
  EXPECT_EQ(ChartFilePath(L"D:\\", L"C:\\Tickvane", L"dji.mnd"), L"D:\\dji.mnd.scid");
}

TEST(IsFullFolderPathTest, DriveOrShareOnly) {
  for (const wchar_t* full : {L"C:\\SierraChart\\Data", L"d:/charts", L"\\\\server\\share\\Data", L"C:\\"})
    EXPECT_TRUE(IsFullFolderPath(full)) << full;
  for (const wchar_t* relative : {L"", L"Data", L"C:Data", L"\\Data", L"..\\Data", L"\\\\\\x", L"1:\\x"})
    EXPECT_FALSE(IsFullFolderPath(relative)) << relative;
}

TEST(TrimmedSettingTest, DropsBlanksAtEitherEnd) {
  EXPECT_EQ(TrimmedSetting(L"  Eastern Standard Time \t\r\n"), L"Eastern Standard Time");
  EXPECT_EQ(TrimmedSetting(L" \t "), L"");
}

}  // namespace
}  // namespace tickvane
