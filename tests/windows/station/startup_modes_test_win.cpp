// Start-up: the mode word, the messages of the modes, and the refusal of a second copy.
#include <gtest/gtest.h>

#include "tests/windows/station/station_fixture_win.h"

namespace tickvane::test {
namespace {

struct DdeOnlyCase {
  const char* what;
  std::wstring arguments;
};

class DdeOnlyStart : public StationTest, public ::testing::WithParamInterface<DdeOnlyCase> {};

TEST_P(DdeOnlyStart, ShowsTheWindowWithTheWideViewOff) {
  StartStation(GetParam().arguments);
  HWND main = WaitForMainWindow();
  ASSERT_TRUE(main) << GetParam().what;
  EXPECT_FALSE(::IsWindowEnabled(MainControl(L"more"))) << GetParam().what;
  EXPECT_FALSE(FindMessageBox(station_.Id())) << GetParam().what;
  EXPECT_FALSE(FindTopLevel(station_.Id(), L"TickvaneFilename", true));
}

std::wstring TwelveWords() { return L"w1 w2 w3 w4 w5 w6 w7 w8 w9 w10 w11 w12"; }
std::wstring LongArgument() { return std::wstring(32000, L'x'); }

INSTANTIATE_TEST_SUITE_P(
    Words, DdeOnlyStart,
    ::testing::Values(DdeOnlyCase{"ddeonly", L"ddeonly"}, DdeOnlyCase{"no word at all", L""},
                      DdeOnlyCase{"blanks only", L"   \t "}, DdeOnlyCase{"capital first letter", L"Sierra"},
                      DdeOnlyCase{"capitals", L"SIERRA"}, DdeOnlyCase{"esignal in capitals", L"ESIGNAL"},
                      DdeOnlyCase{"quoted mode word", L"\"sierra\""},
                      DdeOnlyCase{"sierra as second word", L"x sierra"},
                      DdeOnlyCase{"twelve words", TwelveWords()},
                      DdeOnlyCase{"argument text near the Windows limit", LongArgument()}));

class SierraStart : public StationTest, public ::testing::WithParamInterface<std::wstring> {};

TEST_P(SierraStart, AsksToStartSierraChartThenShowsTheChooserOnTop) {
  StartStation(GetParam());
  ExpectNotice(L"If you have not done so, please start your SierraCharting program now.");
  HWND chooser = WaitForChooser();
  ASSERT_TRUE(chooser);
  // Start-up shows the chooser first and puts it on top right after hiding the main window.
  EXPECT_TRUE(WaitUntil([&] { return IsTopmost(chooser); }));
  EXPECT_EQ(TextOf(chooser), L"Form1");
  HWND main = FindTopLevel(station_.Id(), L"TickvaneFrmzavo", false);
  ASSERT_TRUE(main);
  EXPECT_FALSE(::IsWindowVisible(main));
  EXPECT_TRUE(IsTopmost(main));
}

INSTANTIATE_TEST_SUITE_P(Words, SierraStart,
                         ::testing::Values(L"sierra", L"   sierra   further\twords are kept"));

class EsignalStart : public StationTest {};

TEST_F(EsignalStart, NamesThePlaybackFileAndEnds) {
  StartStation(L"esignal");
  auto box = WaitForMessageBox(station_.Id());
  ASSERT_TRUE(box);
  EXPECT_FALSE(FindTopLevel(station_.Id(), L"TickvaneFrmzavo", true)) << "the main window must never show";
  std::wstring folder = program_.substr(0, program_.find_last_of(L'\\'));
  EXPECT_EQ(box->text, L"The file: " + folder + L"\\practice.EPF has beed created for Esignal playback.");
  EXPECT_EQ(box->title, L"zavo");
  EXPECT_EQ(box->buttons, std::vector<int>{IDOK});
  Answer(*box, IDOK);
  DWORD code = 1;
  EXPECT_TRUE(WaitForExit(&code));
  EXPECT_EQ(code, 0u);
}

class SecondCopy : public StationTest {};

TEST_F(SecondCopy, FromTheSameFileEndsSilently) {
  StartStation(L"ddeonly");
  ASSERT_TRUE(WaitForMainWindow());
  ASSERT_TRUE(SecondCopyEndsQuietly(program_, L"ddeonly", folder_->Path()));
  EXPECT_TRUE(station_.Running());
  EXPECT_EQ(CountMessageBoxes(station_.Id()), 0);
}

TEST_F(SecondCopy, FromTheSameFileInSierraModeShowsNothing) {
  StartStation(L"ddeonly");
  ASSERT_TRUE(WaitForMainWindow());
  Process second = Process::Start(program_, L"sierra", folder_->Path());
  ASSERT_TRUE(second.Started());
  ASSERT_TRUE(second.WaitForExit(30000));
  EXPECT_TRUE(TopLevelWindows(second.Id(), true).empty());
}

TEST_F(SecondCopy, FromAnotherFolderRunsBesideTheFirst) {
  StartStation(L"ddeonly");
  ASSERT_TRUE(WaitForMainWindow());
  ScratchFolder other(L"other");
  std::wstring copy = other.CopyProgram(L"Tickvane.exe");
  Process second = Process::Start(copy, L"ddeonly", other.Path());
  ASSERT_TRUE(second.Started());
  EXPECT_TRUE(WaitUntil([&] { return FindTopLevel(second.Id(), L"TickvaneFrmzavo", true) != nullptr; }));
  EXPECT_TRUE(second.Running());
  second.Kill();
}

}  // namespace
}  // namespace tickvane::test
