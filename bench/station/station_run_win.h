// A station started from its own copy of Tickvane.exe in a scratch folder, in DDE-only or "sierra"
// mode, and driven from outside as a user would: the speed box, Start, the closing message.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>

#include "tests/windows/support/programs_win.h"

namespace tickvane::bench {

class StationRun {
 public:
  explicit StationRun(std::wstring_view label);
  ~StationRun();
  StationRun(const StationRun&) = delete;
  StationRun& operator=(const StationRun&) = delete;

  const std::wstring& Folder() const { return folder_.Path(); }
  std::wstring PlaybackFilePath() const { return Folder() + L"\\practice.EPF"; }

  bool WritePlaybackFile(std::string_view bytes) const;
  // Copies a program from beside the benchmark into the folder; returns its path there.
  std::wstring CopyProgram(std::wstring_view fileName) const { return folder_.CopyProgram(fileName); }

  // Starts the copy with the mode word "ddeonly" and waits for its main window. On failure
  // returns false with the reason.
  bool Start(std::wstring* error) { return Start(L"ddeonly", error); }
  // The same with another mode word. In "sierra" mode the start-up notice is answered and the
  // chooser's first box (chart file "IBM.mnd") is picked, as a user would.
  bool Start(std::wstring_view mode, std::wstring* error);
  DWORD ProcessId() const { return process_.Id(); }
  bool Running() const { return process_.Running(); }
  HWND Control(std::wstring_view name) const;

  void SetSpeed(std::wstring_view text) const;
  void SetText(std::wstring_view control, std::wstring_view text) const;
  void Click(std::wstring_view control) const;
  void ClickStart() const;
  // Whether the station shows "This playback session has been done. Happy trading!" now.
  bool ClosingShown() const;
  // Ends the station (its replay holds the playback file open) so the folder can go.
  void Stop();

 private:
  test::ScratchFolder folder_;  // declared first: removed after the process has ended
  std::wstring program_;
  test::Process process_;
  HWND main_ = nullptr;
};

// A line saying that these figures come from Wine, when they do.
void PrintPlatformNote();

// Seconds on the performance counter.
double Now();

}  // namespace tickvane::bench
