// Bad recorded tick files: one message naming the file, the line and the problem; nothing
// started, and the older playback file left as it was.
#include <gtest/gtest.h>

#include "tests/windows/converter/converter_fixture_win.h"

namespace tickvane::test {
namespace {

struct BadFile {
  const char* label;
  const char* text;
  const wchar_t* line;     // "Line N:" as the message says it
  const wchar_t* problem;  // a piece of the problem's wording
};

const BadFile kBadFiles[] = {
    {"NoHeader", "20131007,140007,182.50\r\n20131007,140008,182.55\r\n", L"Line 1:", L"no date and no price column"},
    {"ShortLine", "date,time,price\n20131007,140007,182.50\n20131007,140008\n", L"Line 3:",
     L"2 fields, the header names 3"},
    {"BadTime", "date,time,price\n20131007,140007,182.50\n\n20131007,146007,182.50\n", L"Line 4:",
     L"the time \"146007\" is not a time of day"},
    {"BadPrice", "Date;Time;Last\n2013-10-07;14:00:07;182,50\n2013-10-07;14:00:08;n/a\n", L"Line 3:",
     L"the price \"n/a\" is not a number"},
    {"Empty", "", L"Line 1:", L"empty"},
};

class ConverterBadInput : public ConverterTest, public ::testing::WithParamInterface<BadFile> {};

TEST_P(ConverterBadInput, OneMessageNothingStartedOldFileKept) {
  const BadFile& bad = GetParam();
  folder_->WriteFile(L"bad ticks.csv", bad.text);
  std::wstring input = PathOf(L"bad ticks.csv");
  StartConverter(L"ddeonly \"" + input + L"\"");
  auto box = WaitForMessageBox(converter_.Id(), 60000);
  ASSERT_TRUE(box) << "no message";
  EXPECT_EQ(box->title, L"Genvane");
  EXPECT_NE(box->text.find(input), std::wstring::npos) << "the file is not named";
  EXPECT_NE(box->text.find(bad.line), std::wstring::npos) << "the line is not named";
  EXPECT_NE(box->text.find(bad.problem), std::wstring::npos) << std::string(box->text.begin(), box->text.end());
  EXPECT_EQ(box->buttons, std::vector<int>{IDOK});
  EXPECT_TRUE(box->hasIcon);
  if (std::string_view(bad.label) == "BadTime") SaveScreenshot(box->window, ArtifactPath(L"converter-bad-time.bmp"));
  Answer(*box, IDOK);
  DWORD exitCode = 0;
  ASSERT_TRUE(WaitForExit(&exitCode));
  EXPECT_NE(exitCode, 0u);
  ExpectNothingChanged();
}

INSTANTIATE_TEST_SUITE_P(Files, ConverterBadInput, ::testing::ValuesIn(kBadFiles),
                         [](const ::testing::TestParamInfo<BadFile>& info) { return std::string(info.param.label); });

TEST_F(ConverterTest, MissingInputFileIsReportedWithTheSystemsReason) {
  StartConverter(L"sierra \"" + PathOf(L"no such file.csv") + L"\"");
  ASSERT_NO_FATAL_FAILURE(AnswerRefusal({PathOf(L"no such file.csv"), L"(error 2)"}));
  ExpectNothingChanged();
}

TEST_F(ConverterTest, UnknownModeWordIsRefused) {
  StartConverter(L"Sierra \"" + SamplePath() + L"\"");
  ASSERT_NO_FATAL_FAILURE(AnswerRefusal({L"does not understand"}));
  ExpectNothingChanged();
}

}  // namespace
}  // namespace tickvane::test
