// The playback file on Windows: read through a Win32 file handle, failures kept with the system's
// text for the replay to report.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/handle_owners_win.h"
#include "station/engine/replay_playback_file.h"

namespace tickvane {

class WinFileByteSource final : public PlaybackSource {
 public:
  WinFileByteSource(UniqueFile file, std::wstring path);

  std::size_t Read(char* buffer, std::size_t capacity) override;
  std::wstring ReadFailure() const override;
  std::uint64_t Size() const override { return size_; }

  const std::wstring& path() const { return path_; }
  // The error code of the failed read, 0 while none has failed.
  DWORD error() const { return error_; }

 private:
  UniqueFile file_;
  std::wstring path_;
  DWORD error_ = 0;
  std::uint64_t read_ = 0;
  std::uint64_t size_ = 0;
};

// Opens `folder`\practice.EPF for reading. Others may go on writing or replacing the file
// meanwhile (the converter may still be running), so it is shared for reading and writing.
PlaybackFileOpening OpenPlaybackFile(std::wstring_view folder);

// The file's full path in `folder`.
std::wstring PlaybackFilePath(std::wstring_view folder);

}  // namespace tickvane
