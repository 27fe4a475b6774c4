// The whole way as a user goes it: the launcher's "Generate Playback File and Start DDE Server",
// Yes; the converter's dialog offers the bundled sample, taken; the station comes up in DDE-only
// mode; Start; a linked ddewatch receives the sample's first prices and times.
#include <gtest/gtest.h>

#include "tests/windows/launcher/launcher_fixture_win.h"
#include "tests/windows/support/dde_child_process_win.h"

namespace tickvane::test {
namespace {

constexpr wchar_t kSample[] = L"ibm-us-equity-trades-20131007-20131008.csv";
constexpr int kStartButtonId = 1005;  // cbStartFastSend
constexpr int kSpeedBoxId = 1011;     // speed

class LauncherEndToEnd : public LauncherTest {
 protected:
  void TearDown() override {
    watch_.Kill();
    EndProcessOf(station_);
    EndProcessOf(dialog_);
    LauncherTest::TearDown();
  }
  tickvane::testing::DdeChildProcess watch_;
  HWND dialog_ = nullptr;
  HWND station_ = nullptr;
};

TEST_F(LauncherEndToEnd, LauncherConverterStationAndADdeClient) {
  for (const wchar_t* program : {L"Genvane.exe", L"Tickvane.exe", kSample}) {
    ASSERT_TRUE(FileExists(folder_->CopyProgram(program))) << "missing in bin: " << std::string(program, program + wcslen(program));
  }
  launcher_ = Process::Start(program_, L"", folder_->Path());
  ASSERT_TRUE(launcher_.Started());
  ASSERT_TRUE(WaitForLauncher());
  Click(Control(L"tickvane"));
  AnswerAndWaitClosed(ExpectBox(), IDYES);
  ASSERT_TRUE(WaitForExit());

  ASSERT_TRUE(WaitUntil([&] { return (dialog_ = FindTopLevelAnywhere(L"#32770", L"Genvane")) != nullptr; }, 60000))
      << "the converter's open-file dialog did not show";
  ::PostMessageW(dialog_, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog_, IDOK)));
  ASSERT_TRUE(WaitUntil([&] { return (station_ = FindTopLevelAnywhere(L"TickvaneFrmzavo", L"")) != nullptr; }, 60000))
      << "the station did not come up";
  std::string playback = ReadWholeFile(folder_->Path() + L"\\practice.EPF");
  EXPECT_NE(playback.find("\r\nIBM,20131007,140007,182.50,1\r\n"), std::string::npos);

  std::wstring error;
  ASSERT_TRUE(watch_.Start(ProgramsDirectory() + L"\\ddewatch.exe", L"--wait 60000 --count 6 last time", true, &error))
      << std::string(error.begin(), error.end());
  // The first lines are the items' current values: the link stands before Start is pressed.
  ASSERT_TRUE(WaitUntil([&] { return watch_.Output().find("time\t") != std::string::npos; }, 60000))
      << "ddewatch did not link: " << watch_.Output() << watch_.Errors();
  // Fast, so that the recorded pauses between the ticks take no time.
  SetTextOf(::GetDlgItem(station_, kSpeedBoxId), L"100000");
  Click(::GetDlgItem(station_, kStartButtonId));
  ASSERT_TRUE(watch_.WaitExit(60000)) << "no updates: " << watch_.Output();
  std::string out = watch_.Output();
  EXPECT_NE(out.find("last\t182.50\r\n"), std::string::npos) << out;
  EXPECT_NE(out.find("time\t14:00:07\r\n"), std::string::npos) << out;
  EXPECT_NE(out.find("last\t182.58\r\n"), std::string::npos) << out;
}

}  // namespace
}  // namespace tickvane::test
