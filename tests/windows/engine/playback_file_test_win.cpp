#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/handle_owners_win.h"
#include "common/win_text_win.h"
#include "station/engine/tick_file_reader.h"
#include "station/platform/playback_file_win.h"
#include "tests/native/replay_test_fakes.h"

namespace tickvane {
namespace {

// A fresh folder under the temporary directory, removed with what it holds.
class TempFolder {
 public:
  TempFolder() {
    wchar_t base[MAX_PATH];
    ::GetTempPathW(MAX_PATH, base);
    path_ = std::wstring(base) + L"tickvane-engine-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
            std::to_wstring(++count_);
    ::CreateDirectoryW(path_.c_str(), nullptr);
  }
  ~TempFolder() {
    ::DeleteFileW(PlaybackFilePath(path_).c_str());
    ::RemoveDirectoryW(path_.c_str());
  }
  const std::wstring& path() const { return path_; }

  void Write(const std::string& bytes) const {
    UniqueFile file(::CreateFileW(PlaybackFilePath(path_).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(file) << ::GetLastError();
    DWORD written = 0;
    ASSERT_TRUE(::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
    ASSERT_EQ(written, bytes.size());
  }

 private:
  static inline int count_ = 0;
  std::wstring path_;
};

bool Contains(const std::wstring& text, const std::wstring& part) { return text.find(part) != std::wstring::npos; }

TEST(PlaybackFilePathTest, JoinsWithOneBackslash) {
  EXPECT_EQ(PlaybackFilePath(L"C:\\vq"), L"C:\\vq\\practice.EPF");
  EXPECT_EQ(PlaybackFilePath(L"C:\\vq\\"), L"C:\\vq\\practice.EPF");
}

TEST(OpenPlaybackFileTest, MissingFileNamesTheFullPathAndTheSystemsReason) {
  TempFolder folder;
  const PlaybackFileOpening opening = OpenPlaybackFile(folder.path());
  EXPECT_EQ(opening.source, nullptr);
  EXPECT_TRUE(Contains(opening.error, PlaybackFilePath(folder.path()))) << opening.error;
  EXPECT_TRUE(Contains(opening.error, SystemErrorText(ERROR_FILE_NOT_FOUND))) << opening.error;
}

TEST(OpenPlaybackFileTest, MissingFolderIsReportedToo) {
  TempFolder folder;
  const std::wstring gone = folder.path() + L"\\nothing-here";
  const PlaybackFileOpening opening = OpenPlaybackFile(gone);
  EXPECT_EQ(opening.source, nullptr);
  EXPECT_TRUE(Contains(opening.error, SystemErrorText(ERROR_PATH_NOT_FOUND))) << opening.error;
}

// The converter may still hold the file open for writing; the replay reads it all the same.
TEST(OpenPlaybackFileTest, OpensAFileThatAnotherHandleIsWriting) {
  TempFolder folder;
  folder.Write("h\r\nh\r\nh\r\n");
  UniqueFile writer(::CreateFileW(PlaybackFilePath(folder.path()).c_str(), GENERIC_WRITE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                  nullptr));
  ASSERT_TRUE(writer);
  const PlaybackFileOpening opening = OpenPlaybackFile(folder.path());
  EXPECT_NE(opening.source, nullptr) << opening.error;
}

TEST(OpenPlaybackFileTest, FileLockedByAnotherProgramIsASharingViolation) {
  TempFolder folder;
  folder.Write("h\r\n");
  UniqueFile locker(::CreateFileW(PlaybackFilePath(folder.path()).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(locker);
  const PlaybackFileOpening opening = OpenPlaybackFile(folder.path());
  EXPECT_EQ(opening.source, nullptr);
  EXPECT_TRUE(Contains(opening.error, SystemErrorText(ERROR_SHARING_VIOLATION))) << opening.error;
}

TEST(WinFileByteSourceTest, ReadsEveryByteThenReportsNoFailure) {
  TempFolder folder;
  std::string text = "IBM\r\nSymbol\r\n3\r\n";
  for (int i = 0; i < 20000; ++i) text += "IBM,20131008," + std::to_string(93000 + i % 60) + ",182.5\r\n";
  folder.Write(text);
  PlaybackFileOpening opening = OpenPlaybackFile(folder.path());
  ASSERT_NE(opening.source, nullptr) << opening.error;
  TickFileReader reader(*opening.source);
  int records = 0;
  while (!reader.AtEnd())
    if (reader.ReadLine().kind == LineKind::Record) ++records;
  EXPECT_EQ(records, 20000);
  EXPECT_EQ(opening.source->ReadFailure(), L"");
}

// A handle that cannot read stands for a file whose reads fail (a network share gone away).
TEST(WinFileByteSourceTest, FailedReadIsKeptWithThePathAndTheSystemsText) {
  TempFolder folder;
  folder.Write("h\r\nh\r\nh\r\nIBM,1,93000,1\r\n");
  const std::wstring path = PlaybackFilePath(folder.path());
  UniqueFile writeOnly(::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(writeOnly);
  WinFileByteSource source(std::move(writeOnly), path);
  char buffer[64];
  EXPECT_EQ(source.Read(buffer, sizeof buffer), 0u);
  EXPECT_NE(source.error(), 0u);
  const std::wstring failure = source.ReadFailure();
  EXPECT_TRUE(Contains(failure, path)) << failure;
  EXPECT_TRUE(Contains(failure, SystemErrorText(source.error()))) << failure;
  EXPECT_EQ(source.Read(buffer, sizeof buffer), 0u);  // stays failed
}

// The whole road from the file on disk to the window, in DDE-only mode.
TEST(ReplayFromDiskTest, ReplaysTheFileAndEndsWithTheClosingMessage) {
  TempFolder folder;
  folder.Write("IBM\r\nSymbol,Date,Time,Price\r\n3\r\nIBM,20131008,93000,182.5\r\nIBM,20131008,93001,182.75\r\n");
  replay_test::ReplayRig rig("ddeonly");
  RunReplay(rig.window, rig.station, rig.factory, [&] { return OpenPlaybackFile(folder.path()); });
  EXPECT_EQ(rig.log.Only({"last=", "time=", "Notice"}),
            (std::vector<std::string>{"last=182.5", "time=9:30:00", "last=182.75", "time=9:30:01",
                                      "Notice(This playback session has been done. Happy trading!)"}));
}

}  // namespace
}  // namespace tickvane
