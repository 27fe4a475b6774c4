// Several tick files picked at once become one playback file in time order; files that overlap in
// time are refused; the header says what was done; Cancel, read and write failures stop it all.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "converter/joined_conversion.h"
#include "tests/native/converter_test_support.h"

namespace tickvane::converter {
namespace {

class MemorySource : public TickSource {
 public:
  MemorySource(std::string name, std::string bytes, size_t piece = 5)
      : name_(std::move(name)), bytes_(std::move(bytes)), piece_(piece) {}
  std::string Name() const override { return name_; }
  bool Open(std::string* problem) override {
    ++opens_;
    if (failOpen_) {
      *problem = "the disk is gone";
      return false;
    }
    at_ = 0;
    return true;
  }
  bool Read(char* buffer, size_t capacity, size_t* got, std::string* problem) override {
    if (failRead_ && at_ > 0) {
      *problem = "a read failed";
      return false;
    }
    size_t n = std::min({capacity, piece_, bytes_.size() - at_});
    bytes_.copy(buffer, n, at_);
    at_ += n;
    *got = n;
    return true;
  }
  std::int64_t Size() const override { return static_cast<std::int64_t>(bytes_.size()); }

  bool failOpen_ = false, failRead_ = false;
  int opens_ = 0;

 private:
  std::string name_, bytes_;
  size_t piece_, at_ = 0;
};

struct Joined {
  JoinResult result;
  std::string file;
  int writes = 0;
};

Joined Join(std::vector<MemorySource*> sources, JoinSettings settings = {}, bool failWrite = false,
            bool cancel = false) {
  Joined j;
  std::vector<TickSource*> list(sources.begin(), sources.end());
  std::atomic<bool> cancelled{cancel};
  JoinProgress progress;
  if (settings.when.empty()) settings.when = "2024-01-02 03:04:05";
  j.result = JoinSources(
      list, settings,
      [&](std::string_view bytes) {
        ++j.writes;
        j.file.append(bytes);
        return !failWrite;
      },
      cancelled, progress);
  if (j.result.outcome == JoinOutcome::Done) {
    EXPECT_EQ(progress.done.load(), progress.total.load());
    EXPECT_EQ(progress.ticks.load(), j.result.ticks);
  }
  return j;
}

std::vector<std::string> FileLines(const std::string& file) { return test::RecordLines(file); }

// A day of NinjaTrader 8 ticks.
std::string Day(const char* date, const char* first, const char* last) {
  return std::string(date) + " " + first + " 0000000;1680.25;1\r\n" + date + " " + last + " 0000000;1680.50;2\r\n";
}

TEST(ConverterJoin, FilesPickedOutOfOrderBecomeOneFileInTimeOrder) {
  MemorySource wed("ES 12-13 20131009.Last.txt", Day("20131009", "133000", "200000"));
  MemorySource mon("ES 12-13 20131007.Last.txt", Day("20131007", "133000", "200000"));
  MemorySource tue("ES 12-13 20131008.Last.txt", Day("20131008", "133000", "200000"));
  const ZoneRules newYork = test::EasternZone();
  JoinSettings s;
  s.playbackZone = &newYork;
  s.playbackZoneName = "Eastern Standard Time";
  Joined j = Join({&wed, &mon, &tue}, s);
  ASSERT_EQ(j.result.outcome, JoinOutcome::Done) << j.result.error.problem;
  std::vector<std::string> lines = FileLines(j.file);
  ASSERT_EQ(lines.size(), 3u + 6u) << j.file;
  EXPECT_EQ(
      lines[0],
      "Tickvane playback file, converted by Genvane on 2024-01-02 03:04:05: NinjaTrader 8 tick export; times read "
      "in UTC, written in Eastern Standard Time; price: last; 3 files joined in time order");
  EXPECT_EQ(lines[1],
            "Converted from ES 12-13 20131007.Last.txt; ES 12-13 20131008.Last.txt; ES 12-13 20131009.Last.txt");
  EXPECT_EQ(lines[2], "Symbol,Date,Time,Price,Volume");
  EXPECT_EQ(lines[3], "ES 12-13 20131007,20131007,093000,1680.25,1");
  EXPECT_EQ(lines[5], "ES 12-13 20131008,20131008,093000,1680.25,1");
  EXPECT_EQ(lines[8], "ES 12-13 20131009,20131009,160000,1680.50,2");
  EXPECT_EQ(j.result.ticks, 6u);
  ASSERT_EQ(j.result.sources.size(), 3u);
  EXPECT_EQ(j.result.sources[0].index, 1u);
  EXPECT_EQ(j.result.sources[2].index, 0u);
}

TEST(ConverterJoin, FilesThatOverlapInTimeAreRefusedNamingBoth) {
  MemorySource early("early.Last.txt", Day("20131008", "133000", "200000"));
  MemorySource late("late.Last.txt", "\r\n" + Day("20131008", "150000", "210000"));
  Joined j = Join({&late, &early});
  ASSERT_EQ(j.result.outcome, JoinOutcome::BadInput);
  EXPECT_EQ(j.result.source, 0u);  // the later one, as given
  EXPECT_EQ(j.result.error.line, 2u);
  EXPECT_EQ(j.result.error.problem,
            "its ticks begin at 2013-10-08 15:00:00, before the last tick of early.Last.txt (2013-10-08 20:00:00): the "
            "files overlap in time");
}

TEST(ConverterJoin, AFileMayBeginWhereTheOneBeforeEnds) {
  MemorySource a("a.Last.txt", Day("20131008", "133000", "150000"));
  MemorySource b("b.Last.txt", Day("20131008", "150000", "160000"));
  Joined j = Join({&b, &a});
  ASSERT_EQ(j.result.outcome, JoinOutcome::Done) << j.result.error.problem;
  EXPECT_EQ(j.result.ticks, 4u);
}

TEST(ConverterJoin, OneFileHasAThreeLineHeaderAndIsReadOnce) {
  MemorySource one("C:\\ticks\\ibm.csv", "date,time,price\n20131008,93003,182.50\n", 3);
  Joined j = Join({&one});
  ASSERT_EQ(j.result.outcome, JoinOutcome::Done);
  EXPECT_EQ(
      j.file,
      "Tickvane playback file, converted by Genvane on 2024-01-02 03:04:05: CSV with a header line; times read as "
      "written (no zone), written as read; price: last\r\nConverted from C:\\ticks\\ibm.csv\r\n"
      "Symbol,Date,Time,Price,Volume\r\nIBM,20131008,093003,182.50,1\r\n");
  EXPECT_EQ(one.opens_, 1);
}

TEST(ConverterJoin, BadInputReadAndWriteFailuresAndCancelStopIt) {
  {
    MemorySource good("a.Last.txt", Day("20131007", "133000", "150000"));
    MemorySource bad("b.Last.txt", Day("20131008", "133000", "150000") + "20131008 160000 0;x;1\r\n");
    Joined j = Join({&good, &bad});
    ASSERT_EQ(j.result.outcome, JoinOutcome::BadInput);
    EXPECT_EQ(j.result.source, 1u);
    EXPECT_EQ(j.result.error.line, 3u);
    EXPECT_NE(j.result.error.problem.find("the price \"x\""), std::string::npos);
  }
  {
    MemorySource a("a.Last.txt", Day("20131007", "133000", "150000"));
    MemorySource b("b.Last.txt", Day("20131008", "133000", "150000"));
    b.failOpen_ = true;
    Joined j = Join({&a, &b});
    ASSERT_EQ(j.result.outcome, JoinOutcome::ReadFailed);
    EXPECT_EQ(j.result.source, 1u);
    EXPECT_EQ(j.result.problem, "the disk is gone");
  }
  {
    MemorySource a("a.Last.txt", Day("20131007", "133000", "150000"));
    a.failRead_ = true;
    Joined j = Join({&a});
    EXPECT_EQ(j.result.outcome, JoinOutcome::ReadFailed);
  }
  {
    MemorySource a("a.Last.txt", Day("20131007", "133000", "150000"));
    Joined j = Join({&a}, {}, true);
    EXPECT_EQ(j.result.outcome, JoinOutcome::WriteFailed);
  }
  {
    MemorySource a("a.Last.txt", Day("20131007", "133000", "150000"));
    Joined j = Join({&a}, {}, false, true);
    EXPECT_EQ(j.result.outcome, JoinOutcome::Cancelled);
    EXPECT_EQ(j.writes, 0);
  }
}

}  // namespace
}  // namespace tickvane::converter
