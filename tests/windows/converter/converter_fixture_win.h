// The converter started from its own copy of Genvane.exe in a fresh folder, with a recorder
// standing in for the station beside it and an older practice.EPF that must survive failures.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "tests/windows/support/launcher_recorder_win.h"
#include "tests/windows/support/programs_win.h"
#include "tests/windows/support/windows_win.h"

namespace tickvane::test {

inline constexpr char kOldPlaybackFile[] = "an older playback file\r\nthat a failed conversion leaves alone\r\n";

class ConverterTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  void StartConverter(const std::wstring& arguments);
  bool WaitForExit(DWORD* exitCode = nullptr, DWORD timeoutMs = 60000);
  std::wstring PathOf(std::wstring_view fileName) const { return folder_->Path() + L"\\" + std::wstring(fileName); }
  std::string PlaybackFile() const { return ReadWholeFile(PathOf(L"practice.EPF")); }
  std::vector<RecordedStart> StationStarts() const { return RecordedStarts(*folder_, L"Tickvane.exe"); }
  // Files in the folder other than the ones the test put there.
  std::vector<std::wstring> LeftOverFiles() const;
  static std::wstring SamplePath();
  static std::wstring ArtifactPath(std::wstring_view fileName);

  std::unique_ptr<ScratchFolder> folder_;
  std::wstring program_;
  Process converter_;
};

}  // namespace tickvane::test
