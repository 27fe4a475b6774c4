// Requests: what an item holds now, in CF_TEXT only, and refusals that keep the conversation.
#include <gtest/gtest.h>

#include "common/win_text_win.h"
#include "tests/windows/dde/dde_test_fixture.h"

namespace tickvane::testing {
namespace {

struct RequestCase {
  const wchar_t* item;
  const char* expected;
};

TEST_F(DdeServerTest, RequestAnswersEachItemsTextAsNulTerminatedCfText) {
  auto client = Connect();
  ASSERT_TRUE(client);
  const RequestCase cases[] = {
      {L"last", "last"}, {L"time", "time"}, {L"speed", "2"}, {L"vqfilename", "VQ filename"},
      {L"LAST", "last"},  // DDE names compare without regard to case
      {L"VqFileName", "VQ filename"},
  };
  for (const RequestCase& c : cases) {
    SCOPED_TRACE(ToUtf8(c.item));
    std::optional<std::vector<BYTE>> data = client->RequestData(c.item, CF_TEXT);
    ASSERT_TRUE(data) << ToUtf8(client->LastErrorText());
    std::string expected = c.expected;
    ASSERT_GE(data->size(), expected.size() + 1);
    EXPECT_EQ(std::string(data->begin(), data->begin() + static_cast<std::ptrdiff_t>(expected.size())), expected);
    EXPECT_EQ((*data)[expected.size()], 0) << "the value must end with its NUL";
  }
}

TEST_F(DdeServerTest, RequestAnswersTheTextAsItIsNowInTheSystemCodePage) {
  auto client = Connect();
  ASSERT_TRUE(client);
  const std::wstring texts[] = {L"3", L"", L"123.25", L"caf\u00e9 \u00a3 5", L"a\tb\r\nc", std::wstring(3000, L'x')};
  for (const std::wstring& text : texts) {
    SCOPED_TRACE(ToUtf8(text));
    ASSERT_TRUE(server_.Set(L"speed", text));
    std::optional<std::string> value = client->Request(L"speed");
    ASSERT_TRUE(value) << ToUtf8(client->LastErrorText());
    EXPECT_EQ(*value, ToAnsi(text));
  }
}

struct RefusalCase {
  const char* what;
  const wchar_t* item;
  UINT format;
};

TEST_F(DdeServerTest, RequestRefusesUnknownItemsAndOtherFormatsAndGoesOnServing) {
  auto client = Connect();
  ASSERT_TRUE(client);
  const RefusalCase cases[] = {
      {"unknown item", L"nosuch", CF_TEXT},
      {"button name", L"cmdPause", CF_TEXT},
      {"unicode text", L"last", CF_UNICODETEXT},
      {"oem text", L"last", CF_OEMTEXT},
      {"registered format", L"time", ::RegisterClipboardFormatW(L"XlTable")},
  };
  for (const RefusalCase& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_FALSE(client->RequestData(c.item, c.format));
    EXPECT_EQ(client->LastError(), static_cast<UINT>(DMLERR_NOTPROCESSED)) << ToUtf8(client->LastErrorText());
    EXPECT_EQ(client->Request(L"last"), std::optional<std::string>("last"));
  }
}

TEST_F(DdeServerTest, PokesAndExecutesAreRefusedAndChangeNothing) {
  auto client = Connect();
  ASSERT_TRUE(client);
  EXPECT_FALSE(client->Poke(L"last", "99.5"));
  EXPECT_EQ(client->LastError(), static_cast<UINT>(DMLERR_NOTPROCESSED)) << ToUtf8(client->LastErrorText());
  EXPECT_FALSE(client->Poke(L"nosuch", "1"));
  EXPECT_EQ(client->LastError(), static_cast<UINT>(DMLERR_NOTPROCESSED)) << ToUtf8(client->LastErrorText());
  EXPECT_FALSE(client->Execute(L"[Pause]"));
  EXPECT_EQ(client->LastError(), static_cast<UINT>(DMLERR_NOTPROCESSED)) << ToUtf8(client->LastErrorText());
  EXPECT_EQ(client->Request(L"last"), std::optional<std::string>("last"));
}

}  // namespace
}  // namespace tickvane::testing
