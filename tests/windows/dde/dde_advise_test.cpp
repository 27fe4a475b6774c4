// Hot links: every change reaches every linked client, complete and in order.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/win_text_win.h"
#include "tests/windows/dde/dde_test_fixture.h"

namespace tickvane::testing {
namespace {

using Received = std::vector<std::pair<std::string, std::string>>;  // (item, value)

// Waits for count updates, then makes sure nothing more came: a request is answered after
// every advise the server sent before it.
Received Collect(DdeClient& client, size_t count) {
  Received got;
  auto take = [&] {
    for (DdeUpdate& u : client.TakeUpdates()) got.emplace_back(ToAnsi(u.item), std::move(u.value));
    return got.size() >= count;
  };
  WaitUntil(take);
  client.Request(L"last");
  take();
  return got;
}

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(::tolower(static_cast<unsigned char>(c)));
  return s;
}

TEST_F(DdeServerTest, TwoThousandChangesInARowArriveCompleteAndInOrder) {
  auto client = Connect();
  ASSERT_TRUE(client);
  ASSERT_TRUE(client->StartAdvise(L"last")) << ToUtf8(client->LastErrorText());
  std::vector<ItemChange> changes;
  for (int i = 0; i < 2000; ++i) changes.emplace_back(L"last", L"101." + std::to_wstring(i));
  ASSERT_TRUE(server_.SetAll(changes));

  Received got = Collect(*client, changes.size());
  ASSERT_EQ(got.size(), changes.size());
  for (size_t i = 0; i < got.size(); ++i) {
    ASSERT_EQ(Lower(got[i].first), "last") << "update " << i;
    ASSERT_EQ(got[i].second, ToAnsi(changes[i].second)) << "update " << i;
  }
}

TEST_F(DdeServerTest, TwoLinkedItemsKeepTheOrderOfTheirInterleavedChanges) {
  auto client = Connect();
  ASSERT_TRUE(client);
  ASSERT_TRUE(client->StartAdvise(L"last")) << ToUtf8(client->LastErrorText());
  ASSERT_TRUE(client->StartAdvise(L"time")) << ToUtf8(client->LastErrorText());
  // As the replay writes them: a price, then its time; an unlinked item changes in between.
  std::vector<ItemChange> changes;
  Received expected;
  for (int i = 0; i < 600; ++i) {
    std::wstring price = L"12" + std::to_wstring(i % 7) + L"." + std::to_wstring(i);
    std::wstring time = L"09:" + std::to_wstring(10 + i % 50) + L":" + std::to_wstring(i);
    changes.emplace_back(L"last", price);
    expected.emplace_back("last", ToAnsi(price));
    if (i % 5 == 0) changes.emplace_back(L"speed", std::to_wstring(i));
    changes.emplace_back(L"time", time);
    expected.emplace_back("time", ToAnsi(time));
    if (i % 3 == 0) {  // also a price twice in a row
      changes.emplace_back(L"last", price + L"1");
      expected.emplace_back("last", ToAnsi(price + L"1"));
    }
  }
  // Half in one burst, the rest one command at a time.
  size_t half = changes.size() / 2;
  ASSERT_TRUE(server_.SetAll({changes.begin(), changes.begin() + static_cast<std::ptrdiff_t>(half)}));
  for (size_t i = half; i < changes.size(); ++i) ASSERT_TRUE(server_.Set(changes[i].first, changes[i].second));

  Received got = Collect(*client, expected.size());
  ASSERT_EQ(got.size(), expected.size());
  for (size_t i = 0; i < got.size(); ++i) {
    ASSERT_EQ(Lower(got[i].first), expected[i].first) << "update " << i;
    ASSERT_EQ(got[i].second, expected[i].second) << "update " << i;
  }
}

TEST_F(DdeServerTest, EveryLinkedClientGetsEveryChange) {
  auto first = Connect();
  auto second = Connect(L"linktopic");
  auto third = Connect();
  ASSERT_TRUE(first && second && third);
  ASSERT_TRUE(first->StartAdvise(L"last"));
  ASSERT_TRUE(second->StartAdvise(L"LAST"));
  ASSERT_TRUE(third->StartAdvise(L"last"));
  ASSERT_TRUE(third->StartAdvise(L"time"));
  std::vector<ItemChange> changes;
  for (int i = 0; i < 300; ++i) changes.emplace_back(L"last", std::to_wstring(i));
  ASSERT_TRUE(server_.SetAll(changes));
  for (DdeClient* client : {first.get(), second.get(), third.get()}) {
    Received got = Collect(*client, changes.size());
    ASSERT_EQ(got.size(), changes.size());
    for (size_t i = 0; i < got.size(); ++i) ASSERT_EQ(got[i].second, ToAnsi(changes[i].second)) << i;
  }
}

TEST_F(DdeServerTest, AdviseIsRefusedForUnknownItemsAndOtherFormats) {
  auto client = Connect();
  ASSERT_TRUE(client);
  const std::pair<const wchar_t*, UINT> cases[] = {
      {L"nosuch", CF_TEXT}, {L"Forward", CF_TEXT}, {L"last", CF_UNICODETEXT}, {L"time", CF_OEMTEXT}};
  for (const auto& [item, format] : cases) {
    SCOPED_TRACE(ToUtf8(item) + " format " + std::to_string(format));
    EXPECT_FALSE(client->StartAdvise(item, format));
    EXPECT_EQ(client->LastError(), static_cast<UINT>(DMLERR_NOTPROCESSED)) << ToUtf8(client->LastErrorText());
  }
  // The refusals left the conversation able to link.
  ASSERT_TRUE(client->StartAdvise(L"last"));
  ASSERT_TRUE(server_.Set(L"last", L"7.5"));
  Received got = Collect(*client, 1);
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0].second, "7.5");
}

TEST_F(DdeServerTest, ClientsSeeTheConversationEndWhenTheServerQuits) {
  auto client = Connect();
  ASSERT_TRUE(client);
  ASSERT_TRUE(client->StartAdvise(L"last"));
  EXPECT_EQ(server_.QuitAndWait(), std::optional<DWORD>(0));
  EXPECT_TRUE(WaitUntil([&] { return !client->Connected(); }));
}

}  // namespace
}  // namespace tickvane::testing
