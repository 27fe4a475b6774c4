// The whole way as a user goes it: the launcher's "Generate Playback File and Start DDE Server",
// Yes; the converter's dialog offers the bundled sample, taken; the station comes up in DDE-only
// mode; Start; a linked ddewatch receives the sample's first prices and times.
#include <gtest/gtest.h>

#include <optional>

#include "station/window/layout.h"
#include "tests/windows/launcher/launcher_fixture_win.h"
#include "tests/windows/support/dde_child_process_win.h"
#include "tests/windows/support/sample_replay_win.h"
#include "tests/windows/support/windows_win.h"

namespace tickvane::test {
namespace {

constexpr wchar_t kSample[] = L"ibm-us-equity-trades-20131007-20131008.csv";

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

  ASSERT_NO_FATAL_FAILURE(ReplaySampleIntoDdewatch(watch_, ProgramsDirectory() + L"\\ddewatch.exe", station_));
}

// The "sierra" way: the notice before the converter, the station's own notice and its chart-file
// chooser, a pick of IBM.mnd, a replay, and the chart file holding every tick of the sample.
class LauncherEndToEndSierra : public LauncherEndToEnd {
 protected:
  bool Register(bool on) {
    std::wstring regsvr32 = L"C:\\windows\\system32\\regsvr32.exe";
    std::wstring arguments = std::wstring(on ? L"/s \"" : L"/u /s \"") + folder_->Path() + L"\\zavovq.dll\"";
    Process p = Process::Start(regsvr32, arguments, folder_->Path());
    DWORD exitCode = 1;
    return p.WaitForExit(60000, &exitCode) && exitCode == 0;
  }
  void TearDown() override {
    if (registered_) Register(false);
    LauncherEndToEnd::TearDown();
  }
  bool registered_ = false;
};

TEST_F(LauncherEndToEndSierra, ChartFileHoldsTheReplayedSample) {
  for (const wchar_t* program : {L"Genvane.exe", L"Tickvane.exe", L"zavovq.dll", L"chartdump.exe", kSample}) {
    ASSERT_TRUE(FileExists(folder_->CopyProgram(program))) << "missing in bin: " << std::string(program, program + wcslen(program));
  }
  ASSERT_TRUE(registered_ = Register(true)) << "zavovq.dll could not be registered";
  launcher_ = Process::Start(program_, L"", folder_->Path());
  ASSERT_TRUE(launcher_.Started());
  ASSERT_TRUE(WaitForLauncher());
  Click(Control(L"sierra"));
  AnswerAndWaitClosed(ExpectBox(), IDYES);
  AnswerAndWaitClosed(ExpectBox(), IDOK);  // keep SierraChart running
  ASSERT_TRUE(WaitForExit());

  ASSERT_TRUE(WaitUntil([&] { return (dialog_ = FindTopLevelAnywhere(L"#32770", L"Genvane")) != nullptr; }, 60000));
  ::PostMessageW(dialog_, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog_, IDOK)));
  // The station's start-up notice, then its chooser.
  HWND notice = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (notice = FindTopLevelAnywhere(L"#32770", L"zavo")) != nullptr; }, 60000));
  auto box = FindMessageBox(ProcessOf(notice));
  ASSERT_TRUE(box);
  EXPECT_EQ(box->text, L"If you have not done so, please start your SierraCharting program now.");
  AnswerAndWaitClosed(*box, IDOK);
  HWND chooser = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (chooser = FindTopLevelAnywhere(L"TickvaneFilename", L"")) != nullptr; }, 60000));
  Click(ControlOf(chooser, ChooserControlId::IBM));
  ASSERT_TRUE(WaitUntil([&] { return (station_ = FindTopLevelAnywhere(L"TickvaneFrmzavo", L"")) != nullptr; }, 60000));

  SetTextOf(ControlOf(station_, MainControlId::speed), L"100000");
  Click(ControlOf(station_, MainControlId::cbStartFastSend));
  std::optional<MessageBoxView> done = WaitForMessageBox(ProcessOf(station_), 300000);
  ASSERT_TRUE(done) << "the replay did not end";
  EXPECT_EQ(done->text, L"This playback session has been done. Happy trading!");

  tickvane::testing::DdeChildProcess dump;
  std::wstring error;
  ASSERT_TRUE(dump.Start(folder_->Path() + L"\\chartdump.exe", L"\"" + folder_->Path() + L"\\ibm.mnd\"", true, &error));
  ASSERT_TRUE(dump.WaitExit(60000));
  std::string out = dump.Output();
  EXPECT_NE(out.find("20131007 140007 182.50 1"), std::string::npos) << out.substr(0, 500);
  EXPECT_NE(out.find("# 17049 records"), std::string::npos) << out.substr(out.size() > 300 ? out.size() - 300 : 0);
}

}  // namespace
}  // namespace tickvane::test
