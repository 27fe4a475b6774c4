// A classic client that speaks WM_DDE_* itself against the DDEML server.
#include <gtest/gtest.h>

#include "common/win_text_win.h"
#include "tests/windows/dde/dde_test_fixture.h"
#include "tests/windows/support/dde_raw_client_win.h"

namespace tickvane::testing {
namespace {

bool SameName(const std::wstring& a, const std::wstring& b) { return ::lstrcmpiW(a.c_str(), b.c_str()) == 0; }

class DdeRawTest : public DdeServerTest {
 protected:
  // The next event from the partner, after those already seen. Wine's DDEML server follows
  // the data that answers a request with a positive acknowledgement of nothing: skipped.
  const DdeRawEvent* Next() {
    for (;;) {
      if (!WaitUntil([&] { return raw_.Events().size() > seen_; })) return nullptr;
      const DdeRawEvent* e = &raw_.Events()[seen_++];
      if (!IsStrayAck(*e)) return e;
    }
  }
  bool NothingMore() const {
    for (size_t i = seen_; i < raw_.Events().size(); ++i)
      if (!IsStrayAck(raw_.Events()[i])) return false;
    return true;
  }
  static bool IsStrayAck(const DdeRawEvent& e) {
    return e.kind == DdeRawKind::Ack && e.about == DdeRawAbout::None && e.positive();
  }

  DdeRawClient raw_;
  size_t seen_ = 0;
};

bool AnswersAsOurServer(const std::vector<DdeRawPartner>& answers, const std::wstring& topic) {
  for (const DdeRawPartner& p : answers)
    if (SameName(p.service, L"Tickvane") && SameName(p.topic, topic)) return true;
  return false;
}

TEST_F(DdeRawTest, InitiateIsAnsweredForTheServiceAndCurrentTopicIncludingWildcards) {
  struct Case {
    const wchar_t* service;
    const wchar_t* topic;
    bool answered;
  };
  const Case beforeSwitch[] = {{L"Tickvane", L"LinkTopic", true}, {L"", L"", true},        {L"Tickvane", L"", true},
                               {L"", L"LinkTopic", true},         {L"", L"playback", false}, {L"Tickvane", L"playback", false},
                               {L"Other", L"", false}};
  for (const Case& c : beforeSwitch) {
    SCOPED_TRACE("before: '" + ToUtf8(c.service) + "' / '" + ToUtf8(c.topic) + "'");
    EXPECT_EQ(AnswersAsOurServer(raw_.Initiate(c.service, c.topic, false), L"LinkTopic"), c.answered);
  }
  ASSERT_TRUE(server_.SetTopic(L"playback"));
  const Case afterSwitch[] = {{L"Tickvane", L"playback", true}, {L"", L"", true}, {L"Tickvane", L"", true},
                              {L"", L"PLAYBACK", true},         {L"", L"LinkTopic", false}};
  for (const Case& c : afterSwitch) {
    SCOPED_TRACE("after: '" + ToUtf8(c.service) + "' / '" + ToUtf8(c.topic) + "'");
    EXPECT_EQ(AnswersAsOurServer(raw_.Initiate(c.service, c.topic, false), L"playback"), c.answered);
  }
  // No answer ever names the topic that is no longer served.
  EXPECT_FALSE(AnswersAsOurServer(raw_.Initiate(L"", L"", false), L"LinkTopic"));
}

TEST_F(DdeRawTest, RequestAdviseUnadvisePokeExecuteTerminate) {
  ASSERT_TRUE(raw_.Connect(L"Tickvane", L"LinkTopic"));

  // Request: the value comes as a response to the request.
  ASSERT_TRUE(raw_.PostRequest(L"time", CF_TEXT));
  const DdeRawEvent* e = Next();
  ASSERT_TRUE(e);
  ASSERT_EQ(e->kind, DdeRawKind::Data);
  EXPECT_TRUE(e->response);
  EXPECT_EQ(e->format, static_cast<UINT>(CF_TEXT));
  EXPECT_TRUE(SameName(e->item, L"time"));
  EXPECT_EQ(e->value, "time");

  // Refused requests: a negative acknowledgement naming the item.
  for (auto [item, format] : {std::pair<const wchar_t*, UINT>{L"nosuch", CF_TEXT}, {L"last", CF_UNICODETEXT}}) {
    SCOPED_TRACE(ToUtf8(item));
    ASSERT_TRUE(raw_.PostRequest(item, format));
    e = Next();
    ASSERT_TRUE(e);
    ASSERT_EQ(e->kind, DdeRawKind::Ack);
    EXPECT_FALSE(e->positive());
    EXPECT_TRUE(SameName(e->item, item));
  }

  // Advise: refused for an unknown item, accepted for a known one, then data per change.
  ASSERT_TRUE(raw_.PostAdvise(L"nosuch", CF_TEXT, false));
  e = Next();
  ASSERT_TRUE(e);
  ASSERT_EQ(e->kind, DdeRawKind::Ack);
  EXPECT_EQ(e->about, DdeRawAbout::Advise);
  EXPECT_FALSE(e->positive());

  ASSERT_TRUE(raw_.PostAdvise(L"last", CF_TEXT, true));
  e = Next();
  ASSERT_TRUE(e);
  ASSERT_EQ(e->kind, DdeRawKind::Ack);
  EXPECT_EQ(e->about, DdeRawAbout::Advise);
  EXPECT_TRUE(e->positive());

  ASSERT_TRUE(server_.SetAll({{L"last", L"10.5"}, {L"time", L"09:30:00"}, {L"last", L"10.75"}}));
  for (const char* expected : {"10.5", "10.75"}) {
    e = Next();
    ASSERT_TRUE(e);
    ASSERT_EQ(e->kind, DdeRawKind::Data);
    EXPECT_FALSE(e->response);
    EXPECT_TRUE(SameName(e->item, L"last"));
    EXPECT_EQ(e->value, expected);
  }

  // Unadvise: acknowledged, and later changes are no longer sent. The answer to the request
  // that follows the change comes after any advise the change caused.
  ASSERT_TRUE(raw_.PostUnadvise(L"last", CF_TEXT));
  e = Next();
  ASSERT_TRUE(e);
  ASSERT_EQ(e->kind, DdeRawKind::Ack);
  EXPECT_EQ(e->about, DdeRawAbout::Unadvise);
  EXPECT_TRUE(e->positive());
  ASSERT_TRUE(server_.Set(L"last", L"11"));
  ASSERT_TRUE(raw_.PostRequest(L"last", CF_TEXT));
  e = Next();
  ASSERT_TRUE(e);
  ASSERT_EQ(e->kind, DdeRawKind::Data);
  EXPECT_TRUE(e->response) << "an advise came after the link was ended";
  EXPECT_EQ(e->value, "11");

  // Poke and execute: refused, and the item keeps its value.
  ASSERT_TRUE(raw_.PostPoke(L"last", "999"));
  e = Next();
  ASSERT_TRUE(e);
  ASSERT_EQ(e->kind, DdeRawKind::Ack);
  EXPECT_EQ(e->about, DdeRawAbout::Poke);
  EXPECT_FALSE(e->positive());
  ASSERT_TRUE(raw_.PostExecute(L"[Pause]"));
  e = Next();
  ASSERT_TRUE(e);
  ASSERT_EQ(e->kind, DdeRawKind::Ack);
  EXPECT_EQ(e->about, DdeRawAbout::Execute);
  EXPECT_FALSE(e->positive());
  ASSERT_TRUE(raw_.PostRequest(L"last", CF_TEXT));
  e = Next();
  ASSERT_TRUE(e);
  EXPECT_EQ(e->value, "11");

  // Terminate: the server answers with its own.
  ASSERT_TRUE(raw_.PostTerminate());
  e = Next();
  ASSERT_TRUE(e);
  EXPECT_EQ(e->kind, DdeRawKind::Terminate);
  EXPECT_TRUE(NothingMore());

  // The server still serves others.
  auto client = Connect();
  ASSERT_TRUE(client);
  EXPECT_EQ(client->Request(L"last"), std::optional<std::string>("11"));
}

TEST_F(DdeRawTest, ManyAdvisesWithoutAcknowledgementsArriveInOrder) {
  ASSERT_TRUE(raw_.Connect(L"Tickvane", L"LinkTopic"));
  ASSERT_TRUE(raw_.PostAdvise(L"last", CF_TEXT, false));
  const DdeRawEvent* e = Next();
  ASSERT_TRUE(e);
  ASSERT_TRUE(e->positive());
  std::vector<ItemChange> changes;
  for (int i = 0; i < 500; ++i) changes.emplace_back(L"last", L"v" + std::to_wstring(i));
  ASSERT_TRUE(server_.SetAll(changes));
  for (int i = 0; i < 500; ++i) {
    e = Next();
    ASSERT_TRUE(e) << i;
    ASSERT_EQ(e->kind, DdeRawKind::Data) << i;
    std::string expected = "v";  // not "v" + ...: GCC 12 warns falsely (-Wrestrict) on that
    expected += std::to_string(i);
    ASSERT_EQ(e->value, expected);
  }
}

}  // namespace
}  // namespace tickvane::testing
