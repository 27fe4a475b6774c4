// The "Help " label: the help page through explorer, as often as it is clicked; the launcher stays.
#include <gtest/gtest.h>

#include "tests/windows/launcher/launcher_fixture_win.h"

namespace tickvane::test {
namespace {

class LauncherHelp : public LauncherTest {};

TEST_F(LauncherHelp, EveryClickOpensTheHelpPageMinimizedAndTheLauncherStays) {
  StartLauncher();
  ASSERT_TRUE(WaitForLauncher());
  HWND help = Control(L"Label1");
  for (size_t n = 1; n <= 2; ++n) {
    PostMouseClick(help);
    EXPECT_TRUE(WaitUntil([&] { return HelpStarts().size() >= n; })) << "click " << n << " opened nothing";
  }
  std::vector<RecordedStart> starts = HelpStarts();
  ASSERT_EQ(starts.size(), 2u);
  for (const RecordedStart& s : starts) {
    EXPECT_EQ(s.commandLine, L"explorer \"" + folder_->Path() + L"\\help.html\"");
    EXPECT_EQ(s.showCommand, SW_SHOWMINIMIZED);
  }
  // No question, no error: the launcher is open as before.
  EXPECT_EQ(CountMessageBoxes(launcher_.Id()), 0);
  EXPECT_TRUE(launcher_.Running());
  EXPECT_TRUE(::IsWindowVisible(window_));
  EXPECT_TRUE(ConverterStarts().empty());
}

}  // namespace
}  // namespace tickvane::test
