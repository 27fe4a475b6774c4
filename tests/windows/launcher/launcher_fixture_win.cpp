#include "tests/windows/launcher/launcher_fixture_win.h"

#include "launcher/launcher_layout.h"
#include "launcher/launcher_texts.h"

namespace tickvane::test {

void LauncherTest::SetUp() {
  // A blank in the folder's name, as in "Program Files": the help address must survive it.
  folder_ = std::make_unique<ScratchFolder>(L"launcher folder");
  program_ = folder_->CopyProgram(L"Portvane.exe");
  ASSERT_TRUE(FileExists(program_)) << "Portvane.exe was not built";
}

void LauncherTest::TearDown() {
  launcher_.Kill();
  folder_.reset();
}

void LauncherTest::StartLauncher(bool withConverter) {
  if (withConverter) {
    ASSERT_TRUE(PlaceRecorder(*folder_, L"Genvane.exe"));
  }
  ASSERT_TRUE(PlaceRecorder(*folder_, L"explorer.exe"));
  launcher_ = Process::Start(program_, L"", folder_->Path());
  ASSERT_TRUE(launcher_.Started());
}

HWND LauncherTest::WaitForLauncher() {
  EXPECT_TRUE(WaitUntil([&] {
    window_ = FindTopLevel(launcher_.Id(), launcher::kWindowClass, true);
    return window_ != nullptr;
  })) << "the launcher window did not show";
  return window_;
}

HWND LauncherTest::Control(std::wstring_view name) const {
  return ::GetDlgItem(window_, FindControl(launcher::LauncherWindowDesign(), name)->id);
}

MessageBoxView LauncherTest::ExpectBox() {
  auto box = WaitForMessageBox(launcher_.Id());
  EXPECT_TRUE(box) << "no message box opened";
  return box ? *box : MessageBoxView{};
}

void LauncherTest::ExpectQuestion(const MessageBoxView& box, std::wstring_view question) {
  EXPECT_EQ(box.title, L"Are you sure?");
  EXPECT_EQ(box.text, question);
  EXPECT_EQ(box.buttons, (std::vector<int>{IDYES, IDNO}));
  EXPECT_EQ(box.defaultButton, IDYES);
  EXPECT_TRUE(box.hasIcon);
}

void LauncherTest::AnswerAndWaitClosed(const MessageBoxView& box, int button) {
  Answer(box, button);
  EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(box.window); })) << "the message box did not close";
}

bool LauncherTest::WaitForExit(DWORD* exitCode, DWORD timeoutMs) { return launcher_.WaitForExit(timeoutMs, exitCode); }

std::wstring LauncherTest::ArtifactPath(std::wstring_view fileName) {
  std::wstring folder = TestDirectory() + L"\\artifacts";
  ::CreateDirectoryW(folder.c_str(), nullptr);
  return folder + L"\\" + std::wstring(fileName);
}

}  // namespace tickvane::test
