// A whole trading day of DDE: hundreds of thousands of hot-link updates and requests in one server
// session, with clients of every kind in processes of their own. Under Wine, DDEML's own posting
// keeps a movable memory block per update for good, and a process has 65,536 of them: the server's
// own path must deliver every value, in order, without that loss.
#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "common/wine_ddeml_win.h"
#include "tests/windows/dde/dde_test_fixture.h"

namespace tickvane::testing {
namespace {

// Growth in movable memory blocks that still counts as freeing everything: DDEML's windows,
// atoms and caches of its own, not a block per update.
constexpr long long kHeadroomSlack = 64;

// Lines a child process has printed, read as they come.
class OutputLines {
 public:
  explicit OutputLines(const DdeChildProcess& process) : process_(process) {}
  // Reads what is new; returns all complete lines so far.
  const std::vector<std::string>& Read() {
    const std::string out = process_.Output();
    for (size_t end; (end = out.find('\n', offset_)) != std::string::npos; offset_ = end + 1) {
      std::string line = out.substr(offset_, end - offset_);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines_.push_back(std::move(line));
    }
    return lines_;
  }

 private:
  const DdeChildProcess& process_;
  size_t offset_ = 0;
  std::vector<std::string> lines_;
};

// A soak client's report: "ready H", "got N", "bad N: why", "done N BAD H".
struct SoakReport {
  std::optional<long long> readyHeadroom;
  long long got = 0;
  std::optional<std::vector<long long>> done;  // count, bad, headroom
  std::vector<std::string> problems;

  void Take(const std::vector<std::string>& lines, size_t& seen) {
    for (; seen < lines.size(); ++seen) {
      const std::string& l = lines[seen];
      long long a = 0, b = 0, c = 0;
      if (std::sscanf(l.c_str(), "ready %lld", &a) == 1) readyHeadroom = a;
      else if (std::sscanf(l.c_str(), "got %lld", &a) == 1) got = a;
      else if (std::sscanf(l.c_str(), "done %lld %lld %lld", &a, &b, &c) == 3) done = std::vector<long long>{a, b, c};
      else if (l.rfind("bad", 0) == 0) problems.push_back(l);
    }
  }
};

class SoakClient {
 public:
  bool Start(const std::wstring& arguments) {
    std::wstring error;
    const bool ok = process_.Start(DdeTestProgramFolder() + L"dde_soak_client.exe", arguments, true, &error);
    EXPECT_TRUE(ok) << ToUtf8(error);
    return ok;
  }
  const SoakReport& Report() {
    report_.Take(lines_.Read(), seen_);
    return report_;
  }
  std::string Output() const { return process_.Output(); }

 private:
  DdeChildProcess process_;
  OutputLines lines_{process_};
  SoakReport report_;
  size_t seen_ = 0;
};

// ddewatch linked to last and time: its lines after the two current values are the updates.
class Watch {
 public:
  bool Start(long long updates) {
    std::wstring error;
    const bool ok = process_.Start(DdeTestProgramFolder() + L"..\\bin\\ddewatch.exe",
                                   L"--headroom --wait 30000 --count " + std::to_wstring(updates) + L" last time", true,
                                   &error);
    EXPECT_TRUE(ok) << ToUtf8(error);
    return ok;
  }
  bool Ready() { return lines_.Read().size() >= 2 && Headroom("at start").has_value(); }
  long long Updates() { return static_cast<long long>(lines_.Read().size()) - 2; }
  const std::vector<std::string>& Lines() { return lines_.Read(); }
  std::optional<long long> Headroom(const char* when) const {
    const std::string errors = process_.Errors();
    const std::string tail = std::string(" ") + when;
    for (size_t at = 0; (at = errors.find("movable memory headroom ", at)) != std::string::npos; ++at) {
      long long n = 0;
      char rest[16] = {};
      if (std::sscanf(errors.c_str() + at, "movable memory headroom %lld %15[a-z ]", &n, rest) == 2 &&
          (std::string(" ") + rest).rfind(tail, 0) == 0)
        return n;
    }
    return std::nullopt;
  }
  bool Ended() const { return process_.ExitCode().has_value(); }
  std::string Errors() const { return process_.Errors(); }

 private:
  DdeChildProcess process_;
  OutputLines lines_{process_};
};

struct LongRun {
  bool ddeml;         // DDEML's own posting, under Wine only safe below its limit
  long long records;  // each a change of last and then of time
};

class DdeLongRunTest : public ::testing::TestWithParam<LongRun> {
 protected:
  void SetUp() override {
    ASSERT_TRUE(server_.Start());
    ASSERT_TRUE(server_.SetTopic(L"playback"));
  }
  bool OwnPath() const { return RunningUnderWine() && !GetParam().ddeml; }

  TestServer server_{L"Tickvane", GetParam().ddeml};
};

TEST_P(DdeLongRunTest, EveryClientGetsEveryUpdateInOrderAndNothingIsKept) {
  const long long records = GetParam().records;
  const std::wstring total = std::to_wstring(records);
  std::optional<size_t> serverBefore = server_.Headroom();
  ASSERT_TRUE(serverBefore);

  Watch watch;
  SoakClient link, raw;
  ASSERT_TRUE(watch.Start(2 * records));
  ASSERT_TRUE(link.Start(L"link Tickvane playback last " + total));
  // Windows' DDEML and the server's own path leave the data to the client; Wine's DDEML does not.
  const bool released = OwnPath() || !RunningUnderWine();
  ASSERT_TRUE(raw.Start(L"raw Tickvane playback last " + total + (released ? L" release" : L"")));
  ASSERT_TRUE(WaitUntil([&] { return watch.Ready() && link.Report().readyHeadroom && raw.Report().readyHeadroom; }, 60000))
      << watch.Errors() << link.Output() << raw.Output();

  // In batches, never more than two ahead of the slowest client, so that no queue grows long.
  constexpr long long kBatch = 1000;
  auto slowest = [&] { return std::min({watch.Updates() / 2, link.Report().got, raw.Report().got}); };
  for (long long first = 1; first <= records; first += kBatch) {
    ASSERT_TRUE(WaitUntil([&] { return slowest() >= first - 1 - 2 * kBatch; }, 120000))
        << "clients stopped at " << watch.Updates() / 2 << ", " << link.Report().got << ", " << raw.Report().got
        << " of " << first - 1 << " sent\n"
        << link.Output().substr(0, 2000) << raw.Output().substr(0, 2000);
    std::vector<ItemChange> changes;
    for (long long i = first; i < first + kBatch && i <= records; ++i) {
      changes.emplace_back(L"last", std::to_wstring(i));
      changes.emplace_back(L"time", L"t" + std::to_wstring(i));
    }
    ASSERT_TRUE(server_.SetAll(changes));
  }
  ASSERT_TRUE(WaitUntil([&] { return watch.Ended() && link.Report().done && raw.Report().done; }, 300000))
      << watch.Updates() << " " << link.Report().got << " " << raw.Report().got;

  // ddewatch: every price, then its time, in order.
  const std::vector<std::string>& lines = watch.Lines();
  ASSERT_EQ(static_cast<long long>(lines.size()), 2 + 2 * records);
  long long firstWrong = -1;
  for (long long i = 1; i <= records && firstWrong < 0; ++i) {
    if (lines[2 * i] != "last\t" + std::to_string(i) || lines[2 * i + 1] != "time\tt" + std::to_string(i))
      firstWrong = i;
  }
  EXPECT_EQ(firstWrong, -1) << "ddewatch, record " << firstWrong << ": " << lines[2 * firstWrong];
  for (SoakClient* client : {&link, &raw}) {
    const SoakReport& r = client->Report();
    EXPECT_EQ((*r.done)[0], records);
    EXPECT_EQ((*r.done)[1], 0) << (r.problems.empty() ? "" : r.problems[0]);
  }

  if (OwnPath()) {
    std::optional<size_t> serverAfter = server_.Headroom();
    ASSERT_TRUE(serverAfter);
    EXPECT_LE(static_cast<long long>(*serverBefore) - static_cast<long long>(*serverAfter), kHeadroomSlack);
    EXPECT_LE(*watch.Headroom("at start") - watch.Headroom("at end").value_or(0), kHeadroomSlack) << watch.Errors();
    for (SoakClient* client : {&link, &raw})
      EXPECT_LE(*client->Report().readyHeadroom - (*client->Report().done)[2], kHeadroomSlack);
  }

  // The session goes on: a request gets the current value, a new link the next change, and pokes
  // and executes are still refused.
  std::unique_ptr<DdeClient> after = std::make_unique<DdeClient>();
  std::wstring error;
  ASSERT_TRUE(after->Connect(L"Tickvane", L"playback", &error)) << ToUtf8(error);
  EXPECT_EQ(after->Request(L"last"), std::optional<std::string>(std::to_string(records)));
  ASSERT_TRUE(after->StartAdvise(L"last"));
  ASSERT_TRUE(server_.Set(L"last", L"next"));
  ASSERT_TRUE(WaitUntil([&] { return after->PendingUpdates() != 0; }));
  std::deque<DdeUpdate> updates = after->TakeUpdates();
  EXPECT_EQ(updates.front().value, "next");
  EXPECT_FALSE(after->Poke(L"last", "999"));
  EXPECT_FALSE(after->Execute(L"[Pause]"));
  EXPECT_EQ(after->Request(L"last"), std::optional<std::string>("next"));
}

// The server's own path for a day's worth of ticks; DDEML's own path below the point where it
// runs out under Wine.
INSTANTIATE_TEST_SUITE_P(Paths, DdeLongRunTest,
                         ::testing::Values(LongRun{false, 200000}, LongRun{true, 12000}),
                         [](const auto& info) { return std::string(info.param.ddeml ? "Ddeml" : "Own"); });

class DdeRequestRunTest : public DdeLongRunTest {};

TEST_P(DdeRequestRunTest, EveryRequestIsAnsweredWithTheCurrentValue) {
  const long long requests = GetParam().records;
  ASSERT_TRUE(server_.Set(L"last", L"182.25"));
  std::optional<size_t> serverBefore = server_.Headroom();
  ASSERT_TRUE(serverBefore);
  SoakClient client;
  ASSERT_TRUE(client.Start(L"request Tickvane playback last " + std::to_wstring(requests) + L" 182.25"));
  ASSERT_TRUE(WaitUntil([&] { return client.Report().done.has_value(); }, 1200000)) << client.Report().got;
  const SoakReport& r = client.Report();
  EXPECT_EQ((*r.done)[0], requests);
  EXPECT_EQ((*r.done)[1], 0) << (r.problems.empty() ? "" : r.problems[0]);
  if (OwnPath()) {
    std::optional<size_t> serverAfter = server_.Headroom();
    ASSERT_TRUE(serverAfter);
    EXPECT_LE(static_cast<long long>(*serverBefore) - static_cast<long long>(*serverAfter), kHeadroomSlack);
    EXPECT_LE(*r.readyHeadroom - (*r.done)[2], kHeadroomSlack);
  }
  ASSERT_TRUE(server_.Set(L"last", L"183"));
  std::unique_ptr<DdeClient> after = std::make_unique<DdeClient>();
  std::wstring error;
  ASSERT_TRUE(after->Connect(L"Tickvane", L"playback", &error)) << ToUtf8(error);
  EXPECT_EQ(after->Request(L"last"), std::optional<std::string>("183"));
}

INSTANTIATE_TEST_SUITE_P(Paths, DdeRequestRunTest,
                         ::testing::Values(LongRun{false, 100000}, LongRun{true, 10000}),
                         [](const auto& info) { return std::string(info.param.ddeml ? "Ddeml" : "Own"); });

}  // namespace
}  // namespace tickvane::testing
