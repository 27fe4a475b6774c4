// The station's commands that act without a replay: exit, pause, width, status, speed check, Tab.
#include <gtest/gtest.h>

#include "station/window/layout.h"
#include "tests/windows/station/station_fixture_win.h"
#include "tests/windows/support/launcher_recorder_win.h"

namespace tickvane::test {
namespace {

class Commands : public StationTest {
 protected:
  void StartDdeOnly() {
    StartStation(L"ddeonly");
    ASSERT_TRUE(WaitForMainWindow());
  }
  void StartSierraWithIbm() {
    StartStation(L"sierra");
    ExpectNotice(L"If you have not done so, please start your SierraCharting program now.");
    ASSERT_TRUE(WaitForChooser());
    Click(ChooserControl(L"IBM"));
    ASSERT_TRUE(WaitForMainWindow());
  }
  // Expects the exit question and answers it.
  void AnswerExitQuestion(int answer) {
    auto box = WaitForMessageBox(station_.Id());
    ASSERT_TRUE(box) << "no exit question";
    EXPECT_EQ(box->text, L"Are you sure you want to exit the playback program?");
    EXPECT_EQ(box->title, L"Are you sure?");
    EXPECT_EQ(box->buttons, (std::vector<int>{IDYES, IDNO}));
    EXPECT_EQ(box->defaultButton, IDYES);
    EXPECT_TRUE(box->hasIcon);
    Answer(*box, answer);
  }
};

struct ExitCase {
  const char* what;
  bool throughTheFrame;
  bool sierra;
};

class ExitQuestion : public Commands, public ::testing::WithParamInterface<ExitCase> {};

TEST_P(ExitQuestion, NoKeepsTheStationYesEndsIt) {
  if (GetParam().sierra) {
    StartSierraWithIbm();
  } else {
    StartDdeOnly();
  }
  auto askToExit = [&] {
    if (GetParam().throughTheFrame) {
      ::PostMessageW(main_, WM_CLOSE, 0, 0);
    } else {
      Click(MainControl(L"cmdexit"));
    }
  };
  askToExit();
  AnswerExitQuestion(IDNO);
  EXPECT_TRUE(WaitUntil([&] { return CountMessageBoxes(station_.Id()) == 0; }));
  EXPECT_TRUE(station_.Running());
  EXPECT_TRUE(::IsWindowVisible(main_));

  askToExit();
  AnswerExitQuestion(IDYES);
  DWORD code = 1;
  EXPECT_TRUE(WaitForExit(&code)) << "the process must end, the hidden chooser must not keep it alive";
  EXPECT_EQ(code, 0u);
}

INSTANTIATE_TEST_SUITE_P(Ways, ExitQuestion,
                         ::testing::Values(ExitCase{"Exit button", false, false},
                                           ExitCase{"window frame", true, false},
                                           ExitCase{"frame after a pick in sierra mode", true, true},
                                           ExitCase{"Exit button in sierra mode", false, true}));

TEST_F(Commands, PauseTogglesItsCaption) {
  StartDdeOnly();
  HWND pause = MainControl(L"cmdPause");
  Click(pause);
  EXPECT_TRUE(WaitUntil([&] { return TextOf(pause) == L"Resume"; }));
  Click(pause);
  EXPECT_TRUE(WaitUntil([&] { return TextOf(pause) == L"Pause"; }));
}

TEST_F(Commands, WidthToggleShowsTheFastForwardControls) {
  StartSierraWithIbm();
  HWND more = MainControl(L"more");
  SIZE before = OuterSize(main_);
  Click(more);
  ASSERT_TRUE(WaitUntil([&] { return TextOf(more) == L"<<"; }));
  int dpi = ScreenDpi();
  EXPECT_EQ(OuterSize(main_).cx, (6585 * dpi + 720) / 1440);
  EXPECT_EQ(OuterSize(main_).cy, before.cy);
  EXPECT_LT(ChildRect(MainControl(L"for_min")).right, ClientSize(main_).cx + 2);
  SaveScreenshot(main_, ArtifactPath(L"station-window-wide.bmp"));
  Click(more);
  ASSERT_TRUE(WaitUntil([&] { return TextOf(more) == L">>"; }));
  EXPECT_EQ(OuterSize(main_).cx, (4200 * dpi + 720) / 1440);
}

TEST_F(Commands, HelpOpensThePageShippedNextToTheProgram) {
  // A stand-in explorer beside the program is found first, as the system's search goes; it
  // records how it was started (a real explorer would stay open after the test).
  ASSERT_TRUE(PlaceRecorder(*folder_, L"explorer.exe"));
  StartDdeOnly();
  Click(MainControl(L"help"));
  ASSERT_TRUE(WaitUntil([&] { return RecordedStarts(*folder_, L"explorer.exe").size() == 1; }))
      << "explorer was not started";
  RecordedStart start = RecordedStarts(*folder_, L"explorer.exe")[0];
  std::wstring page = folder_->Path() + L"\\help.html";
  EXPECT_NE(start.commandLine.find(page), std::wstring::npos)
      << std::string(start.commandLine.begin(), start.commandLine.end());
  EXPECT_EQ(start.showCommand, SW_SHOWMINIMIZED);
  EXPECT_EQ(CountMessageBoxes(station_.Id()), 0);
  EXPECT_TRUE(station_.Running());
}

TEST_F(Commands, StatusInDdeOnlyMode) {
  StartDdeOnly();
  Click(MainControl(L"status"));
  ExpectNotice(L"You are using DDE Server only. ");
}

struct SpeedCase {
  const char* what;
  const wchar_t* typed;
  bool reported;
  const wchar_t* after;
};

class SpeedCheck : public Commands, public ::testing::WithParamInterface<SpeedCase> {};

TEST_P(SpeedCheck, OnlyNegativeSpeedsAreReportedAndReset) {
  StartDdeOnly();
  HWND speed = MainControl(L"speed");
  SetTextOf(speed, GetParam().typed);
  if (GetParam().reported) {
    auto box = WaitForMessageBox(station_.Id());
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text, L"Wrong input of playback speed.");
    EXPECT_EQ(box->title, L"zavo");
    // The timer keeps checking while the message is open: it must not stack a second one.
    ULONGLONG until = ::GetTickCount64() + 500;
    EXPECT_FALSE(WaitUntil([&] { return CountMessageBoxes(station_.Id()) > 1 || ::GetTickCount64() > until; },
                           5000) && CountMessageBoxes(station_.Id()) > 1);
    EXPECT_EQ(TextOf(speed), GetParam().typed) << "the box is reset only after the message";
    Answer(*box, IDOK);
    EXPECT_TRUE(WaitUntil([&] { return TextOf(speed) == GetParam().after; }));
    EXPECT_TRUE(WaitUntil([&] { return CountMessageBoxes(station_.Id()) == 0; }));
  } else {
    // Give the 1 ms timer many ticks to react; it must stay silent.
    ULONGLONG until = ::GetTickCount64() + 500;
    WaitUntil([&] { return CountMessageBoxes(station_.Id()) > 0 || ::GetTickCount64() > until; }, 5000);
    EXPECT_EQ(CountMessageBoxes(station_.Id()), 0);
    EXPECT_EQ(TextOf(speed), GetParam().after);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SpeedCheck,
    ::testing::Values(SpeedCase{"minus one", L"-1", true, L"2"}, SpeedCase{"minus three and letters", L"-3abc", true, L"2"},
                      SpeedCase{"lone minus", L"-", false, L"-"}, SpeedCase{"zero", L"0", false, L"0"},
                      SpeedCase{"empty", L"", false, L""}, SpeedCase{"letters", L"fast", false, L"fast"},
                      SpeedCase{"positive", L"10", false, L"10"}));


class TabOrder : public Commands, public ::testing::WithParamInterface<bool> {};

TEST_P(TabOrder, FollowsTheDesignSkippingLabelsHiddenAndDisabledControls) {
  bool sierra = GetParam();
  if (sierra) {
    StartSierraWithIbm();
  } else {
    StartDdeOnly();
  }
  std::vector<std::wstring> expected = {L"last", L"cbStartFastSend", L"cmdPause", L"cmdexit", L"time", L"speed"};
  if (sierra) expected.push_back(L"more");
  expected.push_back(L"status");
  // Outside "sierra" mode the forward controls are kept out of reach.
  if (sierra)
    for (const wchar_t* name : {L"Forward", L"tick", L"for_mins", L"for_min"}) expected.push_back(name);
  for (const wchar_t* name : {L"help", L"last"}) expected.push_back(name);

  DWORD thread = station_.ThreadId();
  ASSERT_TRUE(WaitUntil([&] { return FocusOf(thread) == MainControl(L"last"); }))
      << "the first control should have the focus";
  for (size_t i = 1; i < expected.size(); ++i) {
    PressKey(thread, VK_TAB);
    HWND want = MainControl(expected[i]);
    EXPECT_TRUE(WaitUntil([&] { return FocusOf(thread) == want; }, 10000))
        << "Tab should move the focus to " << std::string(expected[i].begin(), expected[i].end());
  }
}

INSTANTIATE_TEST_SUITE_P(Modes, TabOrder, ::testing::Values(false, true));

}  // namespace
}  // namespace tickvane::test
