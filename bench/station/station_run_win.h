// A station started from its own copy of Tickvane.exe in a scratch folder, in DDE-only mode, and
// driven from outside as a user would: the speed box, Start, the closing message.
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

  // Starts the copy with the mode word "ddeonly" and waits for its main window. On failure
  // returns false with the reason.
  bool Start(std::wstring* error);
  DWORD ProcessId() const { return process_.Id(); }
  bool Running() const { return process_.Running(); }
  HWND Control(std::wstring_view name) const;

  void SetSpeed(std::wstring_view text) const;
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
