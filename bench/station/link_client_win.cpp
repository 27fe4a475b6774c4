#include "bench/station/link_client_win.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "bench/station/bench_records.h"
#include "common/win_text_win.h"
#include "tests/windows/support/programs_win.h"
#include "tools/ddewatch/dde_client_win.h"

namespace tickvane::bench {

namespace {

// After the last update the client waits this long for more before it reports: the server
// may be behind in posting, but not by this much.
constexpr ULONGLONG kQuietMs = 20000;
// Before the first update: the server's replay may take a while to start.
constexpr ULONGLONG kFirstUpdateMs = 300000;

class UpdateCheck {
 public:
  UpdateCheck(std::uint64_t records, std::string maskedTime) : records_(records), time_(std::move(maskedTime)) {}

  void Take(const DdeUpdate& update) {
    const bool price = received_ % 2 == 0;
    const std::uint64_t record = received_ / 2;
    std::string item = ToUtf8(update.item);
    for (char& c : item) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    const bool right = price ? item == "last" && update.value == PriceOf(record)
                             : item == "time" && update.value == time_;
    if (!right && fault_.empty()) {
      fault_ = "update " + std::to_string(received_) + " was " + item + "=" + update.value + ", expected " +
               (price ? "last=" + PriceOf(record) : "time=" + time_);
    }
    ++received_;
  }
  bool Complete() const { return received_ >= 2 * records_; }
  std::uint64_t Received() const { return received_; }
  std::uint64_t Expected() const { return 2 * records_; }
  const std::string& Fault() const { return fault_; }

 private:
  std::uint64_t records_;
  std::string time_;
  std::uint64_t received_ = 0;
  std::string fault_;
};

}  // namespace

int RunLinkClient(const std::wstring& service, std::uint64_t records, const std::string& maskedTime) {
  DdeClient client;
  std::wstring error;
  const bool connected = test::WaitUntil([&] { return client.Connect(service, L"playback", &error); }, 60000);
  if (!connected || !client.StartAdvise(L"last") || !client.StartAdvise(L"time")) {
    std::printf("failed: %s %s\n", ToUtf8(error).c_str(), ToUtf8(client.LastErrorText()).c_str());
    return 2;
  }
  std::printf("linked\n");
  std::fflush(stdout);

  UpdateCheck check(records, maskedTime);
  ULONGLONG lastArrival = 0;
  const ULONGLONG linkedAt = ::GetTickCount64();
  for (;;) {
    PumpMessagesUntil([&] { return client.PendingUpdates() >= 256; }, 200);
    auto updates = client.TakeUpdates();
    if (!updates.empty()) lastArrival = ::GetTickCount64();
    for (const DdeUpdate& update : updates) check.Take(update);
    if (check.Complete()) break;
    const ULONGLONG now = ::GetTickCount64();
    if (lastArrival ? now - lastArrival > kQuietMs : now - linkedAt > kFirstUpdateMs) break;
  }
  std::printf("received %llu of %llu\n", static_cast<unsigned long long>(check.Received()),
              static_cast<unsigned long long>(check.Expected()));
  std::printf("fault %s\n", check.Fault().c_str());
  std::fflush(stdout);
  return 0;
}

bool LinkClientProcess::Start(const std::wstring& service, std::uint64_t records, const std::string& maskedTime,
                              std::wstring* error) {
  const std::wstring arguments = std::wstring(kLinkClientWord) + L" " + service + L" " + std::to_wstring(records) +
                                 L" " + FromUtf8(maskedTime);
  if (!child_.Start(ProgramPath(), arguments, true, error)) return false;
  const bool linked = test::WaitUntil([&] {
    return child_.Output().find("linked") != std::string::npos || !child_.Running();
  }, 60000);
  if (!linked || child_.Output().find("linked") == std::string::npos) {
    *error = L"the client did not link to last and time: " + FromUtf8(child_.Output());
    return false;
  }
  return true;
}

LinkResult LinkClientProcess::Finish(unsigned long timeoutMs) {
  LinkResult result;
  // Pumps this thread's messages meanwhile: a server in this process keeps answering its client.
  result.finished = test::WaitUntil([&] { return !child_.Running(); }, timeoutMs);
  // The reader threads may still be copying the last lines out of the pipe.
  test::WaitUntil([&] { return child_.Output().find("fault") != std::string::npos; }, 5000);
  result.output = child_.Output();
  unsigned long long got = 0, expected = 0;
  const size_t at = result.output.find("received ");
  if (at == std::string::npos ||
      std::sscanf(result.output.c_str() + at, "received %llu of %llu", &got, &expected) != 2) {
    result.finished = false;
    return result;
  }
  result.updates = got;
  result.expected = expected;
  const size_t fault = result.output.find("fault ");
  if (fault != std::string::npos) {
    result.firstFault = result.output.substr(fault + 6);
    while (!result.firstFault.empty() && (result.firstFault.back() == '\n' || result.firstFault.back() == '\r'))
      result.firstFault.pop_back();
  }
  result.inOrder = result.firstFault.empty() && got == expected;
  return result;
}

}  // namespace tickvane::bench
