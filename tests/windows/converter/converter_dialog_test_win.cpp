// Genvane started without a file, as the launcher starts it: a NinjaTrader file picked in its
// open-file dialog shows what Genvane finds before converting (the format, the zones, the price,
// the symbol, the first ticks as they will replay), laid out whole at the run's DPI and pictured;
// a zone changed there is the zone the file is converted with.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "common/win_text_win.h"
#include "converter/genvane_texts.h"
#include "tests/native/converter_fixtures.h"
#include "tests/windows/converter/converter_dialog_view_win.h"
#include "tests/windows/settings/settings_window_view_win.h"
#include "tests/windows/support/launcher_recorder_win.h"
#include "tests/windows/support/programs_win.h"
#include "tests/windows/support/user_settings_scope_win.h"
#include "tests/windows/support/windows_win.h"

namespace tickvane::test {
namespace {

namespace fixtures = tickvane::converter::fixtures;

class ConverterDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::make_unique<ScratchFolder>(L"dialog");
    program_ = folder_->CopyProgram(L"Genvane.exe");
    ASSERT_TRUE(FileExists(program_)) << "Genvane.exe was not built";
    ASSERT_TRUE(PlaceRecorder(*folder_, L"Tickvane.exe"));
    folder_->WriteFile(L"ES 12-13.Last.txt", fixtures::kNinjaTrader8);
    settings_.Set(std::nullopt, L"Eastern Standard Time");
  }
  void TearDown() override {
    genvane_.Kill();
    folder_.reset();
  }
  static std::wstring Artifact(const std::wstring& name) {
    std::wstring folder = TestDirectory() + L"\\artifacts";
    ::CreateDirectoryW(folder.c_str(), nullptr);
    return folder + L"\\" + name;
  }

  UserSettingsScope settings_;
  std::unique_ptr<ScratchFolder> folder_;
  std::wstring program_;
  Process genvane_;
};

std::string Narrow(const std::wstring& w) { return ToUtf8(w); }

TEST_F(ConverterDialog, ANinjaTraderFileShowsWhatGenvaneFindsAndConvertsWithTheChoice) {
  ASSERT_EQ(ScreenDpi(), ExpectedDpi()) << "the prefix runs at another DPI";
  genvane_ = Process::Start(program_, L"ddeonly", folder_->Path());
  ASSERT_TRUE(genvane_.Started());
  HWND dialog = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (dialog = FindTopLevel(genvane_.Id(), L"#32770", true)) != nullptr; }, 60000))
      << "no open-file dialog";
  HWND panel = DescendantById(dialog, converter::kFindingPanelId);
  ASSERT_TRUE(panel) << "the dialog has no finding panel";
  EXPECT_EQ(ReadFinding(panel).format, L"Pick a tick file to see what Genvane finds in it.");

  // The user types the file's name (or clicks it in the list, which puts its name there too).
  HWND name = ::GetDlgItem(dialog, 0x047C);  // cmb13, the file name combo box
  ASSERT_TRUE(name);
  SetTextOf(name, L"ES 12-13.Last.txt");
  ASSERT_TRUE(WaitUntil([&] { return ReadFinding(panel).format == L"NinjaTrader 8 tick export"; }, 30000))
      << Narrow(ReadFinding(panel).format);
  FindingView v = ReadFinding(panel);
  EXPECT_EQ(v.readZone, L"UTC (the format's zone)");
  EXPECT_TRUE(v.readZoneEnabled);
  EXPECT_EQ(v.why, L"NinjaTrader 8 exports in UTC.");
  EXPECT_EQ(v.writeZone, L"Eastern Standard Time (the recording time zone of Tickvane Settings)");
  EXPECT_EQ(v.price, L"last (trades)");
  EXPECT_FALSE(v.priceEnabled) << "a file of trades alone has no other price";
  EXPECT_EQ(v.symbol, L"ES 12-13");
  EXPECT_EQ(v.ticks, L"2013-10-08 09:30:03    1680.25    volume 3\r\n2013-10-08 09:30:04    1680.50    volume 1");

  // Whole and readable at this DPI, on the screen.
  for (const std::string& problem : DialogLayoutProblems(panel, ExpectedDpi())) ADD_FAILURE() << problem;
  for (const std::string& overlap : PanelOverlaps(dialog, panel)) ADD_FAILURE() << overlap;
  RECT dialogRect{}, work{};
  ::GetWindowRect(dialog, &dialogRect);
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_LE(dialogRect.bottom, work.bottom) << "the dialog runs off the screen";
  EXPECT_GE(dialogRect.top, work.top);
  SaveScreenshot(dialog, Artifact(L"converter-finding-" + std::to_wstring(ExpectedDpi()) + L"dpi.bmp"));

  // The times taken as written instead: the second choice of the zone box.
  HWND zone = ::GetDlgItem(panel, converter::kFindingReadZoneId);
  ::SendMessageW(zone, CB_SETCURSEL, 1, 0);
  ::SendMessageW(panel, WM_COMMAND, MAKEWPARAM(converter::kFindingReadZoneId, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(zone));
  ASSERT_TRUE(WaitUntil([&] { return ReadFinding(panel).readZone == L"As written (no zone)"; }, 30000))
      << Narrow(ReadFinding(panel).readZone);
  EXPECT_EQ(ReadFinding(panel).ticks.substr(0, 19), L"2013-10-08 13:30:03");

  ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDOK)));
  DWORD exitCode = 99;
  ASSERT_TRUE(genvane_.WaitForExit(60000, &exitCode)) << "the converter did not end";
  EXPECT_EQ(exitCode, 0u);
  std::string playback = ReadWholeFile(folder_->Path() + L"\\practice.EPF");
  EXPECT_NE(playback.find("times read as written (no zone), written in Eastern Standard Time"), std::string::npos)
      << playback.substr(0, 300);
  EXPECT_NE(playback.find("\r\nES 12-13,20131008,133003,1680.25,3\r\n"), std::string::npos) << playback.substr(0, 300);
  EXPECT_TRUE(WaitUntil([&] { return !RecordedStarts(*folder_, L"Tickvane.exe").empty(); }))
      << "the station was not started";
}

}  // namespace
}  // namespace tickvane::test
