// Stand-ins for the programs that the launcher and the converter start: copies of one small
// recorder program, each writing the command line it was started with into "<name>.log" beside
// itself, one line each time it runs.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "tests/windows/support/programs_win.h"

namespace tickvane::test {

// The recorder program's file name in the tests folder.
inline constexpr const wchar_t* kRecorderProgram = L"launcher_recorder_standin.exe";

// Puts the recorder into the folder as programName (Genvane.exe, explorer.exe, ...).
bool PlaceRecorder(const ScratchFolder& folder, std::wstring_view programName);

struct RecordedStart {
  std::wstring commandLine;  // as the started program got it
  int showCommand = -1;      // STARTUPINFO.wShowWindow, -1 when the starter gave none
};

// What the recorder placed as programName (say "Genvane.exe") has recorded so far.
std::vector<RecordedStart> RecordedStarts(const ScratchFolder& folder, std::wstring_view programName);

// A file's bytes, or nothing when it cannot be read.
std::string ReadWholeFile(const std::wstring& path);
bool FileExists(const std::wstring& path);
// Names in a folder, files as they are and folders with a trailing backslash; sorted, compared
// without regard to case as Windows does.
std::vector<std::wstring> FolderContents(const std::wstring& folder);
// The files alone, in the same order.
std::vector<std::wstring> FilesIn(const std::wstring& folder);

// A left mouse click at the middle of a control, posted to it (static controls ignore BM_CLICK).
void PostMouseClick(HWND control);

}  // namespace tickvane::test

namespace tickvane::test {

// A visible top-level window of that class in any process whose caption contains captionPart;
// for programs that other programs start, whose process the test does not know.
HWND FindTopLevelAnywhere(std::wstring_view className, std::wstring_view captionPart);

// Ends the process that owns the window, if it still runs.
void EndProcessOf(HWND window);

}  // namespace tickvane::test
