// One playback file from one or several tick files: the files in the time order of their first
// ticks, files that overlap in time refused, the header first, the records in batches, progress
// and Cancel between the pieces. Portable: the Windows side gives it files and a place to write.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "converter/tick_converter.h"

namespace tickvane::converter {

// A tick file to read, from its first byte.
class TickSource {
 public:
  virtual ~TickSource() = default;
  // The name messages give it (its path, as 8-bit text).
  virtual std::string Name() const = 0;
  // Opens it, or opens it again at its first byte; false with the reason.
  virtual bool Open(std::string* problem) = 0;
  // The next bytes; *got 0 at the end. False with the reason when the read fails.
  virtual bool Read(char* buffer, size_t capacity, size_t* got, std::string* problem) = 0;
  // Its size in bytes once open; -1 when not known (a pipe).
  virtual std::int64_t Size() const = 0;
};

struct JoinSettings {
  std::string when;  // "2024-05-01 14:03:59", for the header
  const ZoneDirectory* zones = nullptr;
  std::optional<std::string> sourceZone;  // as ConvertOptions
  const ZoneRules* playbackZone = nullptr;
  std::string playbackZoneName;  // its name for the header; empty without one
  std::optional<PriceKind> price;
  std::string symbol;
};

// What a window or a console shows while it runs.
struct JoinProgress {
  std::atomic<std::int64_t> done{0};    // bytes read of all files
  std::atomic<std::int64_t> total{-1};  // bytes of all files; -1 when not known
  std::atomic<std::uint64_t> ticks{0};
  std::atomic<int> source{-1};  // the file being read, as given
};

enum class JoinOutcome { Done, Cancelled, BadInput, ReadFailed, WriteFailed };

struct SourceResult {
  size_t index = 0;  // as given
  std::string name;
  Finding finding;
  std::string sourceZone;
  PriceKind price = PriceKind::Last;
  std::uint64_t ticks = 0;
  std::optional<TickStamp> first, last;
};

struct JoinResult {
  JoinOutcome outcome = JoinOutcome::Done;
  size_t source = 0;                  // the file (as given) that failed
  ConversionError error;              // BadInput: where and why
  std::string problem;                // ReadFailed: the reason; WriteFailed: empty (the writer knows)
  std::vector<SourceResult> sources;  // converted, in the order they were joined
  std::uint64_t ticks = 0;
};

// Bytes read at a time; records are handed to write in batches about as large.
inline constexpr size_t kJoinPiece = 1 << 20;

// write takes the header, then the records; false stops everything (WriteFailed).
JoinResult JoinSources(const std::vector<TickSource*>& sources, const JoinSettings& settings,
                       const std::function<bool(std::string_view)>& write, const std::atomic<bool>& cancel,
                       JoinProgress& progress);

}  // namespace tickvane::converter
