// Where a replay stands, for DDE clients and the taskbar: the day on display, how much of the file
// has been read, how late the last record came and what the replay is doing. The replay hands it
// to the window with each shown record and, while none is shown, at most ten times a second.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tickvane {

enum class ReplayState { Idle, Running, Paused, WaitingForSpeed, Forwarding, Finished };

struct ReplayStatus {
  ReplayState state = ReplayState::Idle;
  // tickDate of the record on display, the tick file's own 8-bit text; empty before the first.
  std::string date;
  // Record lines read so far (header lines not counted, short lines counted).
  std::uint64_t records = 0;
  // Bytes of the playback file read so far, and its size.
  std::uint64_t bytesRead = 0;
  std::uint64_t fileSize = 0;
  // How many milliseconds after its due time the record on display was shown.
  double lagMs = 0;

  bool operator==(const ReplayStatus&) const = default;
};

// The status items a DDE client can request or link, by name. A control of the main window
// with one of these names would keep its own item.
inline constexpr std::wstring_view kStatusItemNames[] = {L"date", L"record", L"progress", L"lag", L"state"};

// "idle", "running", "paused", "waiting for speed", "forwarding" or "finished".
std::string_view StateWord(ReplayState state);

// The share of the file read, in percent with one decimal, "0.0" to "100.0". Rounded down, so that
// "100.0" means every byte has been read.
std::string ProgressText(std::uint64_t bytesRead, std::uint64_t fileSize);

// The text of the status item `name` (compared without regard to case, as DDE names are), or
// nothing when no status item has that name. 8-bit text: the date is the file's own.
std::optional<std::string> StatusItemText(const ReplayStatus& status, std::wstring_view name);

}  // namespace tickvane
