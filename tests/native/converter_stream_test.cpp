// Converting whole recorded tick files into playback records, fed in pieces as a file is read.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "converter/epf_header.h"
#include "converter/tick_converter.h"
#include "station/engine/byte_source.h"
#include "station/engine/tick_file_reader.h"

namespace tickvane::converter {
namespace {

struct Result {
  bool ok = false;
  std::string records;
  ConversionError error;
  std::uint64_t ticks = 0;
};

Result Convert(std::string_view text, size_t pieceSize = 0, std::string symbol = "TST") {
  TickConverter converter(std::move(symbol));
  Result r;
  bool ok = true;
  if (pieceSize == 0) pieceSize = text.size() + 1;
  for (size_t at = 0; ok && at < text.size(); at += pieceSize) ok = converter.Feed(text.substr(at, pieceSize), r.records);
  r.ok = ok && converter.Finish(r.records);
  r.error = converter.Error();
  r.ticks = converter.Ticks();
  return r;
}

std::string Sample() {
  std::ifstream in(TICKVANE_TEST_DATA_DIR "/real-ticks/ibm-us-equity-trades-20131007-20131008.csv", std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST(ConverterStream, RecordsKeepTheInputOrderInPlaybackForm) {
  Result r = Convert("Date,Time,Price,Volume\n20131008,93003,182.5,200\n2013-10-08,09:30:02.999,182.40,\n"
                     "20131007,160000,\"181,75\",100\n");
  ASSERT_TRUE(r.ok) << r.error.problem;
  EXPECT_EQ(r.records,
            "TST,20131008,093003,182.5,200\r\n"
            "TST,20131008,093002,182.40,0\r\n"
            "TST,20131007,160000,181.75,100\r\n");
  EXPECT_EQ(r.ticks, 3u);
}

TEST(ConverterStream, SeparatorsColumnOrderAndSymbols) {
  const struct {
    const char* text;
    const char* records;
  } cases[] = {
      {"Symbol;Price;Timestamp\nMSFT;33,10;2013-10-08 09:30:03.125\n", "MSFT,20131008,093003,33.10,1\r\n"},
      {"<TICKER>\t<DATE>\t<TIME>\t<LAST>\t<VOL>\nES\t20131008\t093003\t1680.25\t3\n", "ES,20131008,093003,1680.25,3\r\n"},
      {"date,price\n20131008 093003,1.5\n", "TST,20131008,093003,1.5,1\r\n"},
      {"  \r\n\xEF\xBB\xBF" "Time,Price,Date\r\n\r\n93003,2,10/08/2013\r\n", nullptr},  // BOM not at the start
      {"\xEF\xBB\xBF" "Time,Price,Date\r\n\r\n93003,2,10/08/2013\r\n", "TST,20131008,093003,2,1\r\n"},
      {"Date,Time,Price,Extra\n20131008,093003,2,anything, with more, fields\n", "TST,20131008,093003,2,1\r\n"},
      // A time column beside a timestamp and no date column: the timestamp holds both.
      {"Timestamp,Time,Price\n2013-10-08 09:30:03,09:30:03,2\n", "TST,20131008,093003,2,1\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    Result r = Convert(c.text);
    ASSERT_EQ(r.ok, c.records != nullptr) << r.error.problem;
    if (c.records) {
      EXPECT_EQ(r.records, c.records);
    }
  }
}

TEST(ConverterStream, LineEndsAndPieceBoundariesDoNotChangeTheResult) {
  std::string lf = "Date,Time,Price\n20131008,93003,1.25\n20131008,93004,1.5\n\n20131008,93005,1.75";
  std::string crlf;
  for (char c : lf) {
    if (c == '\n') crlf += '\r';
    crlf += c;
  }
  Result whole = Convert(lf);
  ASSERT_TRUE(whole.ok) << whole.error.problem;
  EXPECT_EQ(whole.ticks, 3u);  // the last line has no line end and still counts
  for (const std::string& text : {lf, crlf}) {
    for (size_t piece : {1u, 2u, 3u, 7u, 64u}) {
      SCOPED_TRACE(piece);
      Result r = Convert(text, piece);
      ASSERT_TRUE(r.ok) << r.error.problem;
      EXPECT_EQ(r.records, whole.records);
    }
  }
}

struct BadCase {
  const char* text;
  std::uint64_t line;
  const char* problem;
};

TEST(ConverterStream, BadInputNamesLineAndProblem) {
  const BadCase cases[] = {
      {"", 1, "empty"},
      {"\n\n", 1, "empty"},
      {"20131007,140007,182.50\n20131007,140008,182.50\n", 1, "no date and no price column"},
      {"Date,Time,Price\n", 1, "no ticks"},
      {"Date,Time,Price\n\n", 1, "no ticks"},
      {"\nDate,Time,Price\n20131008,093003,1\n20131008,093004\n", 4, "2 fields, the header names 3"},
      {"Date,Time,Price\n20131008,093003,1\n\n20131008,256000,1\n", 4, "the time \"256000\" is not a time of day"},
      {"Date,Time,Price\n20131008,093003,1\r\n2013-02-30,093004,1\r\n", 3, "the date \"2013-02-30\" is not a date"},
      {"Date,Time,Price\n20131008,093003,n/a\n", 2, "the price \"n/a\" is not a number"},
      {"Date,Time,Price,Vol\n20131008,093003,1,lots\n", 2, "the volume \"lots\" is not a number"},
      {"Timestamp,Price\n2013-10-08,1\n", 2, "is not a date followed by a time"},
      {"Symbol;Date;Time;Price\nIBM,US;20131008;093003;1\n", 2, "holds a comma"},
      {"Symbol,Date,Time,Price\nIBM,20131008,093003,1\n[ES],20131008,093004,1\n", 3, "marks the end"},
      {"Date,Time,Price\n,093003,1\n", 2, "the date \"\" is not a date"},
  };
  for (const BadCase& c : cases) {
    SCOPED_TRACE(c.text);
    for (size_t piece : {0u, 1u, 5u}) {
      Result r = Convert(c.text, piece);
      EXPECT_FALSE(r.ok);
      EXPECT_EQ(r.error.line, c.line);
      EXPECT_NE(r.error.problem.find(c.problem), std::string::npos) << r.error.problem;
    }
  }
}

TEST(ConverterStream, NothingIsTakenAfterTheFirstFault) {
  TickConverter converter("TST");
  std::string out;
  EXPECT_FALSE(converter.Feed("Date,Time,Price\n20131008,99,1\n20131008,093003,1\n", out));
  EXPECT_FALSE(converter.Feed("20131008,093004,1\n", out));
  EXPECT_FALSE(converter.Finish(out));
  EXPECT_EQ(converter.Error().line, 2u);
  EXPECT_EQ(out, "");
}

TEST(ConverterStream, TheBundledSampleConverts) {
  std::string sample = Sample();
  ASSERT_FALSE(sample.empty());
  Result r = Convert(sample, 65536, "IBM");
  ASSERT_TRUE(r.ok) << "line " << r.error.line << ": " << r.error.problem;
  EXPECT_EQ(r.ticks, 17049u);
  EXPECT_EQ(r.records.substr(0, 30), "IBM,20131007,140007,182.50,1\r\n");
  // Times written without the hour's leading zero come out with it.
  EXPECT_NE(r.records.find("IBM,20131008,093003,"), std::string::npos);
  EXPECT_EQ(r.records.find(",93003,"), std::string::npos);
}

// What the converter writes, the station's own reader takes as the same ticks.
TEST(ConverterStream, TheStationReadsWhatTheConverterWrites) {
  std::string input = "Date,Time,Price\n2013-10-08,9:30:03,182.5\n20131008,093004.5,182.75\n";
  Result r = Convert(input);
  ASSERT_TRUE(r.ok);
  std::string file = EpfHeader("C:\\ticks\\in.csv", "2024-01-02 03:04:05") + r.records;
  MemoryByteSource source(file);
  TickFileReader reader(source);
  // The record's texts only last until the next line: the test keeps them as one string each.
  std::vector<std::string> records;
  while (!reader.AtEnd()) {
    LineResult line = reader.ReadLine();
    if (line.kind == LineKind::Record) {
      records.push_back(std::string(line.record.tickDate) + " " + std::string(line.record.tickTime) + " " +
                        std::string(line.record.tickPrice));
    }
    EXPECT_NE(line.kind, LineKind::ShortRecord);
    EXPECT_FALSE(line.endsReplay);
  }
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0], "20131008 093003 182.5");
  EXPECT_EQ(records[1], "20131008 093004 182.75");
}

TEST(ConverterStream, HeaderSaysWhatWhereAndWhenInThreeLines) {
  std::string header = EpfHeader("C:\\ticks\\odd\r\nname.csv", "2024-01-02 03:04:05");
  EXPECT_EQ(header,
            "Tickvane playback file, converted by Genvane on 2024-01-02 03:04:05\r\n"
            "Converted from C:\\ticks\\odd  name.csv\r\n"
            "Symbol,Date,Time,Price,Volume\r\n");
}

}  // namespace
}  // namespace tickvane::converter
