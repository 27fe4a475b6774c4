#include "common/instance_name.h"

#include <gtest/gtest.h>

namespace tickvane {
namespace {

TEST(SingleInstanceName, SameFileSameNameWhateverTheCase) {
  EXPECT_EQ(SingleInstanceName(L"Tickvane", L"C:\\Tools\\Tickvane.exe"),
            SingleInstanceName(L"Tickvane", L"c:\\tools\\TICKVANE.EXE"));
}

TEST(SingleInstanceName, OtherFolderOrProgramOtherName) {
  auto a = SingleInstanceName(L"Tickvane", L"C:\\Tools\\Tickvane.exe");
  EXPECT_NE(a, SingleInstanceName(L"Tickvane", L"C:\\Tools2\\Tickvane.exe"));
  EXPECT_NE(a, SingleInstanceName(L"Tickvane", L"C:\\Tool\\sTickvane.exe"));
  EXPECT_NE(a, SingleInstanceName(L"Portvane", L"C:\\Tools\\Tickvane.exe"));
}

TEST(SingleInstanceName, NoBackslashAndBoundedLength) {
  std::wstring longPath = L"C:\\" + std::wstring(30000, L'd') + L"\\Tickvane.exe";
  auto name = SingleInstanceName(L"Tickvane", longPath);
  EXPECT_EQ(name.find(L'\\'), std::wstring::npos);
  EXPECT_LT(name.size(), 64u);
}

}  // namespace
}  // namespace tickvane
