// Whatever forwards the user asks for and whenever, in "sierra" mode every record of a replay that
// reaches its end is in the chart exactly once and in file order. Random small files (several
// days, repeated times, minute boundaries) with random commands between random records, also while
// the buttons are disabled, as the commands themselves do not check them.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "tests/native/forward_test_rig.h"

namespace tickvane::forward_test {
namespace {

struct RandomFile {
  std::vector<std::string> lines;
  std::vector<ChartTick> ticks;
};

RandomFile MakeFile(std::mt19937& random) {
  RandomFile file;
  const int days = std::uniform_int_distribution<int>(1, 4)(random);
  int price = 0;
  for (int day = 0; day < days; ++day) {
    const std::string date = std::to_string(20131008 + day);
    // Days may start before or after the previous day's times.
    int seconds = std::uniform_int_distribution<int>(9 * 3600 + 29 * 60, 9 * 3600 + 31 * 60)(random);
    const int count = std::uniform_int_distribution<int>(0, 500)(random);
    for (int i = 0; i < count; ++i) {
      // Mostly a second or less apart (same times, minute boundaries), now and then a jump.
      const int step = std::discrete_distribution<int>({30, 50, 15, 4, 1})(random);
      seconds += step <= 2 ? step : step == 3 ? 30 : 400;
      const std::string time =
          std::to_string(seconds / 3600 * 10000 + seconds / 60 % 60 * 100 + seconds % 60);
      const std::string tickPrice = std::to_string(100 + ++price) + ".25";
      file.lines.push_back("IBM," + date + "," + time + "," + tickPrice);
      file.ticks.push_back({date, time, tickPrice});
    }
  }
  return file;
}

const wchar_t* const kTickTexts[] = {L"0", L"1", L"2", L"2.5", L"7", L"99", L"100", L"101", L"250", L"1000",
                                     L"-3", L"abc", L"0.5"};
const wchar_t* const kMinuteTexts[] = {L"0", L"1", L"2", L"3", L"9", L"30", L"-1", L"x"};

struct Totals {
  std::size_t batches = 0;
  std::size_t fullMinuteBatches = 0;
  std::size_t fullTickBatches = 0;
  std::size_t skipped = 0;
};

TEST(ForwardInvariant, EveryRecordReachesTheChartOnceInFileOrder) {
  Totals totals;
  for (unsigned seed = 1; seed <= 250; ++seed) {
    std::mt19937 random(seed);
    RandomFile file = MakeFile(random);
    ForwardRig rig;
    rig.file = replay_test::TickFile(file.lines);
    const int records = static_cast<int>(file.lines.size());
    const int commands = std::uniform_int_distribution<int>(0, 6)(random);
    for (int i = 0; i < commands; ++i) {
      const bool ticks = std::bernoulli_distribution(0.5)(random);
      const wchar_t* text = ticks ? kTickTexts[random() % std::size(kTickTexts)]
                                  : kMinuteTexts[random() % std::size(kMinuteTexts)];
      const int after = std::uniform_int_distribution<int>(0, records)(random);
      auto command = [&rig, ticks, text] {
        if (ticks) rig.Ticks(text);
        else rig.Minutes(text);
      };
      // Between records, or while the replay waits after a shown one.
      if (std::bernoulli_distribution(0.7)(random) || after == 0) rig.AfterRecord(after, command);
      else rig.log.At("WaitAfterRecord", after, command);
    }
    rig.Run();
    ASSERT_FALSE(rig.chart.listsMisaligned) << "seed " << seed;
    ASSERT_EQ(rig.chart.ticks.size(), file.ticks.size()) << "seed " << seed;
    ASSERT_EQ(rig.chart.ticks, file.ticks) << "seed " << seed;
    totals.batches += rig.chart.batchSizes.size();
    for (std::size_t n : rig.chart.batchSizes) {
      totals.skipped += n;
      totals.fullMinuteBatches += n == 101;
      totals.fullTickBatches += n == 100;
    }
  }
  // The runs did exercise the forwards, full batches of both kinds included.
  EXPECT_GT(totals.batches, 200u);
  EXPECT_GT(totals.skipped, 20000u);
  EXPECT_GT(totals.fullMinuteBatches, 5u);
  EXPECT_GT(totals.fullTickBatches, 5u);
  std::printf("batches %zu, skipped records %zu, full batches: %zu of 101, %zu of 100\n", totals.batches,
              totals.skipped, totals.fullMinuteBatches, totals.fullTickBatches);
}

}  // namespace
}  // namespace tickvane::forward_test
