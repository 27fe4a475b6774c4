// A whole replay driven as a user and a linked client see it: Start, the items following the
// file, pacing, pause, the speed box, the chart file in "sierra" mode, and the closing message.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/windows/station/station_fixture_win.h"
#include "tools/ddewatch/dde_client_win.h"

namespace tickvane::test {
namespace {

constexpr wchar_t kClosing[] = L"This playback session has been done. Happy trading!";

struct Tick {
  std::string date, time, price;
};

std::string PlaybackFile(const std::vector<Tick>& ticks, const std::string& lineEnd = "\r\n") {
  std::string text = "header one" + lineEnd + "header,two" + lineEnd + "[header three" + lineEnd;
  for (const Tick& t : ticks) text += "IBM," + t.date + "," + t.time + "," + t.price + ",100" + lineEnd;
  return text;
}

std::string Masked(const std::string& hhmmss) {
  std::string digits = std::to_string(std::stol(hhmmss));
  while (digits.size() < 5) digits.insert(digits.begin(), '0');
  std::string hours = digits.substr(0, digits.size() - 4);
  return std::to_string(std::stoi(hours)) + ":" + digits.substr(digits.size() - 4, 2) + ":" + digits.substr(digits.size() - 2);
}

struct Arrival {
  std::string item;
  std::string value;
  ULONGLONG at;
};

class Replay : public StationTest {
 protected:
  void StartDdeOnlyWith(const std::string& file, const wchar_t* speed) {
    folder_->WriteFile(L"practice.EPF", file);
    StartStation(L"ddeonly");
    ASSERT_TRUE(WaitForMainWindow());
    if (speed) SetTextOf(MainControl(L"speed"), speed);
    LinkLastAndTime();
  }
  void LinkLastAndTime() {
    std::wstring error;
    bool connected = false;
    WaitUntil([&] { return connected = client_.Connect(L"Tickvane", L"playback", &error); });
    ASSERT_TRUE(connected);
    ASSERT_TRUE(client_.StartAdvise(L"last"));
    ASSERT_TRUE(client_.StartAdvise(L"time"));
  }
  // Collects updates until the closing message shows and the expected number of updates has
  // arrived (a client may lag behind the station by thousands of posted updates); returns them in
  // arrival order.
  std::vector<Arrival> CollectUntilClosing(size_t expectedUpdates, DWORD timeoutMs = 60000) {
    std::vector<Arrival> got;
    closing_.reset();
    WaitUntil([&] {
      Take(got);
      if (!closing_ || closing_->text != kClosing) closing_ = FindMessageBox(station_.Id());
      return closing_ && closing_->text == kClosing && got.size() >= expectedUpdates;
    }, timeoutMs);
    Take(got);
    return got;
  }
  void Take(std::vector<Arrival>& got) {
    for (auto& u : client_.TakeUpdates()) {
      std::string item(u.item.begin(), u.item.end());
      std::transform(item.begin(), item.end(), item.begin(), ::tolower);
      got.push_back({item, u.value, ::GetTickCount64()});
    }
  }
  static std::vector<std::pair<std::string, std::string>> Expected(const std::vector<Tick>& ticks) {
    std::vector<std::pair<std::string, std::string>> e;
    for (const Tick& t : ticks) {
      e.emplace_back("last", t.price);
      e.emplace_back("time", Masked(t.time));
    }
    return e;
  }
  static std::vector<std::pair<std::string, std::string>> Pairs(const std::vector<Arrival>& got) {
    std::vector<std::pair<std::string, std::string>> p;
    for (const Arrival& a : got) p.emplace_back(a.item, a.value);
    return p;
  }

  DdeClient client_;
  std::optional<MessageBoxView> closing_;
};

TEST_F(Replay, DdeOnlyDeliversEveryRecordPriceBeforeTimeThenTheClosingMessage) {
  std::vector<Tick> ticks = {{"20131008", "093000", "182.50"}, {"20131008", "093000", "182.51"},
                             {"20131008", "93001", " 182.49 "}, {"20131008", "093001", "182.52"},
                             {"20131008", "093002", "182.40"}};
  StartDdeOnlyWith(PlaybackFile(ticks), L"1000");
  Click(MainControl(L"cbStartFastSend"));
  auto got = CollectUntilClosing(2 * ticks.size());
  ASSERT_TRUE(closing_) << "no closing message";
  for (Tick& t : ticks) t.price.erase(std::remove(t.price.begin(), t.price.end(), ' '), t.price.end());
  EXPECT_EQ(Pairs(got), Expected(ticks));
  EXPECT_EQ(closing_->title, L"zavo");
  EXPECT_FALSE(::IsWindowEnabled(MainControl(L"cbStartFastSend")));
  Answer(*closing_, IDOK);
  EXPECT_TRUE(WaitUntil([&] { return CountMessageBoxes(station_.Id()) == 0; }));
  EXPECT_FALSE(::IsWindowEnabled(MainControl(L"cbStartFastSend"))) << "one replay per process";
  EXPECT_TRUE(::IsWindowEnabled(MainControl(L"Forward")));
  EXPECT_TRUE(::IsWindowEnabled(MainControl(L"for_mins")));
  EXPECT_EQ(TextOf(MainControl(L"last")), L"182.40");
  EXPECT_EQ(TextOf(MainControl(L"time")), L"9:30:02");
}

TEST_F(Replay, RecordsOneSecondApartAtSpeedTenArriveAboutATenthOfASecondApart) {
  std::vector<Tick> ticks;
  for (int s = 0; s < 12; ++s) ticks.push_back({"20131008", "0930" + std::string(s < 10 ? "0" : "") + std::to_string(s), "1"});
  StartDdeOnlyWith(PlaybackFile(ticks), L"10");
  Click(MainControl(L"cbStartFastSend"));
  auto got = CollectUntilClosing(2 * ticks.size());
  std::vector<ULONGLONG> times;
  for (const Arrival& a : got)
    if (a.item == "time") times.push_back(a.at);
  ASSERT_EQ(times.size(), ticks.size());
  // The first record waits 1000 ms (measured against time 0); the rest 100 ms each. Only the
  // median is held to a band here; the benchmark measures the accuracy itself.
  std::vector<ULONGLONG> gaps;
  for (size_t i = 2; i < times.size(); ++i) gaps.push_back(times[i] - times[i - 1]);
  std::sort(gaps.begin(), gaps.end());
  ULONGLONG median = gaps[gaps.size() / 2];
  EXPECT_GE(median, 60u);
  EXPECT_LE(median, 250u);
}

TEST_F(Replay, MissingFileNamesItAndLetsTheUserRetry) {
  StartStation(L"ddeonly");
  ASSERT_TRUE(WaitForMainWindow());
  Click(MainControl(L"cbStartFastSend"));
  auto box = WaitForMessageBox(station_.Id());
  ASSERT_TRUE(box);
  EXPECT_NE(box->text.find(L"practice.EPF"), std::wstring::npos) << std::string(box->text.begin(), box->text.end());
  EXPECT_NE(box->text, kClosing);
  Answer(*box, IDOK);
  EXPECT_TRUE(WaitUntil([&] { return ::IsWindowEnabled(MainControl(L"cbStartFastSend")) != 0; }));

  // The file is there now: Start replays it.
  folder_->WriteFile(L"practice.EPF", PlaybackFile({{"20131008", "093000", "7.5"}}));
  LinkLastAndTime();
  SetTextOf(MainControl(L"speed"), L"1000");
  Click(MainControl(L"cbStartFastSend"));
  auto got = CollectUntilClosing(2);
  EXPECT_EQ(Pairs(got), Expected({{"20131008", "093000", "7.5"}}));
}

TEST_F(Replay, PauseBeforeStartHoldsTheFirstLineUntilResume) {
  StartDdeOnlyWith(PlaybackFile({{"20131008", "093000", "1"}, {"20131008", "093000", "2"}}), L"1000");
  Click(MainControl(L"cmdPause"));
  ASSERT_TRUE(WaitUntil([&] { return TextOf(MainControl(L"cmdPause")) == L"Resume"; }));
  Click(MainControl(L"cbStartFastSend"));
  ASSERT_TRUE(WaitUntil([&] { return !::IsWindowEnabled(MainControl(L"cbStartFastSend")); }));
  // Held: nothing arrives while paused, and the window still answers.
  std::vector<Arrival> got;
  ULONGLONG until = ::GetTickCount64() + 700;
  WaitUntil([&] { Take(got); return !got.empty() || ::GetTickCount64() > until; }, 5000);
  EXPECT_TRUE(got.empty());
  EXPECT_EQ(TextOf(MainControl(L"last")), L"last");
  Click(MainControl(L"cmdPause"));
  got = CollectUntilClosing(4);
  EXPECT_EQ(Pairs(got), Expected({{"20131008", "093000", "1"}, {"20131008", "093000", "2"}}));
}

TEST_F(Replay, EmptySpeedHoldsTheReplayUntilANumberIsTyped) {
  StartDdeOnlyWith(PlaybackFile({{"20131008", "093000", "1"}, {"20131008", "093000", "2"}}), L"");
  Click(MainControl(L"cbStartFastSend"));
  std::vector<Arrival> got;
  WaitUntil([&] { Take(got); return got.size() >= 2; }, 30000);
  ASSERT_EQ(got.size(), 2u) << "the first record is shown, then the replay waits";
  ULONGLONG until = ::GetTickCount64() + 700;
  WaitUntil([&] { Take(got); return got.size() > 2 || ::GetTickCount64() > until; }, 5000);
  EXPECT_EQ(got.size(), 2u) << "no second record while the speed box is empty";
  EXPECT_EQ(CountMessageBoxes(station_.Id()), 0);
  SetTextOf(MainControl(L"speed"), L"1000");
  auto rest = CollectUntilClosing(2);
  got.insert(got.end(), rest.begin(), rest.end());
  EXPECT_EQ(Pairs(got), Expected({{"20131008", "093000", "1"}, {"20131008", "093000", "2"}}));
}

TEST_F(Replay, PauseDuringAReplayHoldsTheNextLineExitAnsweredNoChangesNothing) {
  std::vector<Tick> ticks;
  for (int i = 0; i < 40; ++i) ticks.push_back({"20131008", "093000", std::to_string(i)});
  StartDdeOnlyWith(PlaybackFile(ticks), L"1000");
  HWND pause = MainControl(L"cmdPause");
  Click(MainControl(L"cbStartFastSend"));
  std::vector<Arrival> got;
  WaitUntil([&] { Take(got); return got.size() >= 4; });
  Click(pause);
  ASSERT_TRUE(WaitUntil([&] { return TextOf(pause) == L"Resume"; }));
  // The replay stops before its next line; what was shown stays, nothing new comes.
  ULONGLONG settle = ::GetTickCount64() + 300;
  WaitUntil([&] { Take(got); return ::GetTickCount64() > settle; });
  size_t held = got.size();
  ULONGLONG until = ::GetTickCount64() + 700;
  WaitUntil([&] { Take(got); return got.size() > held || ::GetTickCount64() > until; });
  EXPECT_EQ(got.size(), held) << "records arrived while paused";
  EXPECT_LT(held, 2 * ticks.size());

  Click(MainControl(L"cmdexit"));
  auto box = WaitForMessageBox(station_.Id());
  ASSERT_TRUE(box);
  Answer(*box, IDNO);
  ASSERT_TRUE(WaitUntil([&] { return CountMessageBoxes(station_.Id()) == 0; }));

  Click(pause);
  auto rest = CollectUntilClosing(2 * ticks.size() - held);
  got.insert(got.end(), rest.begin(), rest.end());
  EXPECT_EQ(Pairs(got), Expected(ticks)) << "every record once, in order, across the pause and the No";
}

TEST_F(Replay, ExitDuringAReplayEndsTheProcessAtOnce) {
  std::vector<Tick> ticks;
  for (int i = 0; i < 50; ++i) ticks.push_back({"20131008", "093000", std::to_string(i)});
  ticks.push_back({"20131008", "093010", "late"});  // a ten-second step: the replay waits there
  ticks.push_back({"20131008", "093011", "never"});
  StartDdeOnlyWith(PlaybackFile(ticks), L"1");
  Click(MainControl(L"cbStartFastSend"));
  std::vector<Arrival> got;
  WaitUntil([&] { Take(got); return !got.empty(); }, 30000);
  Click(MainControl(L"cmdexit"));
  auto box = WaitForMessageBox(station_.Id());
  ASSERT_TRUE(box);
  EXPECT_EQ(box->text, L"Are you sure you want to exit the playback program?");
  Answer(*box, IDYES);
  DWORD code = 1;
  EXPECT_TRUE(WaitForExit(&code));
  EXPECT_EQ(code, 0u);
}

TEST_F(Replay, TheRealIbmSampleReplaysCompletely) {
  // The IBM trades of two days (many ticks in the same second), as the sample script writes them.
  std::wstring sample = ProgramsDirectory() + L"\\..\\..\\..\\data\\real-ticks\\ibm-us-equity-trades-20131007-20131008.csv";
  std::vector<Tick> ticks;
  {
    FILE* f = _wfopen(sample.c_str(), L"rb");
    ASSERT_TRUE(f) << "sample not found";
    char line[256];
    bool header = true;
    while (fgets(line, sizeof line, f)) {
      if (header) { header = false; continue; }
      std::string s(line);
      while (!s.empty() && (s.back() == '\n' || s.back() == '\r')) s.pop_back();
      size_t a = s.find(','), b = s.find(',', a + 1);
      ticks.push_back({s.substr(0, a), s.substr(a + 1, b - a - 1), s.substr(b + 1)});
    }
    fclose(f);
  }
  ASSERT_GT(ticks.size(), 17000u);
  StartDdeOnlyWith(PlaybackFile(ticks), L"1000000");
  Click(MainControl(L"cbStartFastSend"));
  auto got = CollectUntilClosing(2 * ticks.size(), 300000);
  ASSERT_TRUE(closing_) << "the replay did not end";
  auto pairs = Pairs(got);
  auto expected = Expected(ticks);
  EXPECT_EQ(pairs.size(), expected.size());
  size_t n = std::min(pairs.size(), expected.size());
  size_t first = std::mismatch(pairs.begin(), pairs.begin() + n, expected.begin()).first - pairs.begin();
  EXPECT_EQ(first, n) << "first difference at update " << first << ": got " << pairs[first].first << "="
                      << pairs[first].second << ", expected " << expected[first].first << "=" << expected[first].second;
}

}  // namespace
}  // namespace tickvane::test
