#include "tests/windows/converter/converter_fixture_win.h"

#include "common/win_text_win.h"

namespace tickvane::test {

void ConverterTest::SetUp() {
  folder_ = std::make_unique<ScratchFolder>(L"converter");
  program_ = folder_->CopyProgram(L"Genvane.exe");
  ASSERT_TRUE(FileExists(program_)) << "Genvane.exe was not built";
  ASSERT_TRUE(PlaceRecorder(*folder_, L"Tickvane.exe"));
  folder_->WriteFile(L"practice.EPF", kOldPlaybackFile);
}

void ConverterTest::TearDown() {
  converter_.Kill();
  folder_.reset();
}

void ConverterTest::StartConverter(const std::wstring& arguments) {
  converter_ = Process::Start(program_, arguments, folder_->Path());
  ASSERT_TRUE(converter_.Started());
}

bool ConverterTest::WaitForExit(DWORD* exitCode, DWORD timeoutMs) {
  return converter_.WaitForExit(timeoutMs, exitCode);
}

void ConverterTest::ExpectNothingChanged() const {
  EXPECT_TRUE(StationStarts().empty());
  EXPECT_EQ(PlaybackFile(), kOldPlaybackFile);
  EXPECT_TRUE(LeftOverFiles().empty()) << "a file of the converter's was left behind";
}

void ConverterTest::AnswerRefusal(std::initializer_list<std::wstring_view> parts) {
  auto box = WaitForMessageBox(converter_.Id(), 60000);
  ASSERT_TRUE(box) << "no message";
  for (std::wstring_view part : parts) EXPECT_NE(box->text.find(part), std::wstring::npos) << ToUtf8(box->text);
  Answer(*box, IDOK);
  ASSERT_TRUE(WaitForExit());
}

std::vector<std::wstring> ConverterTest::LeftOverFiles() const {
  std::vector<std::wstring> left;
  for (const std::wstring& name : FilesIn(folder_->Path())) {
    if (name == L"Genvane.exe" || name == L"Tickvane.exe" || name == L"practice.EPF" || name == L"Tickvane.log")
      continue;
    // The tick files a test puts there.
    if (name.size() > 4 && (name.substr(name.size() - 4) == L".csv" || name.substr(name.size() - 4) == L".txt")) continue;
    left.push_back(name);
  }
  return left;
}

std::wstring ConverterTest::SamplePath() {
  return ProgramsDirectory() + L"\\ibm-us-equity-trades-20131007-20131008.csv";
}

std::wstring ConverterTest::ArtifactPath(std::wstring_view fileName) {
  std::wstring folder = TestDirectory() + L"\\artifacts";
  ::CreateDirectoryW(folder.c_str(), nullptr);
  return folder + L"\\" + std::wstring(fileName);
}

}  // namespace tickvane::test
