// A launcher started from its own copy of Portvane.exe in a fresh folder, with recorders standing
// in for Genvane and explorer beside it, driven from outside as a user would.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tests/windows/support/launcher_recorder_win.h"
#include "tests/windows/support/programs_win.h"
#include "tests/windows/support/windows_win.h"

namespace tickvane::test {

class LauncherTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // withConverter false leaves Genvane.exe out of the folder.
  void StartLauncher(bool withConverter = true);
  HWND WaitForLauncher();
  HWND Control(std::wstring_view name) const;
  // Waits for a message box; fails the test when none opens.
  MessageBoxView ExpectBox();
  // Checks that the box is the confirmation with that question.
  void ExpectQuestion(const MessageBoxView& box, std::wstring_view question);
  void AnswerAndWaitClosed(const MessageBoxView& box, int button);
  std::vector<RecordedStart> ConverterStarts() const { return RecordedStarts(*folder_, L"Genvane.exe"); }
  std::vector<RecordedStart> HelpStarts() const { return RecordedStarts(*folder_, L"explorer.exe"); }
  bool WaitForExit(DWORD* exitCode = nullptr, DWORD timeoutMs = 30000);
  static std::wstring ArtifactPath(std::wstring_view fileName);

  std::unique_ptr<ScratchFolder> folder_;
  std::wstring program_;
  Process launcher_;
  HWND window_ = nullptr;
};

}  // namespace tickvane::test
