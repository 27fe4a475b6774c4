// The status items as a client sees them through a replay in "sierra" mode that waits for a
// speed, pauses and forwards by ticks: where the replay stands (state, day, record count, share
// of the file, lag), in order and to the end of the file.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "tests/windows/station/ibm_sample_win.h"
#include "tests/windows/station/station_fixture_win.h"
#include "tests/windows/support/dde_child_process_win.h"

namespace tickvane::test {
namespace {

constexpr wchar_t kClosing[] = L"This playback session has been done. Happy trading!";

// Fifteen records one second apart on each of two days.
std::vector<Tick> TwoDays() {
  std::vector<Tick> ticks;
  for (const char* day : {"20131007", "20131008"})
    for (int i = 0; i < 15; ++i) ticks.push_back({day, std::to_string(93000 + i), std::to_string(180 + i) + ".5"});
  return ticks;
}

// ddewatch's lines as (item, value), the current values first; item names in lower case.
std::vector<std::pair<std::string, std::string>> Printed(const std::string& out) {
  std::vector<std::pair<std::string, std::string>> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = out.find('\n', start)) != std::string::npos; start = end + 1) {
    std::string line = out.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::size_t tab = line.find('\t');
    std::string item = line.substr(0, tab);
    std::transform(item.begin(), item.end(), item.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    lines.emplace_back(item, tab == std::string::npos ? std::string() : line.substr(tab + 1));
  }
  return lines;
}

// The values of each item in the order they arrived.
std::map<std::string, std::vector<std::string>> ByItem(const std::vector<std::pair<std::string, std::string>>& lines) {
  std::map<std::string, std::vector<std::string>> values;
  for (const auto& [item, value] : lines) values[item].push_back(value);
  return values;
}

bool LastStateIs(const tickvane::testing::DdeChildProcess& watch, const std::string& state) {
  const auto values = ByItem(Printed(watch.Output()));
  const auto found = values.find("state");
  return found != values.end() && !found->second.empty() && found->second.back() == state;
}

using StatusItems = StationTest;

TEST_F(StatusItems, AClientLinkedToAllFiveFollowsWaitPauseForwardAndTheEnd) {
  const std::vector<Tick> ticks = TwoDays();
  ASSERT_NO_FATAL_FAILURE(StartSierraOnIbm(PlaybackFile(ticks)));

  tickvane::testing::DdeChildProcess watch;
  std::wstring error;
  ASSERT_TRUE(watch.Start(ProgramsDirectory() + L"\\ddewatch.exe", L"--wait 30000 date record progress lag state",
                          true, &error))
      << std::string(error.begin(), error.end());
  // The current values first: nothing replayed yet.
  ASSERT_TRUE(WaitUntil([&] { return Printed(watch.Output()).size() >= 5; }, 60000)) << watch.Output();
  EXPECT_EQ(Printed(watch.Output()),
            (std::vector<std::pair<std::string, std::string>>{
                {"date", ""}, {"record", "0"}, {"progress", "0.0"}, {"lag", "0"}, {"state", "idle"}}));

  // No speed: the first record is held on display until one is typed.
  SetTextOf(MainControl(L"speed"), L"");
  Click(MainControl(L"cbStartFastSend"));
  ASSERT_TRUE(WaitUntil([&] { return LastStateIs(watch, "waiting for speed"); }, 60000)) << watch.Output();
  // Paused meanwhile, then a speed: the record goes on and the replay stops before the next line.
  Click(MainControl(L"cmdPause"));
  SetTextOf(MainControl(L"speed"), L"1000");
  ASSERT_TRUE(WaitUntil([&] { return LastStateIs(watch, "paused"); }, 60000)) << watch.Output();
  // A forward by five ticks asked for while paused runs when the replay resumes.
  Click(MainControl(L"more"));
  SetTextOf(MainControl(L"tick"), L"5");
  Click(MainControl(L"Forward"));
  ASSERT_TRUE(WaitUntil([&] { return !::IsWindowEnabled(MainControl(L"Forward")); }));
  Click(MainControl(L"cmdPause"));
  ASSERT_TRUE(WaitUntil([&] { return LastStateIs(watch, "finished"); }, 120000)) << watch.Output();
  ExpectNotice(kClosing);

  const auto values = ByItem(Printed(watch.Output()));
  std::vector<std::string> states = values.at("state");
  states.erase(std::unique(states.begin(), states.end()), states.end());
  EXPECT_EQ(states, (std::vector<std::string>{"idle", "running", "waiting for speed", "running", "paused", "running",
                                              "forwarding", "running", "finished"}));

  // Counts and shares only grow, and end at the whole file.
  const auto& records = values.at("record");
  const auto& progress = values.at("progress");
  for (std::size_t i = 1; i < records.size(); ++i) EXPECT_LE(std::stoul(records[i - 1]), std::stoul(records[i])) << i;
  for (std::size_t i = 1; i < progress.size(); ++i) EXPECT_LE(std::stod(progress[i - 1]), std::stod(progress[i])) << i;
  EXPECT_EQ(records.back(), "30");
  EXPECT_EQ(progress.back(), "100.0");
  // The day on display: none, the first day, then the second.
  EXPECT_EQ(values.at("date"), (std::vector<std::string>{"", "20131007", "20131008"}));
  for (const std::string& lag : values.at("lag")) {
    EXPECT_FALSE(lag.empty());
    EXPECT_EQ(lag.find_first_not_of("0123456789"), std::string::npos) << lag;
  }
}

// Requests answer the status items too; a control's item keeps its own name.
TEST_F(StatusItems, RequestsAnswerThemBeforeAnyReplay) {
  StartStation(L"ddeonly");
  ASSERT_TRUE(WaitForMainWindow());
  tickvane::testing::DdeChildProcess watch;
  std::wstring error;
  ASSERT_TRUE(watch.Start(ProgramsDirectory() + L"\\ddewatch.exe",
                          L"--wait 30000 --once STATE Progress record lag date last", true, &error));
  ASSERT_TRUE(WaitUntil([&] { return Printed(watch.Output()).size() >= 6; }, 60000)) << watch.Output();
  EXPECT_EQ(Printed(watch.Output()), (std::vector<std::pair<std::string, std::string>>{{"state", "idle"},
                                                                                       {"progress", "0.0"},
                                                                                       {"record", "0"},
                                                                                       {"lag", "0"},
                                                                                       {"date", ""},
                                                                                       {"last", "last"}}));
}

}  // namespace
}  // namespace tickvane::test
