// The playback file as the replay opens and reads it. The replay gets a function that opens it,
// so that the Windows side can open it by its wide path with the sharing it needs and tests can
// hand it text from memory.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "station/engine/byte_source.h"

namespace tickvane {

class PlaybackSource : public ByteSource {
 public:
  // After Read has returned 0: "" when the end of the file was reached, otherwise a message for
  // the user naming the file and the system's reason. A failed read would otherwise look like the
  // end of the file and the replay would report a successful end.
  virtual std::wstring ReadFailure() const = 0;
  // The size of the file in bytes, for the share of it read so far. A file that grows while it is
  // read (the converter may still be writing it) reports its new size once reading has passed the
  // old one.
  virtual std::uint64_t Size() const = 0;
};

struct PlaybackFileOpening {
  std::unique_ptr<PlaybackSource> source;  // null when the file could not be opened
  std::wstring error;                      // then: a message naming the full path and the reason
};

using PlaybackFileOpener = std::function<PlaybackFileOpening()>;

// Text held elsewhere (it must outlive the source). With a failure text, reading stops after
// `failAfter` bytes and reports that text, as a file whose disk went away would.
class MemoryPlaybackSource final : public PlaybackSource {
 public:
  explicit MemoryPlaybackSource(std::string_view bytes) : bytes_(bytes), size_(bytes.size()) {}
  MemoryPlaybackSource(std::string_view bytes, std::size_t failAfter, std::wstring failure)
      : bytes_(bytes.substr(0, failAfter < bytes.size() ? failAfter : bytes.size())),
        size_(bytes.size()),
        failure_(std::move(failure)) {}

  std::size_t Read(char* buffer, std::size_t capacity) override {
    const std::size_t n = bytes_.Read(buffer, capacity);
    if (n == 0) failed_ = !failure_.empty();
    return n;
  }
  std::wstring ReadFailure() const override { return failed_ ? failure_ : std::wstring(); }
  std::uint64_t Size() const override { return size_; }

 private:
  MemoryByteSource bytes_;
  std::uint64_t size_ = 0;
  std::wstring failure_;
  bool failed_ = false;
};

}  // namespace tickvane
