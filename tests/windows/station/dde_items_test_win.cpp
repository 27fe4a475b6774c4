// The station as a DDE source, seen from a client: its items, hot links, the topic and refusals.
#include <gtest/gtest.h>

#include <string>

#include "tests/windows/station/station_fixture_win.h"
#include "tools/ddewatch/dde_client_win.h"

namespace tickvane::test {
namespace {

class StationDde : public StationTest {
 protected:
  void StartAndConnect(const std::wstring& arguments = L"ddeonly") {
    StartStation(arguments);
    if (arguments == L"ddeonly") {
      ASSERT_TRUE(WaitForMainWindow());
    }
    Connect(client_);
  }
  void Connect(DdeClient& client, const wchar_t* topic = L"playback") {
    std::wstring error;
    bool connected = false;
    // The service appears once start-up has run; keep asking until it answers.
    WaitUntil([&] { return connected = client.Connect(L"Tickvane", topic, &error); });
    ASSERT_TRUE(connected) << std::string(error.begin(), error.end());
  }
  // Waits until the client has received n updates and returns them.
  std::deque<DdeUpdate> Updates(size_t n) {
    std::deque<DdeUpdate> all;
    PumpMessagesUntil([&] {
      for (auto& u : client_.TakeUpdates()) all.push_back(u);
      return all.size() >= n;
    }, 30000);
    return all;
  }
  // What a user does: select the box's text and type over it.
  void Type(HWND edit, std::wstring_view text) {
    DWORD_PTR r = 0;
    ::SendMessageTimeoutW(edit, EM_SETSEL, 0, -1, SMTO_ABORTIFHUNG, 10000, &r);
    for (wchar_t c : text) ::PostMessageW(edit, WM_CHAR, c, 1);
  }

  DdeClient client_;
};

struct ItemCase {
  const wchar_t* item;
  const char* value;
};

class DesignValues : public StationDde, public ::testing::WithParamInterface<ItemCase> {};

TEST_P(DesignValues, RequestAnswersTheControlsText) {
  StartAndConnect();
  auto value = client_.Request(GetParam().item);
  ASSERT_TRUE(value) << "refused: " << std::string(GetParam().item, GetParam().item + wcslen(GetParam().item));
  EXPECT_EQ(*value, GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Items, DesignValues,
    ::testing::Values(ItemCase{L"last", "last"}, ItemCase{L"time", "time"}, ItemCase{L"speed", "2"},
                      ItemCase{L"tick", "1000"}, ItemCase{L"for_min", "9"}, ItemCase{L"vqfilename", "VQ filename"},
                      ItemCase{L"Label3", "Speed"}, ItemCase{L"txtLinkTopic", "playback"}, ItemCase{L"Text1", "zavo"},
                      ItemCase{L"txtLinkItem1", "last"}, ItemCase{L"txtLinkItem2", "time"},
                      ItemCase{L"Label1", "Link Topic"}, ItemCase{L"Label2", "Link Item"},
                      ItemCase{L"Label5", "Tickvane:"}, ItemCase{L"LAST", "last"}));

TEST_F(StationDde, RefusesWhatIsNotAnItem) {
  StartAndConnect();
  for (const wchar_t* item : {L"cmdPause", L"more", L"nosuch", L""}) {
    EXPECT_FALSE(client_.Request(item)) << std::string(item, item + wcslen(item));
    EXPECT_FALSE(client_.StartAdvise(item)) << std::string(item, item + wcslen(item));
  }
  EXPECT_FALSE(client_.RequestData(L"last", CF_UNICODETEXT));
  EXPECT_FALSE(client_.RequestData(L"last", CF_BITMAP));
  EXPECT_FALSE(client_.StartAdvise(L"last", CF_UNICODETEXT));
  EXPECT_FALSE(client_.Poke(L"speed", "5"));
  EXPECT_FALSE(client_.Execute(L"[Start]"));
  // Nothing of that changed the station, and it still answers.
  EXPECT_EQ(TextOf(MainControl(L"speed")), L"2");
  EXPECT_EQ(client_.Request(L"speed"), std::optional<std::string>("2"));
}

TEST_F(StationDde, OnlyThePlaybackTopicIsServed) {
  StartAndConnect();
  DdeClient design;
  std::wstring error;
  EXPECT_FALSE(design.Connect(L"Tickvane", L"LinkTopic", &error)) << "the design topic must be gone after start-up";
  DdeClient other;
  EXPECT_FALSE(other.Connect(L"Tickvane", L"other", &error));
  DdeClient upper;
  EXPECT_TRUE(upper.Connect(L"TICKVANE", L"PLAYBACK", &error)) << "DDE names ignore case";
}

TEST_F(StationDde, TypedTextReachesLinkedClients) {
  StartAndConnect();
  ASSERT_TRUE(client_.StartAdvise(L"speed"));
  ASSERT_TRUE(client_.StartAdvise(L"last"));
  Type(MainControl(L"speed"), L"3");
  auto updates = Updates(1);
  ASSERT_GE(updates.size(), 1u);
  EXPECT_EQ(_wcsicmp(updates.back().item.c_str(), L"speed"), 0);
  EXPECT_EQ(updates.back().value, "3");
  EXPECT_EQ(client_.Request(L"speed"), std::optional<std::string>("3"));

  // The output boxes accept typing too, and clients get what was typed.
  Type(MainControl(L"last"), L"x");
  updates = Updates(1);
  ASSERT_FALSE(updates.empty());
  EXPECT_EQ(updates.back().value, "x");
}

TEST_F(StationDde, EveryChangeArrivesInOrder) {
  StartAndConnect();
  ASSERT_TRUE(client_.StartAdvise(L"speed"));
  ASSERT_TRUE(client_.StartAdvise(L"tick"));
  const int n = 300;
  for (int i = 1; i <= n; ++i) {
    SetTextOf(MainControl(i % 2 ? L"speed" : L"tick"), std::to_wstring(i));
  }
  auto updates = Updates(n);
  ASSERT_EQ(updates.size(), static_cast<size_t>(n));
  for (int i = 1; i <= n; ++i) {
    const DdeUpdate& u = updates[i - 1];
    EXPECT_EQ(_wcsicmp(u.item.c_str(), i % 2 ? L"speed" : L"tick"), 0) << i;
    EXPECT_EQ(u.value, std::to_string(i));
  }
}

TEST_F(StationDde, ThePickedChartFileReachesLinkedClients) {
  StartStation(L"sierra");
  ExpectNotice(L"If you have not done so, please start your SierraCharting program now.");
  ASSERT_TRUE(WaitForChooser());
  Connect(client_);
  EXPECT_EQ(client_.Request(L"vqfilename"), std::optional<std::string>("VQ filename"));
  ASSERT_TRUE(client_.StartAdvise(L"vqfilename"));
  Click(ChooserControl(L"msft"));
  auto updates = Updates(1);
  ASSERT_EQ(updates.size(), 1u);
  EXPECT_EQ(updates[0].value, "msft.mnd");
}

TEST_F(StationDde, ManyClientsComingAndGoing) {
  StartAndConnect();
  for (int i = 0; i < 40; ++i) {
    DdeClient c;
    std::wstring error;
    ASSERT_TRUE(c.Connect(L"Tickvane", L"playback", &error)) << "round " << i;
    if (i % 2) {
      ASSERT_TRUE(c.StartAdvise(L"last"));
    }
    EXPECT_EQ(c.Request(L"time"), std::optional<std::string>("time"));
  }
  ASSERT_TRUE(client_.StartAdvise(L"speed"));
  SetTextOf(MainControl(L"speed"), L"7");
  auto updates = Updates(1);
  ASSERT_EQ(updates.size(), 1u);
  EXPECT_EQ(updates[0].value, "7");
  Click(MainControl(L"status"));
  ExpectNotice(L"You are using DDE Server only. ");
}

}  // namespace
}  // namespace tickvane::test
