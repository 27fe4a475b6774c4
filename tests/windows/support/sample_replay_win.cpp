#include "tests/windows/support/sample_replay_win.h"

#include <gtest/gtest.h>

#include "common/win_text_win.h"
#include "station/window/layout.h"
#include "tests/windows/support/programs_win.h"
#include "tests/windows/support/windows_win.h"

namespace tickvane::test {

void ReplaySampleIntoDdewatch(tickvane::testing::DdeChildProcess& watch, const std::wstring& ddewatchPath,
                              HWND station) {
  std::wstring error;
  ASSERT_TRUE(watch.Start(ddewatchPath, L"--wait 60000 --count 6 last time", true, &error)) << ToUtf8(error);
  // The first lines are the items' current values: the link stands before Start is pressed.
  ASSERT_TRUE(WaitUntil([&] { return watch.Output().find("time\t") != std::string::npos; }, 60000))
      << "ddewatch did not link: " << watch.Output() << watch.Errors();
  SetTextOf(ControlOf(station, MainControlId::speed), L"100000");
  Click(ControlOf(station, MainControlId::cbStartFastSend));
  ASSERT_TRUE(watch.WaitExit(60000)) << "no updates: " << watch.Output();
  const std::string out = watch.Output();
  EXPECT_NE(out.find("last\t182.50\r\n"), std::string::npos) << out;
  EXPECT_NE(out.find("time\t14:00:07\r\n"), std::string::npos) << out;
  EXPECT_NE(out.find("last\t182.58\r\n"), std::string::npos) << out;
}

}  // namespace tickvane::test
