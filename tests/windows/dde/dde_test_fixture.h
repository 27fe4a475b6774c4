// A DDE test server per test, and DDEML clients connected to it.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "tests/windows/dde/test_server_control_win.h"
#include "common/win_text_win.h"
#include "tools/ddewatch/dde_client_win.h"

namespace tickvane::testing {

class DdeServerTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(server_.Start()); }

  // A client with a conversation on the topic, or nothing (and a test failure).
  std::unique_ptr<DdeClient> Connect(const std::wstring& topic = L"LinkTopic") {
    auto client = std::make_unique<DdeClient>();
    std::wstring error;
    bool ok = client->Connect(L"Tickvane", topic, &error);
    EXPECT_TRUE(ok) << ToUtf8(error);
    return ok ? std::move(client) : nullptr;
  }

  TestServer server_;
};

}  // namespace tickvane::testing
