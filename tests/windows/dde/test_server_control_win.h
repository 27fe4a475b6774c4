// Starts the DDE test server program and drives it.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "tests/windows/dde/test_server_protocol.h"
#include "tests/windows/support/dde_child_process_win.h"

namespace tickvane::testing {

// Waits for a condition while this thread's messages (and so DDEML's callbacks) keep moving.
inline constexpr DWORD kPatienceMs = 30000;
bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs = kPatienceMs);

class TestServer {
 public:
  // ddeml: the server keeps DDEML's own posting under Wine too.
  explicit TestServer(std::wstring service = L"Tickvane", bool ddeml = false)
      : service_(std::move(service)), ddeml_(ddeml) {}
  // Asks the server to quit and waits for it; kills it if it does not.
  ~TestServer();

  // Starts the program and waits until its service is registered.
  ::testing::AssertionResult Start();
  ::testing::AssertionResult Set(const std::wstring& item, const std::wstring& text) {
    return SetAll({{item, text}});
  }
  // Each change is applied and advised in turn; returns once all are.
  ::testing::AssertionResult SetAll(const std::vector<ItemChange>& changes);
  ::testing::AssertionResult SetTopic(const std::wstring& topic);
  ::testing::AssertionResult Quit();
  // The server process's movable memory headroom (common/memory_headroom_win.h).
  std::optional<size_t> Headroom();
  // Quit, then wait for the program to end; its exit code.
  std::optional<DWORD> QuitAndWait();

 private:
  ::testing::AssertionResult Send(TestServerCommand command, const std::wstring& data);

  std::wstring service_;
  bool ddeml_ = false;
  DdeChildProcess process_;
  HWND window_ = nullptr;
};

}  // namespace tickvane::testing
