// A chart file that Sierra Chart holds open while a replay starts again, and ticks that a chart
// cannot place.
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>

#include "common/handle_owners_win.h"
#include "common/win_text_win.h"
#include "station/platform/chart_writer_com_win.h"
#include "station/engine/chart_writer_session.h"
#include "tests/windows/component/component_fixture.h"
#include "tests/windows/support/dde_child_process_win.h"
#include "tests/windows/support/programs_win.h"
#include "tests/windows/support/scid_reader_win.h"

namespace tickvane::test {
namespace {

using ChartRestartTest = ComponentTest;

std::string ReadThrough(HANDLE file) {
  LARGE_INTEGER size, start{};
  if (!::GetFileSizeEx(file, &size) || !::SetFilePointerEx(file, start, nullptr, FILE_BEGIN)) return "(unreadable)";
  std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
  DWORD read = 0;
  if (!bytes.empty() && !::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr))
    return "(unreadable)";
  bytes.resize(read);
  return bytes;
}

TEST_F(ChartRestartTest, AChartThatHoldsTheFileOpenSeesItBeginAnew) {
  const std::wstring name = ChartName(L"test-held.mnd");
  auto writer = Writer();
  ASSERT_TRUE(writer->writing_header(name).ok);
  ASSERT_TRUE(writer->writing_data_forward(",20131008,20131008,20131008", ",1,2,3", ",93003,93004,93005", name).ok);
  const std::string oldChart = ReadFileBytes(ChartPath(name));
  ASSERT_EQ(oldChart.size(), 56u + 3 * 40u);

  // A process of its own holds the file, as Sierra Chart does; its handle is read from here.
  tickvane::testing::DdeChildProcess holder;
  std::wstring error;
  ASSERT_TRUE(holder.Start(TestDirectory() + L"\\chart_file_holder.exe",
                           L"\"" + ChartPath(name) + L"\" " + std::to_wstring(::GetCurrentProcessId()), true, &error))
      << ToUtf8(error);
  ASSERT_TRUE(WaitUntil([&] { return holder.Output().find('\n') != std::string::npos; }, 30000));
  unsigned long long value = 0;
  ASSERT_EQ(std::sscanf(holder.Output().c_str(), "ready %llu", &value), 1) << holder.Output();
  UniqueHandle holderProcess(::OpenProcess(PROCESS_DUP_HANDLE, FALSE, holder.Id()));
  ASSERT_TRUE(holderProcess);
  HANDLE duplicate = nullptr;
  ASSERT_TRUE(::DuplicateHandle(holderProcess.get(), reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(value)),
                                ::GetCurrentProcess(), &duplicate, 0, FALSE, DUPLICATE_SAME_ACCESS));
  UniqueHandle held(duplicate);
  ASSERT_EQ(ReadThrough(held.get()), oldChart);

  WriterResult restart = writer->writing_header(name);
  ASSERT_TRUE(restart.ok) << restart.error;
  const std::string header = oldChart.substr(0, 56);
  EXPECT_EQ(ReadThrough(held.get()), header) << "the holder still sees the old file";
  EXPECT_EQ(ReadFileBytes(ChartPath(name) + L".bak"), oldChart);

  ASSERT_TRUE(writer->writing_data("20131008", "4", "93006", name).ok);
  ASSERT_TRUE(writer->writing_data("20131008", "5", "93007", name).ok);
  const ScidFile seen = ReadScid(ReadThrough(held.get()));
  EXPECT_EQ(seen.problem, "");
  ASSERT_EQ(seen.records.size(), 2u);
  EXPECT_EQ(seen.records[0].close, 4.0f);
  EXPECT_EQ(TimeText(seen.records[1].utc), "2013-10-08 09:30:07");
}

TEST_F(ChartRestartTest, ABareHeaderReplacesNoBackup) {
  const std::wstring name = ChartName(L"test-bare.mnd");
  auto writer = WriterWithOneTick(name);
  ASSERT_TRUE(writer);
  const std::string chart = ReadFileBytes(ChartPath(name));
  ASSERT_TRUE(writer->writing_header(name).ok);
  // Started again before a record arrived: the backup of the replay before is worth more.
  ASSERT_TRUE(writer->writing_header(name).ok);
  EXPECT_EQ(ReadFileBytes(ChartPath(name) + L".bak"), chart);
  EXPECT_EQ(ReadFileBytes(ChartPath(name)).size(), 56u);
}

TEST_F(ChartRestartTest, ABackupThatCannotBeWrittenLeavesTheFileAsItWas) {
  const std::wstring name = ChartName(L"test-nobackup.mnd");
  auto writer = WriterWithOneTick(name);
  ASSERT_TRUE(writer);
  const std::string chart = ReadFileBytes(ChartPath(name));
  // A folder where the backup would go: neither the copy's rename nor anything after it can work.
  ASSERT_TRUE(::CreateDirectoryW((ChartPath(name) + L".bak").c_str(), nullptr));
  WriterResult r = writer->writing_header(name);
  ::RemoveDirectoryW((ChartPath(name) + L".bak").c_str());
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.error.find(L".bak"), std::wstring::npos) << r.error;
  EXPECT_EQ(ReadFileBytes(ChartPath(name)), chart);
  EXPECT_FALSE(FileExists(ChartPath(name) + L".bak.new"));
}

TEST_F(ChartRestartTest, TicksAChartCannotPlaceAreLeftOutAndTheirNeighboursWritten) {
  const std::wstring name = ChartName(L"test-badticks.mnd");
  ReplayChartWriter writer(*factory_);
  ASSERT_EQ(writer.Start(name), std::nullopt);
  ASSERT_EQ(writer.WriteRecord("20131008", "182.50", "93003", name), std::nullopt);
  for (const auto& [date, price, time] : {std::array<const char*, 3>{"0", "182.51", "93004"},
                                          std::array<const char*, 3>{"20131340", "182.52", "93005"},
                                          std::array<const char*, 3>{"20131008", "182.53", "250000"},
                                          std::array<const char*, 3>{"20131008", "abc", "93007"}}) {
    EXPECT_EQ(writer.WriteRecord(date, price, time, name), std::nullopt) << date << " " << price << " " << time;
    EXPECT_EQ(writer.writerState(), L"1") << "the number of records in the file";
  }
  ASSERT_EQ(writer.WriteBatch(",20131008,0,20131008,20131340,20131008,20131008", ",182.60,1,182.61,1,abc,182.62",
                              ",93010,93011,93012,93013,93014,250000", name),
            std::nullopt);
  EXPECT_EQ(writer.writerState(), L"3");
  ASSERT_EQ(writer.WriteRecord("20131008", "182.70", "93020", name), std::nullopt);
  EXPECT_EQ(writer.writerState(), L"4");

  const ScidFile chart = ReadScidFile(ChartPath(name));
  EXPECT_EQ(chart.problem, "");
  ASSERT_EQ(chart.records.size(), 4u);
  const char* times[] = {"2013-10-08 09:30:03", "2013-10-08 09:30:10", "2013-10-08 09:30:12", "2013-10-08 09:30:20"};
  const float prices[] = {182.50f, 182.60f, 182.61f, 182.70f};
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(TimeText(chart.records[i].utc), times[i]) << i;
    EXPECT_EQ(chart.records[i].close, prices[i]) << i;
  }
}

}  // namespace
}  // namespace tickvane::test
