// zavovq.dll driven through the station's own caller, as a replay drives it; the chart files are
// read back with chartdump.
#include <windows.h>

#include <gtest/gtest.h>

#include "common/handle_owners_win.h"
#include "common/win_text_win.h"
#include "station/platform/chart_writer_com_win.h"
#include "station/engine/chart_writer_session.h"
#include "tests/windows/component/component_fixture.h"

namespace tickvane::test {
namespace {

const std::string kHeaderLine = "# SCID chart file: header 56 bytes, record 40 bytes, version 1\n";

class ChartWriterTest : public ComponentTest {
 protected:
  std::string Dump(const std::wstring& name) {
    ProcessResult r = ChartDump(name);
    EXPECT_EQ(r.exitCode, 0u) << r.output;
    return r.output;
  }
};

TEST_F(ChartWriterTest, ReplayWritesHeaderRecordsAndBatchesInCallOrder) {
  const std::wstring name = ChartName(L"test-replay.mnd");
  ReplayChartWriter writer(*factory_);
  ASSERT_EQ(writer.Start(name), std::nullopt);
  EXPECT_EQ(Dump(name), kHeaderLine + "# 0 records\n");
  ASSERT_EQ(writer.WriteRecord("20131008", "182.50", "93003", name), std::nullopt);
  ASSERT_EQ(writer.WriteBatch(",20131008,20131008", ",182.75,183", ",93004,93005", name), std::nullopt);
  // A price that is no number cannot be placed on a chart: that tick is left out.
  ASSERT_EQ(writer.WriteRecord("20131008", "abc", "93006", name), std::nullopt);
  ASSERT_EQ(writer.WriteRecord("20131008", "183.25", "93007", name), std::nullopt);
  EXPECT_EQ(Dump(name), kHeaderLine +
                            "20131008 093003 182.50 1\n"
                            "20131008 093004 182.75 1\n"
                            "20131008 093005 183.00 1\n"
                            "20131008 093007 183.25 1\n"
                            "# 4 records\n");
  EXPECT_EQ(writer.writerState(), L"4");
}

TEST_F(ChartWriterTest, StartingKeepsTheFileThatWasThereAsBak) {
  const std::wstring name = ChartName(L"test-backup.mnd");
  WriteFileBytes(ChartPath(name), "a user's own file");
  auto writer = Writer();
  ASSERT_TRUE(writer->writing_header(name).ok);
  EXPECT_EQ(ReadFileBytes(ChartPath(name) + L".bak"), "a user's own file");
  EXPECT_EQ(ReadFileBytes(ChartPath(name)).size(), 56u);
  // The next start replaces the older .bak with the chart of this one.
  ASSERT_TRUE(writer->writing_data("20131008", "1", "93003", name).ok);
  const std::string chart = ReadFileBytes(ChartPath(name));
  ASSERT_TRUE(writer->writing_header(name).ok);
  EXPECT_EQ(ReadFileBytes(ChartPath(name) + L".bak"), chart);
}

TEST_F(ChartWriterTest, AppendingWithoutAHeaderStartsTheFileWithOne) {
  const std::wstring name = ChartName(L"test-noheader.mnd");
  auto writer = Writer();
  WriterResult r = writer->writing_data("20131008", "182.5", "93003", name);
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(writer->WriterStateText(), L"1") << "the number of records, handed back as writerState";
  EXPECT_EQ(Dump(name), kHeaderLine + "20131008 093003 182.50 1\n# 1 records\n");
}

TEST_F(ChartWriterTest, FilesThatAreNoWholeChartAreLeftAlone) {
  const std::wstring name = ChartName(L"test-foreign.mnd");
  auto writer = Writer();
  for (const std::string& bytes : {std::string("a user's own text file, long enough to pass for a header........")}) {
    WriteFileBytes(ChartPath(name), bytes);
    WriterResult r = writer->writing_data("20131008", "1", "93003", name);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.error.find(L"not a chart file"), std::wstring::npos) << r.error;
    EXPECT_EQ(ReadFileBytes(ChartPath(name)), bytes);
  }
  // A torn record at the end (left by something else) is not built on either.
  ASSERT_TRUE(writer->writing_header(name).ok);
  std::string torn = ReadFileBytes(ChartPath(name)) + std::string(17, '\0');
  WriteFileBytes(ChartPath(name), torn);
  WriterResult r = writer->writing_data("20131008", "1", "93003", name);
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.error.find(L"inside a record"), std::wstring::npos) << r.error;
  EXPECT_EQ(ReadFileBytes(ChartPath(name)), torn);
}

TEST_F(ChartWriterTest, BadFileNamesAreRefusedAndNothingIsWrittenElsewhere) {
  auto writer = Writer();
  const std::wstring outside = L"test-outside.mnd";
  const std::wstring outsidePath = BinDirectory() + L"\\..\\" + outside;
  ::DeleteFileW(outsidePath.c_str());
  for (const std::wstring& name : {L"..\\" + outside, L"../" + outside, L"C:\\" + outside, std::wstring(L"tests\\x.mnd"),
                                   std::wstring(L"NUL"), std::wstring(L"zavovq.dll"), std::wstring(L"x.mnd:stream"),
                                   std::wstring(L"")}) {
    for (WriterResult r : {writer->writing_header(name), writer->writing_data("20131008", "1", "93003", name),
                           writer->writing_data_forward(",1", ",1", ",1", name)}) {
      EXPECT_FALSE(r.ok) << name;
      EXPECT_NE(r.error.find(L"refused"), std::wstring::npos) << name << ": " << r.error;
    }
  }
  EXPECT_FALSE(FileExists(outsidePath));
  EXPECT_FALSE(FileExists(L"C:\\" + outside));
  EXPECT_TRUE(FileExists(ComponentPath()));
}

TEST_F(ChartWriterTest, BadFileNameAtStartIsReportedOnceNamingTheMethod) {
  ReplayChartWriter writer(*factory_);
  auto message = writer.Start(L"..\\test-outside.mnd");
  ASSERT_TRUE(message);
  EXPECT_NE(message->find(L"writing_header"), std::wstring::npos) << *message;
  EXPECT_NE(message->find(L"refused"), std::wstring::npos) << *message;
  EXPECT_EQ(writer.WriteRecord("20131008", "1", "93003", L"..\\test-outside.mnd"), std::nullopt);
}

TEST_F(ChartWriterTest, ListsOfDifferentLengthsWriteNothing) {
  const std::wstring name = ChartName(L"test-lengths.mnd");
  auto writer = WriterWithOneTick(name);
  ASSERT_TRUE(writer);
  const std::string before = ReadFileBytes(ChartPath(name));
  WriterResult r = writer->writing_data_forward(",20131008,20131008", ",1", ",93004,93005", name);
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.error.find(L"differ"), std::wstring::npos) << r.error;
  EXPECT_EQ(ReadFileBytes(ChartPath(name)), before);
}

TEST_F(ChartWriterTest, LargeBatchArrivesWhole) {
  const std::wstring name = ChartName(L"test-large.mnd");
  constexpr int kTicks = 100000;
  std::string dates, prices, times;
  for (int i = 0; i < kTicks; ++i) {
    const int second = i % 86400;
    dates += ",20131008";
    prices += ',';
    prices += std::to_string(100 + i % 1000) + ".25";
    times += ',';
    times += std::to_string(second / 3600 * 10000 + second / 60 % 60 * 100 + second % 60);
  }
  auto writer = Writer();
  ASSERT_TRUE(writer->writing_header(name).ok);
  WriterResult r = writer->writing_data_forward(dates, prices, times, name);
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(writer->WriterStateText(), std::to_wstring(kTicks));
  EXPECT_EQ(ReadFileBytes(ChartPath(name)).size(), 56u + 40u * kTicks);
  const std::string dump = Dump(name);
  EXPECT_EQ(dump.find(kHeaderLine + "20131008 000000 100.25 1\n20131008 000001 101.25 1\n"), 0u);
  EXPECT_NE(dump.find("20131008 034639 1099.25 1\n# 100000 records\n"), std::string::npos)
      << dump.substr(dump.size() - 200);
}

TEST_F(ChartWriterTest, SierraChartMayHoldTheFileOpenWhileWeWrite) {
  const std::wstring name = ChartName(L"test-shared.mnd");
  auto writer = Writer();
  ASSERT_TRUE(writer->writing_header(name).ok);
  UniqueFile reader(::CreateFileW(ChartPath(name).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(reader);
  WriterResult r = writer->writing_data("20131008", "1", "93003", name);
  ASSERT_TRUE(r.ok) << r.error;
  // What the reader sees is whole the moment the call has returned.
  LARGE_INTEGER size;
  ASSERT_TRUE(::GetFileSizeEx(reader.get(), &size));
  EXPECT_EQ(size.QuadPart, 96);
}

struct AddTimeCase {
  const wchar_t *from, *minutes, *to;
};

class AddTimeTest : public ComponentTest, public testing::WithParamInterface<AddTimeCase> {};

TEST_P(AddTimeTest, ForwardTargetComesFromAnInstanceOfItsOwn) {
  auto factory = MakeComChartWriterFactory();
  ForwardTarget target = AskForwardTarget(*factory, GetParam().from, GetParam().minutes);
  EXPECT_EQ(target.message, std::nullopt);
  EXPECT_EQ(target.toTime.Text(), GetParam().to);
}

INSTANTIATE_TEST_SUITE_P(Times, AddTimeTest,
                         testing::Values(AddTimeCase{L"93015", L"9", L"93915"}, AddTimeCase{L"95500", L"9", L"100400"},
                                         AddTimeCase{L"235500", L"9", L"240000"},
                                         AddTimeCase{L"93015", L"1.5", L"93145"}, AddTimeCase{L"time", L"9", L"0"},
                                         AddTimeCase{L"93015", L"", L"0"}));

}  // namespace
}  // namespace tickvane::test
