// Converting the bundled sample in each mode: the playback file written, then the station started.
#include <gtest/gtest.h>

#include "common/win_text_win.h"
#include "tests/windows/converter/converter_fixture_win.h"

namespace tickvane::test {
namespace {

struct Mode {
  const wchar_t* word;
  const wchar_t* station;
};

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t at = 0;
  while (at < text.size()) {
    size_t end = text.find("\r\n", at);
    if (end == std::string::npos) {
      lines.push_back(text.substr(at));
      break;
    }
    lines.push_back(text.substr(at, end - at));
    at = end + 2;
  }
  return lines;
}

class ConverterModes : public ConverterTest, public ::testing::WithParamInterface<Mode> {};

TEST_P(ConverterModes, SampleBecomesThePlaybackFileThenTheStationStarts) {
  const Mode& mode = GetParam();
  StartConverter(std::wstring(mode.word) + L" \"" + SamplePath() + L"\"");
  DWORD exitCode = 99;
  ASSERT_TRUE(WaitForExit(&exitCode)) << "the converter did not end";
  EXPECT_EQ(exitCode, 0u);

  std::string file = PlaybackFile();
  ASSERT_EQ(file.substr(file.size() - 2), "\r\n");
  // Every line ends in CR LF: no line feed without its CR.
  for (size_t at = file.find('\n'); at != std::string::npos; at = file.find('\n', at + 1))
    ASSERT_EQ(file[at - 1], '\r') << "at byte " << at;
  std::vector<std::string> lines = Lines(file);
  ASSERT_EQ(lines.size(), 3u + 17049u);
  EXPECT_EQ(lines[0].rfind("Tickvane playback file, converted by Genvane on ", 0), 0u) << lines[0];
  EXPECT_EQ(lines[1], "Converted from " + ToAnsi(SamplePath()));
  EXPECT_EQ(lines[2], "Symbol,Date,Time,Price,Volume");
  EXPECT_EQ(lines[3], "IBM,20131007,140007,182.50,1");
  EXPECT_EQ(lines[4], "IBM,20131007,140007,182.58,1");
  EXPECT_EQ(lines.back(), "IBM,20131008,105959,180.00,1");
  // 93003 in the sample is 09:30:03.
  EXPECT_NE(file.find("\r\nIBM,20131008,093003,"), std::string::npos);
  for (size_t i = 3; i < lines.size(); ++i) {
    ASSERT_EQ(std::count(lines[i].begin(), lines[i].end(), ','), 4) << lines[i];
    ASSERT_EQ(lines[i].find(",2013100"), 3u) << lines[i];
  }

  EXPECT_TRUE(WaitUntil([&] { return !StationStarts().empty(); })) << "the station was not started";
  std::vector<RecordedStart> starts = StationStarts();
  ASSERT_EQ(starts.size(), 1u);
  EXPECT_EQ(starts[0].commandLine, std::wstring(L"Tickvane ") + mode.station);
  EXPECT_EQ(starts[0].showCommand, SW_SHOWNORMAL);
  EXPECT_TRUE(LeftOverFiles().empty()) << "a temporary file was left behind";
}

INSTANTIATE_TEST_SUITE_P(EachMode, ConverterModes,
                         ::testing::Values(Mode{L"sierra", L"sierra"}, Mode{L"ddeonly", L"ddeonly"},
                                           Mode{L"esignal", L"esignal"}),
                         [](const ::testing::TestParamInfo<Mode>& info) {
                           std::wstring_view w = info.param.word;
                           return std::string(w.begin(), w.end());
                         });

// Genvane alone, as the launcher's esignal choice starts it: the open-file dialog offers the
// bundled sample first; taking it converts and starts the station's esignal notice.
TEST_F(ConverterTest, WithoutAFileTheDialogOffersTheSample) {
  folder_->WriteFile(L"ibm-us-equity-trades-20131007-20131008.csv", ReadWholeFile(SamplePath()));
  StartConverter(L"");
  HWND dialog = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    for (HWND w : TopLevelWindows(converter_.Id(), true))
      if (ClassNameOf(w) == L"#32770") dialog = w;
    return dialog != nullptr;
  })) << "no open-file dialog";
  EXPECT_NE(TextOf(dialog).find(L"Genvane"), std::wstring::npos);
  // The file name box holds the sample's name.
  HWND name = ::GetDlgItem(dialog, 0x047C);  // cmb13, the file name combo box
  if (!name) name = ::GetDlgItem(dialog, 0x0480);  // edt1 in older dialogs
  ASSERT_TRUE(name);
  EXPECT_EQ(TextOf(name), L"ibm-us-equity-trades-20131007-20131008.csv");
  SaveScreenshot(dialog, ArtifactPath(L"converter-open-dialog.bmp"));
  ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDOK)));
  ASSERT_TRUE(WaitForExit()) << "the converter did not end";
  EXPECT_TRUE(WaitUntil([&] { return !StationStarts().empty(); })) << "the station was not started";
  ASSERT_EQ(StationStarts().size(), 1u);
  EXPECT_EQ(StationStarts()[0].commandLine, L"Tickvane esignal");
  std::string from = "\r\nConverted from " + ToAnsi(PathOf(L"ibm-us-equity-trades-20131007-20131008.csv")) + "\r\n";
  EXPECT_NE(PlaybackFile().find(from), std::string::npos) << PlaybackFile().substr(0, 300);
}

TEST_F(ConverterTest, CancellingTheDialogConvertsAndStartsNothing) {
  StartConverter(L"ddeonly");
  HWND dialog = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    dialog = FindTopLevel(converter_.Id(), L"#32770", true);
    return dialog != nullptr;
  })) << "no open-file dialog";
  ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  ASSERT_TRUE(WaitForExit());
  ExpectNothingChanged();
}

}  // namespace
}  // namespace tickvane::test
