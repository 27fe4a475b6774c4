// zavovq.dll driven through the station's own caller, as a replay drives it; the chart files are
// read back with chartdump.
#include <windows.h>

#include <gtest/gtest.h>

#include "common/win_owners.h"
#include "common/win_text.h"
#include "station/engine/chart_writer_com.h"
#include "station/engine/chart_writer_session.h"
#include "tests/windows/component/component_fixture.h"

namespace tickvane::test {
namespace {

const std::string kHeaderLine = "# SCID chart file: header 56 bytes, record 40 bytes, version 1\n";

class ChartWriterTest : public ComponentTest {
 protected:
  std::unique_ptr<ChartWriterFactory> factory_ = MakeComChartWriterFactory();

  std::unique_ptr<ChartWriter> Writer() {
    WriterCreation c = factory_->Create();
    EXPECT_TRUE(c.writer) << c.error;
    return std::move(c.writer);
  }
  std::string Dump(const std::string& name) {
    ProcessResult r = ChartDump(FromUtf8(name));
    EXPECT_EQ(r.exitCode, 0u) << r.output;
    return r.output;
  }
};

TEST_F(ChartWriterTest, ReplayWritesHeaderRecordsAndBatchesInCallOrder) {
  const std::string name = ChartName("test-replay.mnd");
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
  EXPECT_EQ(writer.writerState().Text(), "4");
}

TEST_F(ChartWriterTest, StartingKeepsTheFileThatWasThereAsBak) {
  const std::string name = ChartName("test-backup.mnd");
  WriteFileBytes(ChartPath(name), "a user's own file");
  auto writer = Writer();
  ASSERT_TRUE(writer->writing_header(name).ok);
  EXPECT_EQ(ReadFileBytes(ChartPath(name) + L".bak"), "a user's own file");
  EXPECT_EQ(ReadFileBytes(ChartPath(name)).size(), 56u);
  // The next start replaces the older .bak with the chart of this one.
  ASSERT_TRUE(writer->writing_data("20131008", "1", "93003", WriterValue(), name).ok);
  const std::string chart = ReadFileBytes(ChartPath(name));
  ASSERT_TRUE(writer->writing_header(name).ok);
  EXPECT_EQ(ReadFileBytes(ChartPath(name) + L".bak"), chart);
}

TEST_F(ChartWriterTest, AppendingWithoutAHeaderStartsTheFileWithOne) {
  const std::string name = ChartName("test-noheader.mnd");
  auto writer = Writer();
  WriterResult r = writer->writing_data("20131008", "182.5", "93003", WriterValue(), name);
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.value.Text(), "1");
  EXPECT_EQ(Dump(name), kHeaderLine + "20131008 093003 182.50 1\n# 1 records\n");
}

TEST_F(ChartWriterTest, FilesThatAreNoWholeChartAreLeftAlone) {
  const std::string name = ChartName("test-foreign.mnd");
  auto writer = Writer();
  for (const std::string& bytes : {std::string("a user's own text file, long enough to pass for a header........")}) {
    WriteFileBytes(ChartPath(name), bytes);
    WriterResult r = writer->writing_data("20131008", "1", "93003", WriterValue(), name);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.error.find("not a chart file"), std::string::npos) << r.error;
    EXPECT_EQ(ReadFileBytes(ChartPath(name)), bytes);
  }
  // A torn record at the end (left by something else) is not built on either.
  ASSERT_TRUE(writer->writing_header(name).ok);
  std::string torn = ReadFileBytes(ChartPath(name)) + std::string(17, '\0');
  WriteFileBytes(ChartPath(name), torn);
  WriterResult r = writer->writing_data("20131008", "1", "93003", WriterValue(), name);
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.error.find("inside a record"), std::string::npos) << r.error;
  EXPECT_EQ(ReadFileBytes(ChartPath(name)), torn);
}

TEST_F(ChartWriterTest, BadFileNamesAreRefusedAndNothingIsWrittenElsewhere) {
  auto writer = Writer();
  const std::string outside = "test-outside.mnd";
  const std::wstring outsidePath = BinDirectory() + L"\\..\\" + FromUtf8(outside);
  ::DeleteFileW(outsidePath.c_str());
  for (const std::string& name : {"..\\" + outside, "../" + outside, "C:\\" + outside, std::string("tests\\x.mnd"),
                                  std::string("NUL"), std::string("zavovq.dll"), std::string("x.mnd:stream"),
                                  std::string("")}) {
    for (WriterResult r : {writer->writing_header(name), writer->writing_data("20131008", "1", "93003", {}, name),
                           writer->writing_data_forward(",1", ",1", ",1", {}, name)}) {
      EXPECT_FALSE(r.ok) << name;
      EXPECT_NE(r.error.find("refused"), std::string::npos) << name << ": " << r.error;
    }
  }
  EXPECT_FALSE(FileExists(outsidePath));
  EXPECT_FALSE(FileExists(L"C:\\" + FromUtf8(outside)));
  EXPECT_TRUE(FileExists(ComponentPath()));
}

TEST_F(ChartWriterTest, BadFileNameAtStartIsReportedOnceNamingTheMethod) {
  ReplayChartWriter writer(*factory_);
  auto message = writer.Start("..\\test-outside.mnd");
  ASSERT_TRUE(message);
  EXPECT_NE(message->find("writing_header"), std::string::npos) << *message;
  EXPECT_NE(message->find("refused"), std::string::npos) << *message;
  EXPECT_EQ(writer.WriteRecord("20131008", "1", "93003", "..\\test-outside.mnd"), std::nullopt);
}

TEST_F(ChartWriterTest, ListsOfDifferentLengthsWriteNothing) {
  const std::string name = ChartName("test-lengths.mnd");
  auto writer = Writer();
  ASSERT_TRUE(writer->writing_header(name).ok);
  ASSERT_TRUE(writer->writing_data("20131008", "1", "93003", {}, name).ok);
  const std::string before = ReadFileBytes(ChartPath(name));
  WriterResult r = writer->writing_data_forward(",20131008,20131008", ",1", ",93004,93005", {}, name);
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.error.find("differ"), std::string::npos) << r.error;
  EXPECT_EQ(ReadFileBytes(ChartPath(name)), before);
}

TEST_F(ChartWriterTest, LargeBatchArrivesWhole) {
  const std::string name = ChartName("test-large.mnd");
  constexpr int kTicks = 100000;
  std::string dates, prices, times;
  for (int i = 0; i < kTicks; ++i) {
    const int second = i % 86400;
    dates += ",20131008";
    prices += "," + std::to_string(100 + i % 1000) + ".25";
    times += "," + std::to_string(second / 3600 * 10000 + second / 60 % 60 * 100 + second % 60);
  }
  auto writer = Writer();
  ASSERT_TRUE(writer->writing_header(name).ok);
  WriterResult r = writer->writing_data_forward(dates, prices, times, {}, name);
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.value.Text(), std::to_string(kTicks));
  EXPECT_EQ(ReadFileBytes(ChartPath(name)).size(), 56u + 40u * kTicks);
  const std::string dump = Dump(name);
  EXPECT_EQ(dump.find(kHeaderLine + "20131008 000000 100.25 1\n20131008 000001 101.25 1\n"), 0u);
  EXPECT_NE(dump.find("20131008 034639 1099.25 1\n# 100000 records\n"), std::string::npos)
      << dump.substr(dump.size() - 200);
}

TEST_F(ChartWriterTest, SierraChartMayHoldTheFileOpenWhileWeWrite) {
  const std::string name = ChartName("test-shared.mnd");
  auto writer = Writer();
  ASSERT_TRUE(writer->writing_header(name).ok);
  UniqueFile reader(::CreateFileW(ChartPath(name).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(reader);
  WriterResult r = writer->writing_data("20131008", "1", "93003", {}, name);
  ASSERT_TRUE(r.ok) << r.error;
  // What the reader sees is whole the moment the call has returned.
  LARGE_INTEGER size;
  ASSERT_TRUE(::GetFileSizeEx(reader.get(), &size));
  EXPECT_EQ(size.QuadPart, 96);
}

struct AddTimeCase {
  const char *from, *minutes, *to;
};

class AddTimeTest : public ComponentTest, public testing::WithParamInterface<AddTimeCase> {};

TEST_P(AddTimeTest, ForwardTargetComesFromAnInstanceOfItsOwn) {
  auto factory = MakeComChartWriterFactory();
  ForwardTarget target = AskForwardTarget(*factory, GetParam().from, GetParam().minutes);
  EXPECT_EQ(target.message, std::nullopt);
  EXPECT_EQ(target.toTime.Text(), GetParam().to);
}

INSTANTIATE_TEST_SUITE_P(Times, AddTimeTest,
                         testing::Values(AddTimeCase{"93015", "9", "93915"}, AddTimeCase{"95500", "9", "100400"},
                                         AddTimeCase{"235500", "9", "240000"}, AddTimeCase{"93015", "1.5", "93145"},
                                         AddTimeCase{"time", "9", "0"}, AddTimeCase{"93015", "", "0"}));

}  // namespace
}  // namespace tickvane::test
