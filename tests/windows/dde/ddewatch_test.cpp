// ddewatch run as a program against the test server, its output read through a pipe.
#include <gtest/gtest.h>

#include <sstream>

#include "common/win_text_win.h"
#include "tests/windows/dde/dde_test_fixture.h"

namespace tickvane::testing {
namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

::testing::AssertionResult StartWatch(DdeChildProcess& watch, const std::wstring& arguments) {
  std::wstring error;
  if (!watch.Start(DdeTestProgramFolder() + L"..\\bin\\ddewatch.exe", arguments, true, &error))
    return ::testing::AssertionFailure() << ToUtf8(error);
  return ::testing::AssertionSuccess();
}

// The exit code, once the program has ended and all its output is read.
std::optional<DWORD> FinishWatch(DdeChildProcess& watch) {
  std::optional<DWORD> code;
  WaitUntil([&] { return (code = watch.ExitCode()).has_value(); });
  if (code) watch.WaitExit(kPatienceMs);
  return code;
}

class DdewatchTest : public DdeServerTest {
 protected:
  void SetUp() override {
    DdeServerTest::SetUp();
    ASSERT_TRUE(server_.SetTopic(L"playback"));
  }

  ::testing::AssertionResult Run(const std::wstring& arguments) { return StartWatch(watch_, arguments); }
  std::optional<DWORD> Finish() { return FinishWatch(watch_); }
  bool WaitForLines(size_t count) {
    return WaitUntil([&] { return Lines(watch_.Output()).size() >= count || !watch_.Running(); }) &&
           Lines(watch_.Output()).size() >= count;
  }

  DdeChildProcess watch_;
};

TEST_F(DdewatchTest, OncePrintsEachItemsValueInTheOrderGiven) {
  ASSERT_TRUE(server_.Set(L"note", L"two\r\nlines"));
  ASSERT_TRUE(Run(L"--once time last SPEED note vqfilename"));
  EXPECT_EQ(Finish(), std::optional<DWORD>(0)) << watch_.Errors();
  EXPECT_EQ(Lines(watch_.Output()), (std::vector<std::string>{"time\ttime", "last\tlast", "SPEED\t2",
                                                              "note\ttwo\\r\\nlines", "vqfilename\tVQ filename"}));
  EXPECT_EQ(watch_.Errors(), "");
}

TEST_F(DdewatchTest, FollowsUpdatesUntilCountIsReached) {
  ASSERT_TRUE(Run(L"--count 5 last time"));
  // The current values are printed once the links stand.
  ASSERT_TRUE(WaitForLines(2)) << watch_.Output() << watch_.Errors();
  ASSERT_TRUE(server_.SetAll({{L"last", L"10.5"},
                              {L"time", L"09:30:01"},
                              {L"speed", L"4"},
                              {L"last", L"multi\nline"},
                              {L"time", L"09:30:02"},
                              {L"last", L"10.75"},
                              {L"last", L"past the count"}}));
  EXPECT_EQ(Finish(), std::optional<DWORD>(0)) << watch_.Errors();
  EXPECT_EQ(Lines(watch_.Output()),
            (std::vector<std::string>{"last\tlast", "time\ttime", "last\t10.5", "time\t09:30:01",
                                      "last\tmulti\\nline", "time\t09:30:02", "last\t10.75"}));
}

TEST_F(DdewatchTest, TimestampsAreMillisecondsThatNeverGoBack) {
  ASSERT_TRUE(Run(L"--timestamps --count 2 last"));
  ASSERT_TRUE(WaitForLines(1)) << watch_.Errors();
  ASSERT_TRUE(server_.SetAll({{L"last", L"1"}, {L"last", L"2"}}));
  EXPECT_EQ(Finish(), std::optional<DWORD>(0)) << watch_.Errors();
  std::vector<std::string> lines = Lines(watch_.Output());
  ASSERT_EQ(lines.size(), 3u);
  long long previous = -1;
  const char* values[] = {"last\tlast", "last\t1", "last\t2"};
  for (size_t i = 0; i < lines.size(); ++i) {
    size_t tab = lines[i].find('\t');
    ASSERT_NE(tab, std::string::npos) << lines[i];
    std::string stamp = lines[i].substr(0, tab);
    ASSERT_FALSE(stamp.empty());
    ASSERT_EQ(stamp.find_first_not_of("0123456789"), std::string::npos) << lines[i];
    long long ms = std::stoll(stamp);
    EXPECT_GE(ms, previous);
    previous = ms;
    EXPECT_EQ(lines[i].substr(tab + 1), values[i]);
  }
}

TEST_F(DdewatchTest, EndsWithZeroWhenTheServerGoesAway) {
  ASSERT_TRUE(Run(L"last"));
  ASSERT_TRUE(WaitForLines(1)) << watch_.Errors();
  ASSERT_TRUE(server_.Set(L"last", L"final"));
  ASSERT_TRUE(WaitForLines(2)) << watch_.Errors();
  EXPECT_EQ(server_.QuitAndWait(), std::optional<DWORD>(0));
  EXPECT_EQ(Finish(), std::optional<DWORD>(0)) << watch_.Errors();
  EXPECT_EQ(Lines(watch_.Output()), (std::vector<std::string>{"last\tlast", "last\tfinal"}));
}

TEST_F(DdewatchTest, AClientThatDiesWhileLinkedDoesNotStopUpdatesToTheOthers) {
  auto before = Connect(L"playback");
  ASSERT_TRUE(before);
  ASSERT_TRUE(before->StartAdvise(L"last"));
  ASSERT_TRUE(Run(L"last"));
  ASSERT_TRUE(WaitForLines(1)) << watch_.Errors();
  auto after = Connect(L"playback");
  ASSERT_TRUE(after);
  ASSERT_TRUE(after->StartAdvise(L"last"));
  // Killed: no goodbye to the server, its link stays behind.
  watch_.Kill();
  ASSERT_FALSE(watch_.Running());

  ASSERT_TRUE(server_.SetAll({{L"last", L"1"}, {L"last", L"2"}}));
  ASSERT_TRUE(server_.Set(L"last", L"3"));
  for (DdeClient* client : {before.get(), after.get()}) {
    ASSERT_TRUE(WaitUntil([&] { return client->PendingUpdates() >= 3; })) << client->PendingUpdates();
    std::deque<DdeUpdate> got = client->TakeUpdates();
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(got[0].value, "1");
    EXPECT_EQ(got[1].value, "2");
    EXPECT_EQ(got[2].value, "3");
  }
}

TEST_F(DdewatchTest, EndsWithZeroWhenInterrupted) {
  ASSERT_TRUE(Run(L"last time"));
  ASSERT_TRUE(WaitForLines(2)) << watch_.Errors();
  // What its console control handler does on Ctrl+C or a closed console; Wine sends no console
  // events to a program started by a test runner, so the test posts the same message.
  ASSERT_TRUE(::PostThreadMessageW(watch_.MainThreadId(), WM_QUIT, 0, 0))
      << ToUtf8(SystemErrorText(::GetLastError()));
  EXPECT_EQ(Finish(), std::optional<DWORD>(0)) << watch_.Errors();
  EXPECT_EQ(Lines(watch_.Output()), (std::vector<std::string>{"last\tlast", "time\ttime"}));
}

TEST_F(DdewatchTest, RefusedItemsAreNamedAndEndWithThree) {
  for (const wchar_t* mode : {L"--once ", L""}) {
    SCOPED_TRACE(ToUtf8(mode));
    DdeChildProcess watch;
    ASSERT_TRUE(StartWatch(watch, std::wstring(mode) + L"last nosuch time"));
    EXPECT_EQ(FinishWatch(watch), std::optional<DWORD>(3));
    EXPECT_EQ(Lines(watch.Output()), (std::vector<std::string>{"last\tlast", "time\ttime"}));
    EXPECT_NE(watch.Errors().find("\"nosuch\""), std::string::npos) << watch.Errors();
    EXPECT_EQ(watch.Errors().find("\"last\""), std::string::npos) << watch.Errors();
  }
}

TEST_F(DdewatchTest, WaitRetriesUntilTheServerComes) {
  // A service that only comes after ddewatch started.
  ASSERT_TRUE(Run(L"--service LateVane --topic LinkTopic --wait 60000 --once speed"));
  TestServer late(L"LateVane");
  ASSERT_TRUE(late.Start());
  EXPECT_EQ(Finish(), std::optional<DWORD>(0)) << watch_.Errors();
  EXPECT_EQ(Lines(watch_.Output()), (std::vector<std::string>{"speed\t2"}));
}

TEST(DdewatchAlone, ExitsWithTwoNamingServiceAndTopicWhenNothingAnswers) {
  for (const wchar_t* wait : {L"", L"--wait 300 "}) {
    SCOPED_TRACE(ToUtf8(wait));
    DdeChildProcess watch;
    ASSERT_TRUE(StartWatch(watch, std::wstring(wait) + L"--service NobodyVane --topic nothere last"));
    EXPECT_EQ(FinishWatch(watch), std::optional<DWORD>(2));
    EXPECT_EQ(watch.Output(), "");
    std::string errors = watch.Errors();
    EXPECT_NE(errors.find("NobodyVane"), std::string::npos) << errors;
    EXPECT_NE(errors.find("nothere"), std::string::npos) << errors;
    EXPECT_NE(errors.find("DMLERR_NO_CONV_ESTABLISHED"), std::string::npos) << errors;
  }
}

TEST(DdewatchAlone, BadUsageShowsTheUsageAndExitsWithOne) {
  for (const wchar_t* args : {L"", L"--bogus last", L"--count 0 last"}) {
    SCOPED_TRACE(ToUtf8(args));
    DdeChildProcess watch;
    ASSERT_TRUE(StartWatch(watch, args));
    EXPECT_EQ(FinishWatch(watch), std::optional<DWORD>(1));
    EXPECT_NE(watch.Errors().find("Usage: ddewatch"), std::string::npos) << watch.Errors();
  }
}

}  // namespace
}  // namespace tickvane::testing
