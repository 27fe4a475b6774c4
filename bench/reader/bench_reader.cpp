// Reading speed of the tick-file reader next to a plain block read of the same file.
//
//   bench_reader [file [records]]
//
// Writes a tick file of `records` lines (1,000,000 unless told) to `file` (a name in the
// temporary directory unless told), reads it several times each way and prints the best time
// of each. The file is left in place for a second run; it is rewritten every time.
#include "station/engine/file_byte_source.h"
#include "station/engine/numeric_value.h"
#include "station/engine/tick_file_reader.h"
#include "station/engine/time_mask.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

bool WriteTickFile(const std::string& path, long records, double& megabytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  std::string text = "IBM\r\nSymbol,Date,Time,Price,Volume\r\n1000000\r\n";
  long time = 93000;
  long cents = 18250;
  unsigned seed = 12345;
  std::size_t bytes = 0;
  for (long i = 0; i < records; ++i) {
    seed = seed * 1103515245u + 12345u;
    if (seed % 3 == 0) {
      time += (time % 100 == 59) ? 41 : 1;
      if (time % 10000 == 6000) time += 4000;
    }
    cents += static_cast<long>((seed >> 16) % 7) - 3;
    char line[96];
    const int n = std::snprintf(line, sizeof line, "IBM,20131008,%ld,%ld.%02ld,%u\r\n", time,
                                cents / 100, cents % 100, 100 + (seed >> 20) % 900);
    text.append(line, static_cast<std::size_t>(n));
    if (text.size() > (1u << 20)) {
      bytes += std::fwrite(text.data(), 1, text.size(), file);
      text.clear();
    }
  }
  bytes += std::fwrite(text.data(), 1, text.size(), file);
  const bool ok = std::fclose(file) == 0;
  megabytes = static_cast<double>(bytes) / 1e6;
  return ok;
}

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

// The plain read: big blocks, line ends counted, nothing else.
double PlainRead(const std::string& path, long& lineEnds) {
  const auto start = Clock::now();
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return -1;
  std::vector<char> block(1 << 20);
  lineEnds = 0;
  for (;;) {
    const std::size_t n = std::fread(block.data(), 1, block.size(), file);
    if (n == 0) break;
    lineEnds += static_cast<long>(std::count(block.data(), block.data() + n, '\r'));
  }
  std::fclose(file);
  return Seconds(Clock::now() - start);
}

// The reader as the replay loop uses it: every line read, every record cut into its fields.
double ReaderRead(const std::string& path, long& records, std::size_t& checksum) {
  const auto start = Clock::now();
  std::unique_ptr<tickvane::FileByteSource> source = tickvane::OpenTickFile(path);
  if (source == nullptr) return -1;
  tickvane::TickFileReader reader(*source);
  records = 0;
  checksum = 0;
  while (!reader.AtEnd()) {
    const tickvane::LineResult line = reader.ReadLine();
    if (line.kind != tickvane::LineKind::Record) continue;
    ++records;
    checksum += line.record.tickDate.size() + line.record.tickTime.size() +
                line.record.tickPrice.size();
  }
  return Seconds(Clock::now() - start);
}

// The reader plus the per-record conversions of a shown record: two numeric values and the mask.
double ReaderWithValues(const std::string& path, long& records, double& sum) {
  const auto start = Clock::now();
  std::unique_ptr<tickvane::FileByteSource> source = tickvane::OpenTickFile(path);
  if (source == nullptr) return -1;
  tickvane::TickFileReader reader(*source);
  records = 0;
  sum = 0;
  while (!reader.AtEnd()) {
    const tickvane::LineResult line = reader.ReadLine();
    if (line.kind != tickvane::LineKind::Record) continue;
    ++records;
    sum += tickvane::NumericValue(line.record.tickTime) + tickvane::NumericValue(line.record.tickDate);
    sum += static_cast<double>(tickvane::MaskTime(line.record.tickTime).size());
  }
  return Seconds(Clock::now() - start);
}

}  // namespace

int main(int argc, char** argv) {
  const std::string path = argc > 1 ? argv[1]
                                    : (std::filesystem::temp_directory_path() /
                                       "tickvane_bench_practice.EPF").string();
  const long records = argc > 2 ? std::atol(argv[2]) : 1000000;
  double megabytes = 0;
  if (!WriteTickFile(path, records, megabytes)) {
    std::fprintf(stderr, "cannot write %s\n", path.c_str());
    return 1;
  }
  std::printf("file: %s, %ld records, %.1f MB\n", path.c_str(), records, megabytes);

  const int rounds = 7;
  double plain = 1e9, reader = 1e9, values = 1e9;
  long lineEnds = 0, readRecords = 0, valueRecords = 0;
  std::size_t checksum = 0;
  double sum = 0;
  for (int i = 0; i < rounds; ++i) {
    plain = std::min(plain, PlainRead(path, lineEnds));
    reader = std::min(reader, ReaderRead(path, readRecords, checksum));
    values = std::min(values, ReaderWithValues(path, valueRecords, sum));
  }
  if (plain <= 0 || reader <= 0 || values <= 0 || readRecords != records || valueRecords != records) {
    std::fprintf(stderr, "reading failed (%ld and %ld of %ld records)\n", readRecords, valueRecords,
                 records);
    return 1;
  }

  std::printf("best of %d rounds:\n", rounds);
  std::printf("  plain read (fread, count CR): %8.1f ms  %8.0f MB/s  %6.2f M lines/s  (%ld line ends)\n",
              plain * 1e3, megabytes / plain, lineEnds / plain / 1e6, lineEnds);
  std::printf("  reader (lines, fields):       %8.1f ms  %8.0f MB/s  %6.2f M records/s  (checksum %zu)\n",
              reader * 1e3, megabytes / reader, records / reader / 1e6, checksum);
  std::printf("  reader + values + time mask:  %8.1f ms  %8.0f MB/s  %6.2f M records/s  (sum %.0f)\n",
              values * 1e3, megabytes / values, records / values / 1e6, sum);
  const double ratio = plain / reader;
  std::printf("reader speed / plain read speed: %.2f (target at least 0.50: %s)\n", ratio,
              ratio >= 0.5 ? "met" : "NOT met");
  return 0;
}
