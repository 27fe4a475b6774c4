// A DDE client in a process of its own for the long runs: follows one item over a DDEML hot link
// or a classic WM_DDE_ADVISE link, or requests it over and over, and checks every value.
//   dde_soak_client link|raw SERVICE TOPIC ITEM COUNT      the i-th update must read i (1, 2, ...);
//                                                          raw ... COUNT release: with fRelease set
//   dde_soak_client request SERVICE TOPIC ITEM COUNT VALUE   every answer must read VALUE
// Prints "ready HEADROOM" once linked (or connected), "got N" every 1000 values, the first ten
// problems as "bad N: WHY", and "done N BAD HEADROOM" at the end; HEADROOM is the process's
// movable memory headroom. Exit 0 when all COUNT values were right, 1 otherwise, 64 for usage.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "common/memory_headroom_win.h"
#include "common/win_text_win.h"
#include "tests/windows/support/dde_raw_client_win.h"
#include "tools/ddewatch/dde_client_win.h"

namespace {

using tickvane::ToAnsi;

constexpr DWORD kQuietLimitMs = 120000;  // no value for this long: the run has failed

class Report {
 public:
  void Line(const std::string& text) {
    std::fputs((text + "\n").c_str(), stdout);
    std::fflush(stdout);
  }
  void Ready() { Line("ready " + std::to_string(tickvane::MovableMemoryHeadroom())); }
  void Check(bool good, const std::string& why) {
    ++count_;
    if (!good && ++bad_ <= 10) Line("bad " + std::to_string(count_) + ": " + why);
    if (count_ % 1000 == 0) Line("got " + std::to_string(count_));
  }
  int Done() {
    Line("done " + std::to_string(count_) + " " + std::to_string(bad_) + " " +
         std::to_string(tickvane::MovableMemoryHeadroom()));
    return bad_ == 0 ? 0 : 1;
  }
  unsigned long long count() const { return count_; }

 private:
  unsigned long long count_ = 0, bad_ = 0;
};

int FollowDdeml(const std::wstring& service, const std::wstring& topic, const std::wstring& item,
                unsigned long long total, Report& report) {
  tickvane::DdeClient client;
  std::wstring error;
  if (!client.Connect(service, topic, &error) || !client.StartAdvise(item)) {
    report.Line("bad 0: no link: " + ToAnsi(error.empty() ? client.LastErrorText() : error));
    return report.Done();
  }
  report.Ready();
  while (report.count() < total) {
    bool woke = tickvane::PumpMessagesUntil([&] { return client.PendingUpdates() != 0 || !client.Connected(); },
                                            kQuietLimitMs);
    for (const tickvane::DdeUpdate& u : client.TakeUpdates()) {
      const std::string expected = std::to_string(report.count() + 1);
      report.Check(u.value == expected, "\"" + u.value + "\" where " + expected + " was due");
    }
    if (!woke || !client.Connected()) break;
  }
  return report.Done();
}

int FollowRaw(const std::wstring& service, const std::wstring& topic, const std::wstring& item,
              unsigned long long total, bool wantRelease, Report& report) {
  tickvane::testing::DdeRawClient raw;
  if (!raw.Connect(service, topic) || !raw.PostAdvise(item, CF_TEXT, false)) {
    report.Line("bad 0: no conversation");
    return report.Done();
  }
  bool linked = false;
  ULONGLONG lastValue = ::GetTickCount64();
  while (report.count() < total && ::GetTickCount64() - lastValue < kQuietLimitMs) {
    tickvane::PumpMessagesUntil([&] { return !raw.Events().empty(); }, 1000);
    for (const tickvane::testing::DdeRawEvent& e : raw.TakeEvents()) {
      if (e.kind == tickvane::testing::DdeRawKind::Ack && !linked) {
        if (!e.positive()) {
          report.Line("bad 0: the advise was refused");
          return report.Done();
        }
        linked = true;
        report.Ready();
        continue;
      }
      if (e.kind != tickvane::testing::DdeRawKind::Data) continue;
      lastValue = ::GetTickCount64();
      const std::string expected = std::to_string(report.count() + 1);
      std::string why;
      if (e.value != expected) why += "\"" + e.value + "\" where " + expected + " was due; ";
      if (wantRelease && !e.release) why += "fRelease clear; ";
      if (e.ackReq) why += "fAckReq set; ";
      if (e.format != CF_TEXT) why += "format " + std::to_string(e.format) + "; ";
      report.Check(why.empty(), why);
    }
  }
  raw.PostTerminate();
  return report.Done();
}

int Request(const std::wstring& service, const std::wstring& topic, const std::wstring& item,
            unsigned long long total, const std::string& value, Report& report) {
  tickvane::DdeClient client;
  std::wstring error;
  if (!client.Connect(service, topic, &error)) {
    report.Line("bad 0: no conversation: " + ToAnsi(error));
    return report.Done();
  }
  report.Ready();
  while (report.count() < total) {
    std::optional<std::string> answer = client.Request(item);
    report.Check(answer == value, answer ? "\"" + *answer + "\"" : "no answer: " + ToAnsi(client.LastErrorText()));
    if (!client.Connected()) break;
  }
  return report.Done();
}

}  // namespace

int main() {
  const std::vector<std::wstring> args = tickvane::ProgramArguments();
  if (args.size() < 5) return 64;
  const std::wstring& mode = args[0];
  const unsigned long long total = std::stoull(args[4]);
  Report report;
  if (mode == L"link") return FollowDdeml(args[1], args[2], args[3], total, report);
  if (mode == L"raw") {
    const bool wantRelease = args.size() == 6 && args[5] == L"release";
    return FollowRaw(args[1], args[2], args[3], total, wantRelease, report);
  }
  if (mode == L"request" && args.size() == 6) return Request(args[1], args[2], args[3], total, ToAnsi(args[5]), report);
  return 64;
}
