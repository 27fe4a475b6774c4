// Starting the programs under test and watching their processes.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <string_view>

#include "common/handle_owners_win.h"

namespace tickvane::test {

// Folder of the running test program, and the folder where the programs under test are built
// (bin beside the tests folder).
std::wstring TestDirectory();
std::wstring ProgramsDirectory();

// A new, empty folder under the temporary folder; removed with its files by the destructor.
class ScratchFolder {
 public:
  explicit ScratchFolder(std::wstring_view label);
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::wstring& Path() const { return path_; }
  // Copies a built program (by file name) into the folder and returns the copy's full path.
  std::wstring CopyProgram(std::wstring_view fileName) const;
  void WriteFile(std::wstring_view fileName, std::string_view bytes) const;

 private:
  std::wstring path_;
};

// A started process; a process still running when this is destroyed is ended.
class Process {
 public:
  // Starts "program" followed by a blank and arguments (as written, quotes and all) in folder.
  // An empty arguments text gives a command line of the program name alone.
  static Process Start(const std::wstring& program, const std::wstring& arguments,
                       const std::wstring& folder = L"");
  Process() = default;
  Process(Process&&) = default;
  Process& operator=(Process&&) = default;
  ~Process();

  bool Started() const { return static_cast<bool>(handle_); }
  DWORD Id() const { return id_; }
  DWORD ThreadId() const { return threadId_; }
  bool Running() const;
  // Waits for the end of the process; false on timeout. *exitCode gets its exit code.
  bool WaitForExit(DWORD timeoutMs, DWORD* exitCode = nullptr) const;
  void Kill();

 private:
  UniqueHandle handle_;
  DWORD id_ = 0;
  DWORD threadId_ = 0;
};

// Starts a second copy of a program while the first runs and expects it to end by itself within
// 30 s with exit code 0, as a second copy of our programs does.
::testing::AssertionResult SecondCopyEndsQuietly(const std::wstring& program, const std::wstring& arguments,
                                                 const std::wstring& folder);

// Polls the condition until it holds or the time is up; returns whether it held.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 30000);

}  // namespace tickvane::test
