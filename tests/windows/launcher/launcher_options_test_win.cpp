// The three choices: confirmed with a question, then the converter started with its mode word.
#include <gtest/gtest.h>

#include "tests/windows/launcher/launcher_fixture_win.h"

namespace tickvane::test {
namespace {

struct Choice {
  const wchar_t* option;
  const wchar_t* question;
  const wchar_t* notice;  // after Yes, before the start; nullptr when there is none
  const wchar_t* commandLine;
};

const Choice kChoices[] = {
    {L"sierra", L"Are you sure you want to start sierra playback?",
     L"To run this playback program, you have to keep SierraChart running. If you have done so, please start it "
     L"now.",
     L"Genvane sierra"},
    {L"tickvane", L"Are you sure you want to generate a playback file and start DDE Server?", nullptr,
     L"Genvane ddeonly"},
    {L"esignal", L"Are you sure you want to generate esignal a playback file?", nullptr, L"Genvane"},
};

std::string Narrow(const wchar_t* text) { return std::string(text, text + wcslen(text)); }

class LauncherOptions : public LauncherTest {};
class LauncherChoice : public LauncherTest, public ::testing::WithParamInterface<Choice> {};

// No, then the same option once more (it must ask again), then Yes.
TEST_P(LauncherChoice, NoStartsNothingAndYesStartsTheConverterOnce) {
  const Choice& c = GetParam();
  {
    StartLauncher();
    ASSERT_TRUE(WaitForLauncher());

    for (int round = 0; round < 2; ++round) {
      Click(Control(c.option));
      MessageBoxView question = ExpectBox();
      ExpectQuestion(question, c.question);
      AnswerAndWaitClosed(question, IDNO);
      EXPECT_TRUE(launcher_.Running());
      EXPECT_TRUE(::IsWindowVisible(window_));
      EXPECT_EQ(::SendMessageW(Control(c.option), BM_GETCHECK, 0, 0), BST_UNCHECKED) << "round " << round;
      EXPECT_EQ(CountMessageBoxes(launcher_.Id()), 0);
    }
    EXPECT_TRUE(ConverterStarts().empty());

    Click(Control(c.option));
    MessageBoxView question = ExpectBox();
    ExpectQuestion(question, c.question);
    AnswerAndWaitClosed(question, IDYES);
    if (c.notice) {
      MessageBoxView notice = ExpectBox();
      EXPECT_EQ(notice.title, L"vq");
      EXPECT_EQ(notice.text, c.notice);
      EXPECT_EQ(notice.buttons, std::vector<int>{IDOK});
      EXPECT_FALSE(notice.hasIcon);
      // Nothing is started while the notice is open.
      EXPECT_TRUE(ConverterStarts().empty());
      EXPECT_TRUE(launcher_.Running());
      AnswerAndWaitClosed(notice, IDOK);
    }
    DWORD exitCode = 99;
    EXPECT_TRUE(WaitForExit(&exitCode)) << "the launcher did not close after starting the converter";
    EXPECT_EQ(exitCode, 0u);
    EXPECT_TRUE(WaitUntil([&] { return !ConverterStarts().empty(); })) << "the converter was not started";
    std::vector<RecordedStart> starts = ConverterStarts();
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0].commandLine, c.commandLine);
    EXPECT_EQ(starts[0].showCommand, SW_SHOWNORMAL);
    EXPECT_TRUE(HelpStarts().empty());
  }
}

INSTANTIATE_TEST_SUITE_P(EachOption, LauncherChoice, ::testing::ValuesIn(kChoices),
                         [](const ::testing::TestParamInfo<Choice>& info) { return Narrow(info.param.option); });

TEST_F(LauncherOptions, ClosingTheWindowStartsNothing) {
  StartLauncher();
  ASSERT_TRUE(WaitForLauncher());
  ::PostMessageW(window_, WM_CLOSE, 0, 0);
  DWORD exitCode = 99;
  EXPECT_TRUE(WaitForExit(&exitCode));
  EXPECT_EQ(exitCode, 0u);
  EXPECT_TRUE(ConverterStarts().empty());
  EXPECT_TRUE(HelpStarts().empty());
}

// Without the converter beside it, a Yes gives one error naming what could not be started and
// why, and the launcher ends having started nothing.
TEST_F(LauncherOptions, MissingConverterIsReportedAndNothingStarts) {
  StartLauncher(/*withConverter=*/false);
  ASSERT_TRUE(WaitForLauncher());
  Click(Control(L"tickvane"));
  MessageBoxView question = ExpectBox();
  AnswerAndWaitClosed(question, IDYES);
  MessageBoxView error = ExpectBox();
  EXPECT_EQ(error.title, L"vq");
  EXPECT_NE(error.text.find(L"\"Genvane ddeonly\""), std::wstring::npos) << std::string(error.text.begin(), error.text.end());
  EXPECT_NE(error.text.find(L"(error 2)"), std::wstring::npos) << "the system's reason is missing";
  EXPECT_EQ(error.buttons, std::vector<int>{IDOK});
  EXPECT_TRUE(error.hasIcon);
  SaveScreenshot(error.window, ArtifactPath(L"launcher-converter-missing.bmp"));
  AnswerAndWaitClosed(error, IDOK);
  EXPECT_TRUE(WaitForExit());
  EXPECT_TRUE(HelpStarts().empty());
  EXPECT_EQ(CountMessageBoxes(launcher_.Id()), 0);
}

}  // namespace
}  // namespace tickvane::test
