// A DDE client in a process of its own, linked to `last` and `time` of a server, that checks
// every update it receives against the benchmark's records: record i sends PriceOf(i) on `last`
// and then the masked time on `time`.
#pragma once

#include <cstdint>
#include <string>

#include "tests/windows/support/dde_child_process_win.h"

namespace tickvane::bench {

// The command-line word that makes a benchmark program run as the client.
inline constexpr wchar_t kLinkClientWord[] = L"--link-client";

// The client's side: connects to service|playback, links both items, prints "linked", then
// receives until `records` records have arrived or nothing has come for a while, and prints
// what it got. Returns the process exit code.
int RunLinkClient(const std::wstring& service, std::uint64_t records, const std::string& maskedTime);

struct LinkResult {
  bool finished = false;  // the client ended and said what it received
  std::uint64_t updates = 0;
  std::uint64_t expected = 0;
  bool inOrder = false;
  std::string firstFault;  // the first update that was not the one expected
  std::string output;      // everything the client wrote, for a failure report
};

// The benchmark's side: the same program started as the client.
class LinkClientProcess {
 public:
  // Starts the client and waits until both links are up. On failure returns false with the reason.
  bool Start(const std::wstring& service, std::uint64_t records, const std::string& maskedTime,
             std::wstring* error);
  // Waits for the client to end and report; gives up after timeoutMs.
  LinkResult Finish(unsigned long timeoutMs);

 private:
  testing::DdeChildProcess child_;
};

}  // namespace tickvane::bench
