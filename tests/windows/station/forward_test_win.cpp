// Fast-forward as a user and a chart see it: on the real IBM sample in "sierra" mode with our
// chart-file writer, a forward by 250 ticks and then one by minutes; the chart file holds every
// record of the file once and in order, and the DDE items leave out exactly the skipped records.
// Outside "sierra" mode the forward controls cannot be reached.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/windows/station/ibm_sample_win.h"
#include "tests/windows/station/station_fixture_win.h"
#include "tests/windows/support/dde_child_process_win.h"
#include "tests/windows/support/launcher_recorder_win.h"

namespace tickvane::test {
namespace {

constexpr wchar_t kClosing[] = L"This playback session has been done. Happy trading!";

std::string Masked(const std::string& hhmmss) {
  std::string digits = std::to_string(std::stol(hhmmss));
  while (digits.size() < 5) digits.insert(digits.begin(), '0');
  std::string hours = digits.substr(0, digits.size() - 4);
  return std::to_string(std::stoi(hours)) + ":" + digits.substr(digits.size() - 4, 2) + ":" +
         digits.substr(digits.size() - 2);
}

// hhmmss plus whole minutes, kept within the day as the component keeps it.
long AddMinutes(long hhmmss, long minutes) {
  long total = (hhmmss / 10000 * 60 + hhmmss / 100 % 100 + minutes) * 60 + hhmmss % 100;
  if (total >= 24 * 3600) return 240000;
  return total / 3600 * 10000 + total / 60 % 60 * 100 + total % 60;
}

// The records a linked client sees: the 250th (the forward by ticks runs from the first record),
// then, from the forward by minutes taken there, the records of that day before the target are
// skipped, and so is the one at the target that closes their batch; everything after is shown.
std::vector<size_t> ShownRecords(const std::vector<Tick>& ticks, long minutes) {
  std::vector<size_t> shown{249};
  const std::string day = ticks[249].date;
  const long from = std::stol(ticks[249].time), to = AddMinutes(from, minutes);
  size_t i = 250;
  while (i < ticks.size() && ticks[i].date == day && std::stol(ticks[i].time) < to) ++i;
  if (i > 250 && i < ticks.size() && ticks[i].date == day && std::stol(ticks[i].time) >= from) ++i;
  for (; i < ticks.size(); ++i) shown.push_back(i);
  return shown;
}

class Forward : public StationTest, public ::testing::WithParamInterface<long> {
 protected:
  // Starts ddewatch linked to `last` and `time` and waits until it has printed their current
  // values, that is, until both links stand. A client process of its own keeps every test's DDE
  // conversations apart: a client in this process that had fallen behind a killed station made
  // Wine's DDEML crash in the next test's advise.
  bool Watch(tickvane::testing::DdeChildProcess& watch) {
    std::wstring error;
    if (!watch.Start(ProgramsDirectory() + L"\\ddewatch.exe", L"--wait 30000 last time", true, &error)) {
      ADD_FAILURE() << "ddewatch did not start: " << std::string(error.begin(), error.end());
      return false;
    }
    return WaitUntil([&] { return Lines(watch.Output()).size() >= 2; }, 60000);
  }
  static std::vector<std::string> Lines(const std::string& out) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = out.find('\n', start)) != std::string::npos; start = end + 1) {
      std::string line = out.substr(start, end - start);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines.push_back(line);
    }
    return lines;
  }
  // The updates ddewatch has printed so far, after the two current values, as (item, value).
  static std::vector<std::pair<std::string, std::string>> Updates(const tickvane::testing::DdeChildProcess& watch) {
    std::vector<std::pair<std::string, std::string>> got;
    std::vector<std::string> lines = Lines(watch.Output());
    for (size_t i = 2; i < lines.size(); ++i) {
      size_t tab = lines[i].find('\t');
      std::string item = lines[i].substr(0, tab);
      std::transform(item.begin(), item.end(), item.begin(), ::tolower);
      got.emplace_back(item, tab == std::string::npos ? std::string() : lines[i].substr(tab + 1));
    }
    return got;
  }
};

TEST_P(Forward, ChartHoldsEveryRecordOnceAndTheItemsSkipTheSkippedOnes) {
  const long minutes = GetParam();
  std::vector<Tick> ticks = IbmSample();
  ASSERT_GT(ticks.size(), 17000u) << "sample not found";
  ASSERT_TRUE(FileExists(folder_->CopyProgram(L"chartdump.exe")));
  ASSERT_NO_FATAL_FAILURE(StartSierraOnIbm(PlaybackFile(ticks)));
  tickvane::testing::DdeChildProcess watch;
  ASSERT_TRUE(Watch(watch)) << "ddewatch did not link to last and time";

  // No speed: each shown record is held on display until one is typed.
  SetTextOf(MainControl(L"speed"), L"");
  Click(MainControl(L"more"));
  SetTextOf(MainControl(L"tick"), L"250");
  Click(MainControl(L"Forward"));
  ASSERT_TRUE(WaitUntil([&] { return !::IsWindowEnabled(MainControl(L"Forward")); }));
  EXPECT_FALSE(::IsWindowEnabled(MainControl(L"for_mins")));
  Click(MainControl(L"cbStartFastSend"));

  std::vector<std::pair<std::string, std::string>> got;
  ASSERT_TRUE(WaitUntil([&] { got = Updates(watch); return got.size() >= 2; }, 120000))
      << "the 250th record was not shown";
  const std::string shownTime = Masked(ticks[249].time);
  const std::wstring wideShownTime(shownTime.begin(), shownTime.end());
  ASSERT_TRUE(WaitUntil([&] { return TextOf(MainControl(L"time")) == wideShownTime; })) << "held at the 250th record";
  EXPECT_TRUE(::IsWindowEnabled(MainControl(L"Forward"))) << "enabled again when the forward by ticks ends";

  SetTextOf(MainControl(L"for_min"), std::to_wstring(minutes));
  Click(MainControl(L"for_mins"));
  ASSERT_TRUE(WaitUntil([&] { return !::IsWindowEnabled(MainControl(L"for_mins")); }));
  SetTextOf(MainControl(L"speed"), L"1000000");

  std::optional<MessageBoxView> closing;
  const std::vector<size_t> shown = ShownRecords(ticks, minutes);
  // Looking for the message box goes through every window of the session: done only now and then
  // while the updates come, it leaves the window server to the station and the client.
  ULONGLONG lastLook = 0;
  WaitUntil([&] {
    got = Updates(watch);
    const bool all = got.size() >= 2 * shown.size();
    if ((!closing || closing->text != kClosing) && (all || ::GetTickCount64() - lastLook > 500)) {
      closing = FindMessageBox(station_.Id());
      lastLook = ::GetTickCount64();
    }
    return closing && closing->text == kClosing && all;
  }, 900000);
  got = Updates(watch);
  ASSERT_TRUE(closing && closing->text == kClosing) << "the replay did not end";

  std::vector<std::pair<std::string, std::string>> expected;
  for (size_t i : shown) {
    expected.emplace_back("last", ticks[i].price);
    expected.emplace_back("time", Masked(ticks[i].time));
  }
  ASSERT_LT(shown.size() + 300, ticks.size()) << "the forward by minutes skipped too little to matter";
  EXPECT_EQ(got.size(), expected.size());
  size_t n = std::min(got.size(), expected.size());
  size_t first = std::mismatch(got.begin(), got.begin() + n, expected.begin()).first - got.begin();
  EXPECT_EQ(first, n) << "first difference at update " << first;

  std::wstring error;
  tickvane::testing::DdeChildProcess dump;
  ASSERT_TRUE(dump.Start(folder_->Path() + L"\\chartdump.exe", L"\"" + folder_->Path() + L"\\IBM.mnd\"", true, &error));
  ASSERT_TRUE(dump.WaitExit(60000));
  std::vector<Tick> chart;
  const std::string out = dump.Output();
  for (const std::string& line : Lines(out)) {
    if (line.empty() || line[0] == '#') continue;
    char date[16] = {}, time[16] = {}, price[32] = {};
    if (std::sscanf(line.c_str(), "%15s %15s %31s", date, time, price) == 3) chart.push_back({date, time, price});
  }
  ASSERT_EQ(chart.size(), ticks.size()) << out.substr(out.size() > 300 ? out.size() - 300 : 0);
  size_t firstWrong = ticks.size();
  for (size_t i = 0; i < ticks.size() && firstWrong == ticks.size(); ++i) {
    bool same = chart[i].date == ticks[i].date && std::stol(chart[i].time) == std::stol(ticks[i].time) &&
                std::abs(std::strtod(chart[i].price.c_str(), nullptr) - std::strtod(ticks[i].price.c_str(), nullptr)) < 1e-9;
    if (!same) firstWrong = i;
  }
  EXPECT_EQ(firstWrong, ticks.size()) << "chart record " << firstWrong << " is not the file's";
  Answer(*closing, IDOK);
}

// A few minutes within the day, and a forward past the end of the day that meets the next day's
// first record below its from-time.
INSTANTIATE_TEST_SUITE_P(Minutes, Forward, ::testing::Values(3L, 600L));

class ForwardControls : public StationTest {};

TEST_F(ForwardControls, DdeOnlyKeepsThemOutOfReach) {
  StartStation(L"ddeonly");
  ASSERT_TRUE(WaitForMainWindow());
  for (const wchar_t* name : {L"Forward", L"tick", L"for_mins", L"for_min"})
    EXPECT_FALSE(::IsWindowEnabled(MainControl(name))) << std::string(name, name + wcslen(name));
  // A whole round of Tab never lands on them.
  DWORD thread = station_.ThreadId();
  ASSERT_TRUE(WaitUntil([&] { return FocusOf(thread) == MainControl(L"last"); }));
  for (int i = 0; i < 12; ++i) {
    HWND before = FocusOf(thread);
    PressKey(thread, VK_TAB);
    WaitUntil([&] { return FocusOf(thread) != before; }, 10000);
    for (const wchar_t* name : {L"Forward", L"tick", L"for_mins", L"for_min"})
      EXPECT_NE(FocusOf(thread), MainControl(name)) << std::string(name, name + wcslen(name));
  }
}

}  // namespace
}  // namespace tickvane::test
