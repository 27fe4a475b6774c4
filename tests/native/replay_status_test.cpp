// Where a replay stands, as the window is told it: the state through pauses, waits and forwards,
// the record count, the date on display and the share of the file read; and the texts that DDE
// clients get for the status items.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "station/engine/replay_status.h"
#include "tests/native/replay_test_fakes.h"

namespace tickvane::replay_test {
namespace {

using Texts = std::vector<std::string>;

std::vector<std::string> Records(int n, int firstDay = 20131008) {
  std::vector<std::string> lines;
  for (int i = 0; i < n; ++i) {
    const int seconds = i % 60, minutes = 30 + i / 60;
    char time[16];
    std::snprintf(time, sizeof time, "9%02d%02d", minutes, seconds);
    lines.push_back("IBM," + std::to_string(firstDay + i / 1000) + "," + time + "," + std::to_string(100 + i));
  }
  return lines;
}

// The states in the order the window was told them, each change once.
Texts States(const std::vector<ReplayStatus>& statuses) {
  Texts states;
  for (const ReplayStatus& s : statuses)
    if (states.empty() || states.back() != StateWord(s.state)) states.emplace_back(StateWord(s.state));
  return states;
}

TEST(ReplayStatusTest, StatesFollowPauseSpeedWaitAndForwardAndEndFinishedAtTheWholeFile) {
  ReplayRig rig("sierra");
  rig.file = TickFile(Records(20));
  rig.log.At("ProcessEvents", 2, [&] { rig.station.paused = true; });
  rig.log.At("Wait", 2, [&] { rig.station.paused = false; });
  rig.log.At("ProcessEvents", 6, [&] { rig.window.speed = "0"; });
  rig.log.At("Wait", 5, [&] { rig.window.speed = "2"; });
  rig.log.At("ProcessEvents", 12, [&] { rig.station.forwardTicks = 4; });
  rig.Run();
  EXPECT_EQ(States(rig.window.statuses),
            (Texts{"running", "paused", "running", "waiting for speed", "running", "forwarding", "running", "finished"}));
  const ReplayStatus& last = rig.window.statuses.back();
  EXPECT_EQ(last.records, 20u);
  EXPECT_EQ(last.date, "20131008");
  EXPECT_EQ(ProgressText(last.bytesRead, last.fileSize), "100.0");
  EXPECT_EQ(last.fileSize, rig.file.size());
  // The record count and the share read only grow.
  for (std::size_t i = 1; i < rig.window.statuses.size(); ++i) {
    EXPECT_GE(rig.window.statuses[i].records, rig.window.statuses[i - 1].records) << i;
    EXPECT_GE(rig.window.statuses[i].bytesRead, rig.window.statuses[i - 1].bytesRead) << i;
  }
}

// The status before the first record and after the start: running, nothing read but the header.
TEST(ReplayStatusTest, TheStartIsToldBeforeTheFirstRecordWithNoDate) {
  ReplayRig rig("ddeonly");
  rig.file = TickFile(Records(2));
  rig.Run();
  ASSERT_GE(rig.window.statuses.size(), 4u);
  const ReplayStatus& start = rig.window.statuses[0];
  EXPECT_EQ(start.state, ReplayState::Running);
  EXPECT_EQ(start.records, 0u);
  EXPECT_EQ(start.date, "");
  EXPECT_EQ(rig.window.statuses[1].records, 1u);
  EXPECT_EQ(rig.window.statuses[1].date, "20131008");
  // Read up to the first record's line end (its line feed may still lie unlooked-at).
  const std::size_t upToFirst = TickFile(Records(1)).size();
  EXPECT_GE(rig.window.statuses[1].bytesRead, upToFirst - 1);
  EXPECT_LE(rig.window.statuses[1].bytesRead, upToFirst);
}

// A file that cannot be opened leaves the replay idle: nothing is told.
TEST(ReplayStatusTest, NoPlaybackFileTellsNothing) {
  ReplayRig rig;
  rig.openError = L"The playback file cannot be opened";
  rig.Run();
  EXPECT_TRUE(rig.window.statuses.empty());
}

// A long forward shows no record: its progress goes out at most ten times a second, and still
// ten times a second when it slows down after a fast start (the rest of the file on a slow disk).
struct ForwardPaceCase {
  const char* name;
  int fastRecords;  // skipped at a microsecond each, first
  int slowRecords;  // skipped at a millisecond each, after them
};

class ForwardStatusTest : public testing::TestWithParam<ForwardPaceCase> {};

TEST_P(ForwardStatusTest, IsToldAtMostTenTimesASecond) {
  const ForwardPaceCase& c = GetParam();
  const int skipped = c.fastRecords + c.slowRecords;
  ReplayRig rig("sierra");
  rig.file = TickFile(Records(skipped + 3));
  rig.log.At("ProcessEvents", 1, [&] { rig.station.forwardTicks = skipped; });
  for (int n = 2; n <= skipped + 1; ++n) {
    const double costMs = n <= c.fastRecords + 1 ? 0.001 : 1;
    rig.log.At("ProcessEvents", n, [&rig, costMs] { rig.window.now += costMs; });
  }
  rig.Run();
  int forwarding = 0;
  for (const ReplayStatus& s : rig.window.statuses) forwarding += s.state == ReplayState::Forwarding ? 1 : 0;
  // The 3 s at a millisecond a record: the first status, then one every 100 ms.
  EXPECT_GE(forwarding, 29);
  EXPECT_LE(forwarding, 31);
}

INSTANTIATE_TEST_SUITE_P(Paces, ForwardStatusTest,
                         testing::Values(ForwardPaceCase{"Slow", 0, 3000}, ForwardPaceCase{"FastThenSlow", 20000, 3000}),
                         [](const testing::TestParamInfo<ForwardPaceCase>& info) { return info.param.name; });

TEST(StatusItemTextTest, EachItemAndItsEdges) {
  ReplayStatus status;
  status.state = ReplayState::WaitingForSpeed;
  status.date = "20131008";
  status.records = 17049;
  status.bytesRead = 999;
  status.fileSize = 1000;
  status.lagMs = 12.9;
  struct Case {
    const wchar_t* name;
    const char* text;
  };
  for (const Case& c : {Case{L"date", "20131008"}, Case{L"RECORD", "17049"}, Case{L"progress", "99.9"},
                        Case{L"lag", "12"}, Case{L"State", "waiting for speed"}}) {
    EXPECT_EQ(StatusItemText(status, c.name), std::optional<std::string>(c.text)) << Narrow(c.name);
  }
  EXPECT_EQ(StatusItemText(status, L"status"), std::nullopt);
  EXPECT_EQ(StatusItemText(status, L"dates"), std::nullopt);
  status.lagMs = -3;
  EXPECT_EQ(StatusItemText(status, L"lag"), "0");
}

TEST(StatusItemTextTest, ProgressIsRoundedDownAndHeldAtItsEnds) {
  struct Case {
    std::uint64_t read, size;
    const char* text;
  };
  for (const Case& c : {Case{0, 0, "0.0"}, Case{0, 100, "0.0"}, Case{1, 1000, "0.1"}, Case{999999, 1000000, "99.9"},
                        Case{1000000, 1000000, "100.0"}, Case{1200, 1000, "100.0"},
                        Case{(1ull << 50) - 1, 1ull << 50, "99.9"}, Case{1, 3, "33.3"}}) {
    EXPECT_EQ(ProgressText(c.read, c.size), c.text) << c.read << "/" << c.size;
  }
}

}  // namespace
}  // namespace tickvane::replay_test
