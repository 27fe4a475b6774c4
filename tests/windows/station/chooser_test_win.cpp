// The chart-file chooser: picks by mouse and keyboard, the explanation, and closing it.
#include <gtest/gtest.h>

#include "common/window_design.h"
#include "station/window/layout.h"
#include "tests/windows/station/station_fixture_win.h"

namespace tickvane::test {
namespace {

class Chooser : public StationTest {
 protected:
  void StartSierra() {
    StartStation(L"sierra");
    ExpectNotice(L"If you have not done so, please start your SierraCharting program now.");
    ASSERT_TRUE(WaitForChooser());
  }
  std::wstring Folder() const { return program_.substr(0, program_.find_last_of(L'\\')); }
};

struct PickCase {
  const wchar_t* checkBox;
  const wchar_t* caption;
  const wchar_t* stored;
};

class ChooserPick : public Chooser, public ::testing::WithParamInterface<PickCase> {};

TEST_P(ChooserPick, StoresTheNameShowsTheStationAndHidesForGood) {
  StartSierra();
  HWND box = ChooserControl(GetParam().checkBox);
  EXPECT_EQ(TextOf(box), GetParam().caption);
  Click(box);
  ASSERT_TRUE(WaitForMainWindow());
  EXPECT_TRUE(WaitUntil([&] { return !::IsWindowVisible(chooser_); }));
  EXPECT_TRUE(::IsWindow(chooser_)) << "the chooser stays loaded";
  EXPECT_EQ(TextOf(MainControl(L"vqfilename")), GetParam().stored);
  EXPECT_TRUE(::IsWindowEnabled(MainControl(L"more"))) << "sierra mode keeps the wide view";

  Click(MainControl(L"status"));
  ExpectNotice(std::wstring(L"Yor are using Sierra playback and the playback file name is ") + Folder() + L"\\" +
               GetParam().stored);
}

INSTANTIATE_TEST_SUITE_P(FiveFiles, ChooserPick,
                         ::testing::Values(PickCase{L"vqfile", L"vqfile.mnd ", L"vqfile.mnd"},
                                           PickCase{L"IBM", L"IBM.mnd", L"ibm.mnd"},
                                           PickCase{L"msft", L"msft.mnd", L"msft.mnd"},
                                           PickCase{L"dji", L"dji.mnd", L"dji.mnd"},
                                           PickCase{L"indu", L"indu-i-nyse.mnd", L"indu-i-nyse.mnd"}));

TEST_F(Chooser, LayoutCentredOnTheScreen) {
  StartSierra();
  SIZE client = ClientSize(chooser_);
  int dpi = ScreenDpi();
  EXPECT_EQ(client.cx, (3075 * dpi + 720) / 1440);
  EXPECT_EQ(client.cy, (2250 * dpi + 720) / 1440);
  RECT r{};
  ::GetWindowRect(chooser_, &r);
  int screenMiddle = ::GetSystemMetrics(SM_CXSCREEN) / 2;
  EXPECT_LE(std::abs((r.left + r.right) / 2 - screenMiddle), 1);
  for (const ControlDesign& c : ChooserWindowDesign().controls) {
    HWND control = ChooserControl(c.name);
    EXPECT_EQ(TextOf(control), c.text);
    EXPECT_TRUE(::IsWindowVisible(control));
    EXPECT_EQ(ChildRect(control).left, (c.left * dpi + 720) / 1440);
  }
  SaveScreenshot(chooser_, ArtifactPath(L"chooser-window.bmp"));
}

TEST_F(Chooser, WhatIsItExplainsAndComesBackUnchanged) {
  StartSierra();
  Click(ChooserControl(L"why"));
  auto box = WaitForMessageBox(station_.Id());
  ASSERT_TRUE(box);
  EXPECT_FALSE(::IsWindowVisible(chooser_)) << "the chooser hides while the explanation is open";
  EXPECT_EQ(box->text,
            L"You can map your playback instrument to any one of these files. The file: vqfile.mnd is only for "
            L"sierra subscribers.");
  EXPECT_EQ(box->title, L"zavo");
  Answer(*box, IDOK);
  EXPECT_TRUE(WaitUntil([&] { return ::IsWindowVisible(chooser_) != 0; }));
  EXPECT_EQ(TextOf(MainControl(L"vqfilename")), L"VQ filename");
  EXPECT_FALSE(::IsWindowVisible(MainControl(L"vqfilename")));
  EXPECT_FALSE(FindTopLevel(station_.Id(), L"TickvaneFrmzavo", true));
}

TEST_F(Chooser, ClosingItEndsTheProcess) {
  StartSierra();
  ::PostMessageW(chooser_, WM_CLOSE, 0, 0);
  DWORD code = 1;
  EXPECT_TRUE(WaitForExit(&code));
  EXPECT_EQ(code, 0u);
}

TEST_F(Chooser, TabOrderAndKeyboardPick) {
  StartSierra();
  const wchar_t* order[] = {L"vqfile", L"IBM", L"msft", L"dji", L"indu", L"why", L"vqfile"};
  ASSERT_TRUE(WaitUntil([&] { return FocusOf(station_.ThreadId()) == ChooserControl(L"vqfile"); }))
      << "the first check box should have the focus";
  for (size_t i = 1; i < std::size(order); ++i) {
    PressKey(station_.ThreadId(), VK_TAB);
    HWND expected = ChooserControl(order[i]);
    EXPECT_TRUE(WaitUntil([&] { return FocusOf(station_.ThreadId()) == expected; }, 10000))
        << "focus should move to " << std::string(order[i], order[i] + wcslen(order[i]));
  }
  PressKey(station_.ThreadId(), VK_TAB);  // to IBM
  ASSERT_TRUE(WaitUntil([&] { return FocusOf(station_.ThreadId()) == ChooserControl(L"IBM"); }, 10000));
  PressKey(station_.ThreadId(), VK_SPACE);
  ASSERT_TRUE(WaitForMainWindow());
  EXPECT_EQ(TextOf(MainControl(L"vqfilename")), L"ibm.mnd");
}

}  // namespace
}  // namespace tickvane::test
