// The reader's memory stays bounded whatever a line holds: huge lines are streamed through a
// generated source, never put in memory whole, and the reader may keep only capped fields.
#include "station/engine/tick_file_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace tickvane {
namespace {

constexpr std::size_t kMiB = 1024 * 1024;
constexpr std::size_t kCap = TickFileReader::kFieldCap;

// Serves `before`, then `fillSize` copies of `fill`, then `after`, and counts what it served.
class GeneratedSource final : public ByteSource {
 public:
  GeneratedSource(std::string before, char fill, std::size_t fillSize, std::string after)
      : before_(std::move(before)), fill_(fill), fillLeft_(fillSize), after_(std::move(after)) {}

  std::size_t Read(char* buffer, std::size_t capacity) override {
    largestAsk_ = std::max(largestAsk_, capacity);
    std::size_t n = 0;
    auto serve = [&](std::string& text) {
      const std::size_t k = std::min(capacity - n, text.size());
      std::memcpy(buffer + n, text.data(), k);
      text.erase(0, k);
      n += k;
    };
    serve(before_);
    const std::size_t k = std::min(capacity - n, fillLeft_);
    std::memset(buffer + n, fill_, k);
    fillLeft_ -= k;
    n += k;
    if (fillLeft_ == 0) serve(after_);
    served_ += n;
    return n;
  }

  std::size_t served() const { return served_; }
  std::size_t largestAsk() const { return largestAsk_; }

 private:
  std::string before_;
  char fill_;
  std::size_t fillLeft_;
  std::string after_;
  std::size_t served_ = 0;
  std::size_t largestAsk_ = 0;
};

const std::string kHead = "h\r\nh\r\nh\r\n";
const std::string kNext = "\r\nIBM,20131008,93003,182.50,100\r\n";

struct HugeCase {
  const char* what;
  std::string before;
  char fill;
  std::size_t fillSize;
  std::string after;
  LineKind kind;
  TickRecord record;       // for fields longer than the cap: the kept prefix is checked apart
  bool truncated;
};

class HugeLine : public ::testing::TestWithParam<HugeCase> {};

TEST_P(HugeLine, IsStreamedWithCappedFieldsAndTheNextLineIsIntact) {
  const HugeCase& c = GetParam();
  GeneratedSource source(c.before, c.fill, c.fillSize, c.after + kNext);
  TickFileReader reader(source);
  for (int i = 0; i < 3; ++i) ASSERT_EQ(reader.ReadLine().kind, LineKind::Header);

  const LineResult huge = reader.ReadLine();
  EXPECT_EQ(huge.kind, c.kind) << c.what;
  EXPECT_EQ(huge.truncated, c.truncated) << c.what;
  for (std::string_view field : {huge.record.tickDate, huge.record.tickTime, huge.record.tickPrice}) {
    EXPECT_LE(field.size(), kCap) << c.what;
  }
  EXPECT_LE(reader.FieldMemory(), 3 * 2 * kCap) << c.what;
  if (!c.truncated) {
    EXPECT_EQ(huge.record, c.record) << c.what;
  }

  const LineResult next = reader.ReadLine();
  EXPECT_EQ(next.kind, LineKind::Record) << c.what;
  EXPECT_EQ(next.record, (TickRecord{"20131008", "93003", "182.50"})) << c.what;
  EXPECT_TRUE(reader.AtEnd());
  EXPECT_EQ(source.served(), c.before.size() + c.fillSize + c.after.size() + kNext.size())
      << c.what << ": the whole line went through the reader";
  EXPECT_LE(source.largestAsk(), TickFileReader::kBufferSize) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HugeLine,
    ::testing::Values(
        HugeCase{"200 MB of x in field 0", kHead, 'x', 200 * kMiB, ",1,2,3", LineKind::Record,
                 {"1", "2", "3"}, false},
        HugeCase{"200 MB of x in a field that is not kept", kHead + "a,1,2,3,", 'x', 200 * kMiB,
                 ",5", LineKind::Record, {"1", "2", "3"}, false},
        HugeCase{"200 MB line without a comma", kHead, 'x', 200 * kMiB, "", LineKind::ShortRecord,
                 {}, false},
        HugeCase{"200 MB of NUL bytes", kHead, '\0', 200 * kMiB, "", LineKind::ShortRecord, {}, false},
        HugeCase{"16 MB of spaces before a time", kHead + "a,1,", ' ', 16 * kMiB, "93015 ,3",
                 LineKind::Record, {"1", "93015", "3"}, false},
        HugeCase{"16 MB of spaces after a price", kHead + "a,1,2, 182.5", ' ', 16 * kMiB, "",
                 LineKind::Record, {"1", "2", "182.5"}, false},
        HugeCase{"16 MB of digits in the date", kHead + "a,", '7', 16 * kMiB, ",2,3",
                 LineKind::Record, {}, true}));

TEST(TickFileReader, AHugeHeaderLineIsSkippedWithoutKeepingIt) {
  GeneratedSource source("", 'x', 200 * kMiB, "\r\nh\r\nh\r\nIBM,1,2,3");
  TickFileReader reader(source);
  for (int i = 0; i < 3; ++i) ASSERT_EQ(reader.ReadLine().kind, LineKind::Header);
  EXPECT_EQ(reader.ReadLine().record, (TickRecord{"1", "2", "3"}));
  EXPECT_TRUE(reader.AtEnd());
}

TEST(TickFileReader, AnOverlongFieldKeepsItsFirstBytes) {
  GeneratedSource source(kHead + "a,  1234", '5', 3 * kCap, "6,93015,182.50");
  TickFileReader reader(source);
  for (int i = 0; i < 3; ++i) reader.ReadLine();
  const LineResult line = reader.ReadLine();
  ASSERT_EQ(line.kind, LineKind::Record);
  EXPECT_TRUE(line.truncated);
  ASSERT_EQ(line.record.tickDate.size(), kCap);
  EXPECT_EQ(line.record.tickDate.substr(0, 6), "123455");
  EXPECT_EQ(line.record.tickDate.find_first_not_of('5', 4), std::string::npos);
  EXPECT_EQ(line.record.tickTime, "93015");
  EXPECT_EQ(line.record.tickPrice, "182.50");
}

}  // namespace
}  // namespace tickvane
