// The window as it looks: every control and text with room to show, and its picture.
#include <gtest/gtest.h>

#include "settings/settings_ids.h"
#include "tests/windows/settings/settings_fixture_win.h"
#include "tests/windows/settings/settings_window_view_win.h"
#include "tests/windows/support/windows_win.h"

namespace tickvane::test {
namespace {

TEST_F(SettingsWindowTest, EveryControlAndTextHasRoom) {
  ScratchFolder folder(L"settings-look");
  ASSERT_NO_FATAL_FAILURE(Open(folder.Path(), L"Eastern Standard Time"));
  for (int id : {IDC_FOLDER_GROUP, IDC_FOLDER_NOTE, IDC_INTO_FOLDER, IDC_FOLDER, IDC_BROWSE, IDC_FIND_SIERRA,
                 IDC_BESIDE_PROGRAMS, IDC_ZONE_GROUP, IDC_ZONE_NOTE, IDC_ZONE, IDC_SETTINGS_NOTE, IDOK, IDCANCEL})
    EXPECT_TRUE(::IsWindowVisible(Control(id))) << id;
  std::string all;
  for (const std::string& problem : DialogLayoutProblems(window_, ScreenDpi())) all += problem + "\n";
  EXPECT_TRUE(all.empty()) << all;
  EXPECT_TRUE(SaveScreenshot(window_, ArtifactPath(L"settings-window.bmp")));
}

}  // namespace
}  // namespace tickvane::test
