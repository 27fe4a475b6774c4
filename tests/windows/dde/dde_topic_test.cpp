// The one topic: "LinkTopic" until the station sets its own, then only that one.
#include <gtest/gtest.h>

#include "common/win_text_win.h"
#include "tests/windows/dde/dde_test_fixture.h"

namespace tickvane::testing {
namespace {

struct ConnectCase {
  const wchar_t* service;
  const wchar_t* topic;
  bool answered;
};

void ExpectConnects(const std::vector<ConnectCase>& cases) {
  for (const ConnectCase& c : cases) {
    SCOPED_TRACE(ToUtf8(c.service) + " / " + ToUtf8(c.topic));
    DdeClient client;
    std::wstring error;
    bool connected = client.Connect(c.service, c.topic, &error);
    EXPECT_EQ(connected, c.answered) << ToUtf8(error);
    if (connected) {
      EXPECT_EQ(client.Request(L"time"), std::optional<std::string>("time"));
    } else {
      EXPECT_EQ(client.LastError(), static_cast<UINT>(DMLERR_NO_CONV_ESTABLISHED));
      // The failure names what was asked, for the user who reads it.
      EXPECT_NE(error.find(c.topic), std::wstring::npos) << ToUtf8(error);
    }
  }
}

TEST_F(DdeServerTest, ServesLinkTopicUntilTheTopicIsSetAndOnlyTheNewTopicAfter) {
  ExpectConnects({{L"Tickvane", L"LinkTopic", true},
                  {L"tickvane", L"LINKTOPIC", true},
                  {L"Tickvane", L"playback", false},
                  {L"Tickvane", L"System", false},
                  {L"Tickvane2", L"LinkTopic", false}});
  ASSERT_TRUE(server_.SetTopic(L"playback"));
  ExpectConnects({{L"Tickvane", L"playback", true},
                  {L"TICKVANE", L"Playback", true},
                  {L"Tickvane", L"LinkTopic", false},
                  {L"Tickvane", L"playback2", false},
                  {L"Portvane", L"playback", false}});
}

TEST_F(DdeServerTest, AConversationOpenedBeforeTheTopicChangeKeepsWorking) {
  auto early = Connect(L"LinkTopic");
  ASSERT_TRUE(early);
  ASSERT_TRUE(early->StartAdvise(L"last"));
  ASSERT_TRUE(server_.SetTopic(L"playback"));
  auto late = Connect(L"playback");
  ASSERT_TRUE(late);
  ASSERT_TRUE(late->StartAdvise(L"last"));

  ASSERT_TRUE(server_.Set(L"last", L"55.25"));
  for (DdeClient* client : {early.get(), late.get()}) {
    ASSERT_TRUE(WaitUntil([&] { return client->PendingUpdates() >= 1; }));
    std::deque<DdeUpdate> got = client->TakeUpdates();
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].value, "55.25");
    EXPECT_EQ(client->Request(L"last"), std::optional<std::string>("55.25"));
  }
}

TEST_F(DdeServerTest, DozensOfConnectsAndDisconnectsLeaveTheServerWorking) {
  for (int i = 0; i < 60; ++i) {
    SCOPED_TRACE(i);
    DdeClient client;
    std::wstring error;
    ASSERT_TRUE(client.Connect(L"Tickvane", L"LinkTopic", &error)) << ToUtf8(error);
    ASSERT_EQ(client.Request(L"speed"), std::optional<std::string>("2"));
    if (i % 2 == 0) {
      // Leave with a link still open: the server must drop it, not keep advising a dead partner.
      ASSERT_TRUE(client.StartAdvise(L"last"));
    }
  }
  ASSERT_TRUE(server_.Set(L"last", L"after churn 1"));
  auto client = Connect();
  ASSERT_TRUE(client);
  ASSERT_TRUE(client->StartAdvise(L"last"));
  ASSERT_TRUE(server_.SetAll({{L"last", L"after churn 2"}, {L"last", L"after churn 3"}}));
  ASSERT_TRUE(WaitUntil([&] { return client->PendingUpdates() >= 2; }));
  std::deque<DdeUpdate> got = client->TakeUpdates();
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[0].value, "after churn 2");
  EXPECT_EQ(got[1].value, "after churn 3");
}

}  // namespace
}  // namespace tickvane::testing
