// Feeds any bytes to the tick-file reader as a file, in reads of a size taken from the input,
// and checks every line against the plain whole-text model of the same rules.
#include "station/engine/tick_file_reader.h"
#include "tick_file_model.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <vector>

namespace {

class ChunkedSource final : public tickvane::ByteSource {
 public:
  ChunkedSource(std::string_view bytes, std::size_t chunk) : rest_(bytes), chunk_(chunk) {}
  std::size_t Read(char* buffer, std::size_t capacity) override {
    const std::size_t n = std::min({capacity, chunk_, rest_.size()});
    std::memcpy(buffer, rest_.data(), n);
    rest_.remove_prefix(n);
    return n;
  }

 private:
  std::string_view rest_;
  std::size_t chunk_;
};

void Check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "reader and model differ: %s\n", what);
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  // The first byte picks the read size: 1 to 255 bytes, or everything at once for 0.
  const std::size_t chunk = data[0] == 0 ? size : data[0];
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);

  ChunkedSource source(bytes, chunk);
  tickvane::TickFileReader reader(source);
  const std::vector<tickvane::model::Line> expected = tickvane::model::ReadAll(bytes);
  std::size_t index = 0;
  while (!reader.AtEnd()) {
    const tickvane::LineResult line = reader.ReadLine();
    Check(index < expected.size(), "more lines than the model");
    const tickvane::model::Line& want = expected[index++];
    Check(line.kind == want.kind, "line kind");
    Check(tickvane::model::KeptRecord(line.record) == want.record, "record fields");
    Check(line.endsReplay == want.endsReplay, "end marker");
    Check(!line.truncated, "truncated field in a short input");
  }
  Check(index == expected.size(), "fewer lines than the model");
  Check(reader.LinesRead() == expected.size(), "line counter");
  Check(reader.ReadLine().kind == tickvane::LineKind::NoLine, "a line after the end");
  return 0;
}
