// ddewatch's command line and its one-value-one-line rule.
#include <gtest/gtest.h>

#include "tools/ddewatch/ddewatch_options.h"

namespace tickvane {
namespace {

TEST(DdewatchOptions, ReadsOptionsInEitherFormAndKeepsItemOrder) {
  std::wstring error;
  auto o = ParseWatchArguments({L"--service", L"Other", L"--topic=LinkTopic", L"--timestamps", L"--wait", L"1500",
                                L"--count=3", L"time", L"last", L"--", L"--odd"},
                               &error);
  ASSERT_TRUE(o) << std::string(error.begin(), error.end());
  EXPECT_EQ(o->service, L"Other");
  EXPECT_EQ(o->topic, L"LinkTopic");
  EXPECT_TRUE(o->timestamps);
  EXPECT_FALSE(o->once);
  EXPECT_EQ(o->waitMs, 1500u);
  EXPECT_EQ(o->count, std::optional<uint64_t>(3));
  EXPECT_EQ(o->items, (std::vector<std::wstring>{L"time", L"last", L"--odd"}));

  auto d = ParseWatchArguments({L"last"}, &error);
  ASSERT_TRUE(d);
  EXPECT_EQ(d->service, L"Tickvane");
  EXPECT_EQ(d->topic, L"playback");
  EXPECT_EQ(d->waitMs, 0u);
  EXPECT_FALSE(d->count);
}

TEST(DdewatchOptions, RefusesBadUsage) {
  const std::vector<std::vector<std::wstring>> bad = {
      {},                                    // no item
      {L"--once"},                           // still no item
      {L"--bogus", L"last"},                 // unknown option
      {L"--count", L"0", L"last"},           // nothing to wait for
      {L"--count", L"x", L"last"},           //
      {L"--count", L"-2", L"last"},          //
      {L"--wait", L"", L"last"},             //
      {L"--wait", L"4294967295", L"last"},   // INFINITE is not a duration
      {L"--wait", L"99999999999", L"last"},  // overflow
      {L"last", L"--wait"},                  // value missing
      {L"--service", L"", L"last"},          //
      {L"--once=1", L"last"},                // flag with a value
      {L"--once", L"--count", L"2", L"last"},
      {L""},
  };
  for (const auto& args : bad) {
    std::wstring error;
    EXPECT_FALSE(ParseWatchArguments(args, &error)) << "arguments: " << args.size();
    EXPECT_FALSE(error.empty());
  }
}

TEST(DdewatchOptions, EscapesLineBreaksOnlySoThatOneValueStaysOneLine) {
  EXPECT_EQ(EscapeLineBreaks("12.5"), "12.5");
  EXPECT_EQ(EscapeLineBreaks("a\r\nb\nc\r"), "a\\r\\nb\\nc\\r");
  EXPECT_EQ(EscapeLineBreaks("tab\there \\ back"), "tab\there \\ back");
  EXPECT_EQ(EscapeLineBreaks(""), "");
}

}  // namespace
}  // namespace tickvane
