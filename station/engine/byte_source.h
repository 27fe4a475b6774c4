// Where the tick-file reader gets its bytes from: a Win32 file handle, a std::FILE* or memory.
#pragma once

#include <cstddef>
#include <cstring>
#include <string_view>

namespace tickvane {

class ByteSource {
 public:
  virtual ~ByteSource() = default;

  // Copies at most `capacity` bytes into `buffer` and returns how many it copied. Fewer than
  // asked is fine; 0 means there is nothing more to read, at the end of the data or after a
  // read failure. A source that fails keeps its own error for its owner to report, so that
  // the reader stays free of platform error handling.
  virtual std::size_t Read(char* buffer, std::size_t capacity) = 0;
};

// Bytes held elsewhere; the text must outlive the source.
class MemoryByteSource final : public ByteSource {
 public:
  explicit MemoryByteSource(std::string_view bytes) : rest_(bytes) {}

  std::size_t Read(char* buffer, std::size_t capacity) override {
    const std::size_t n = capacity < rest_.size() ? capacity : rest_.size();
    if (n != 0) std::memcpy(buffer, rest_.data(), n);
    rest_.remove_prefix(n);
    return n;
  }

 private:
  std::string_view rest_;
};

}  // namespace tickvane
