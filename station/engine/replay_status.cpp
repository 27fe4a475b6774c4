#include "station/engine/replay_status.h"

#include <cmath>

#include "common/ascii_case.h"

namespace tickvane {

std::string_view StateWord(ReplayState state) {
  switch (state) {
    case ReplayState::Idle: return "idle";
    case ReplayState::Running: return "running";
    case ReplayState::Paused: return "paused";
    case ReplayState::WaitingForSpeed: return "waiting for speed";
    case ReplayState::Forwarding: return "forwarding";
    case ReplayState::Finished: return "finished";
  }
  return "idle";
}

std::string ProgressText(std::uint64_t bytesRead, std::uint64_t fileSize) {
  // Tenths of a percent; a file that grew after its size was taken stops at 100.0, and one of no
  // size (none opened yet, or an empty file) stays at 0.0. Integer arithmetic, so that no file
  // size rounds a partial read up to "100.0".
  std::uint64_t tenths = 0;
  if (fileSize != 0 && bytesRead >= fileSize) {
    tenths = 1000;
  } else if (fileSize != 0) {
    // bytesRead * 1000 stays far below 2^64 for any file up to 18 PB.
    tenths = bytesRead * 1000 / fileSize;
  }
  return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

std::optional<std::string> StatusItemText(const ReplayStatus& status, std::wstring_view name) {
  if (EqualNoCase(name, L"date")) return status.date;
  if (EqualNoCase(name, L"record")) return std::to_string(status.records);
  if (EqualNoCase(name, L"progress")) return ProgressText(status.bytesRead, status.fileSize);
  if (EqualNoCase(name, L"lag")) {
    const double lag = std::isfinite(status.lagMs) && status.lagMs > 0 ? std::floor(status.lagMs) : 0;
    return std::to_string(static_cast<std::uint64_t>(lag));
  }
  if (EqualNoCase(name, L"state")) return std::string(StateWord(status.state));
  return std::nullopt;
}

}  // namespace tickvane
