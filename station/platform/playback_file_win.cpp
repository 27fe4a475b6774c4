#include "station/platform/playback_file_win.h"

#include <algorithm>

#include "common/program_files.h"
#include "common/win_text_win.h"
#include "station/engine/station_texts.h"

namespace tickvane {
namespace {

std::uint64_t FileSize(HANDLE file) {
  LARGE_INTEGER size{};
  return ::GetFileSizeEx(file, &size) ? static_cast<std::uint64_t>(size.QuadPart) : 0;
}

}  // namespace

WinFileByteSource::WinFileByteSource(UniqueFile file, std::wstring path)
    : file_(std::move(file)), path_(std::move(path)), size_(FileSize(file_.get())) {}

std::size_t WinFileByteSource::Read(char* buffer, std::size_t capacity) {
  if (!file_ || error_ != 0) return 0;
  // ReadFile counts in DWORDs; the reader asks for far less than 4 GB anyway.
  const DWORD ask = static_cast<DWORD>(std::min<std::size_t>(capacity, 1u << 30));
  DWORD got = 0;
  if (!::ReadFile(file_.get(), buffer, ask, &got, nullptr)) {
    error_ = ::GetLastError();
    // A failure without a code would read as the end of the file.
    if (error_ == 0) error_ = ERROR_READ_FAULT;
    return 0;
  }
  read_ += got;
  // Asked only when the file has grown past what it was; a call per read would cost the replay.
  if (read_ > size_) size_ = FileSize(file_.get());
  return got;
}

std::wstring WinFileByteSource::ReadFailure() const {
  if (error_ == 0) return {};
  return L"Reading the playback file " + path_ + L" failed: " + SystemErrorText(error_) + L"\n\nThe replay ends here.";
}

std::wstring PlaybackFilePath(std::wstring_view folder) {
  std::wstring path(folder);
  if (!path.empty() && path.back() != L'\\' && path.back() != L'/') path += L'\\';
  return path + kPlaybackFileName;
}

PlaybackFileOpening OpenPlaybackFile(std::wstring_view folder) {
  PlaybackFileOpening opening;
  std::wstring path = PlaybackFilePath(folder);
  UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file) {
    const DWORD error = ::GetLastError();
    opening.error = L"The playback file " + path + L" cannot be opened: " + SystemErrorText(error) +
                    L"\n\nPut the file in place and press Start again.";
    return opening;
  }
  opening.source = std::make_unique<WinFileByteSource>(std::move(file), std::move(path));
  return opening;
}

}  // namespace tickvane
