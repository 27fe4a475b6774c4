// A conversion that takes long shows its progress and can be cancelled; the older playback
// file stays. The input comes through a pipe that the test keeps open, so the conversion lasts
// as long as the test wants, whatever the machine's speed.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "common/handle_owners_win.h"
#include "converter/genvane_texts.h"
#include "tests/windows/converter/converter_fixture_win.h"

namespace tickvane::test {
namespace {

TEST_F(ConverterTest, LongConversionShowsProgressAndCancelKeepsTheOldFile) {
  std::wstring pipeName = L"\\\\.\\pipe\\genvane-test-" + std::to_wstring(::GetCurrentProcessId());
  UniqueFile pipe(::CreateNamedPipeW(pipeName.c_str(), PIPE_ACCESS_OUTBOUND, PIPE_TYPE_BYTE | PIPE_WAIT, 1, 65536,
                                     65536, 0, nullptr));
  ASSERT_TRUE(pipe);
  StartConverter(L"ddeonly " + pipeName);
  ASSERT_TRUE(::ConnectNamedPipe(pipe.get(), nullptr) || ::GetLastError() == ERROR_PIPE_CONNECTED);
  std::string start = "Date,Time,Price\r\n20131008,093003,182.50\r\n20131008,093004,182.55\r\n";
  DWORD written = 0;
  ASSERT_TRUE(::WriteFile(pipe.get(), start.data(), static_cast<DWORD>(start.size()), &written, nullptr));

  HWND progress = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    progress = FindTopLevel(converter_.Id(), converter::kProgressWindowClass, true);
    return progress != nullptr;
  })) << "no progress window";
  HWND bar = ::GetDlgItem(progress, converter::kProgressBarId);
  ASSERT_TRUE(bar);
  EXPECT_EQ(_wcsicmp(ClassNameOf(bar).c_str(), PROGRESS_CLASSW), 0);
  HWND cancel = ::GetDlgItem(progress, converter::kCancelButtonId);
  ASSERT_TRUE(cancel);
  EXPECT_EQ(TextOf(cancel), L"Cancel");
  // The ticks so far, and the file they come from.
  HWND counts = ::GetDlgItem(progress, converter::kProgressTextId);
  ASSERT_TRUE(counts);
  EXPECT_TRUE(WaitUntil([&] { return TextOf(counts).rfind(L"2 ticks converted", 0) == 0; }))
      << std::string(TextOf(counts).begin(), TextOf(counts).end());
  EXPECT_NE(TextOf(counts).find(L"now reading genvane-test-"), std::wstring::npos);
  SaveScreenshot(progress, ArtifactPath(L"converter-progress.bmp"));
  EXPECT_TRUE(converter_.Running());
  EXPECT_TRUE(StationStarts().empty());

  Click(cancel);
  DWORD exitCode = 0;
  ASSERT_TRUE(WaitForExit(&exitCode)) << "Cancel did not end the converter";
  EXPECT_NE(exitCode, 0u);
  ExpectNothingChanged();
}

}  // namespace
}  // namespace tickvane::test
