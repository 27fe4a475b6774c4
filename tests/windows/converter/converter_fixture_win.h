// The converter started from its own copy of Genvane.exe in a fresh folder, with a recorder
// standing in for the station beside it and an older practice.EPF that must survive failures.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <initializer_list>
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
  // What a refused or cancelled conversion leaves: no station started, the older practice.EPF as
  // it was, and no file of the converter's own.
  void ExpectNothingChanged() const;
  // The converter's message, which must hold each of the parts, answered with OK; then the
  // converter's end.
  // Fatal failures end the caller's test too when it is wrapped in ASSERT_NO_FATAL_FAILURE.
  void AnswerRefusal(std::initializer_list<std::wstring_view> parts);
  static std::wstring SamplePath();
  static std::wstring ArtifactPath(std::wstring_view fileName);

  std::unique_ptr<ScratchFolder> folder_;
  std::wstring program_;
  Process converter_;
};

}  // namespace tickvane::test
