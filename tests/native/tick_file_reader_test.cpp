#include "station/engine/tick_file_reader.h"

#include "station/engine/file_byte_source.h"
#include "tick_file_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace tickvane {
namespace {

using namespace std::string_literals;

// Hands out at most `chunk` bytes per read, so that line ends, CR LF pairs and fields fall
// across the reader's refills at every possible place.
class ChunkedSource final : public ByteSource {
 public:
  ChunkedSource(std::string_view bytes, std::size_t chunk) : rest_(bytes), chunk_(chunk) {}
  std::size_t Read(char* buffer, std::size_t capacity) override {
    const std::size_t n = std::min({capacity, chunk_, rest_.size()});
    std::copy_n(rest_.data(), n, buffer);
    rest_.remove_prefix(n);
    return n;
  }

 private:
  std::string_view rest_;
  std::size_t chunk_;
};

std::vector<model::Line> ReadAll(std::string_view bytes, std::size_t chunk) {
  ChunkedSource source(bytes, chunk);
  TickFileReader reader(source);
  std::vector<model::Line> lines;
  while (!reader.AtEnd()) {
    LineResult line = reader.ReadLine();
    EXPECT_NE(line.kind, LineKind::NoLine);
    EXPECT_FALSE(line.truncated);
    lines.push_back({line.kind, model::KeptRecord(line.record), line.endsReplay});
  }
  EXPECT_EQ(reader.LinesRead(), lines.size());
  EXPECT_EQ(reader.ReadLine().kind, LineKind::NoLine);
  EXPECT_TRUE(reader.AtEnd());
  return lines;
}

constexpr std::size_t kChunks[] = {1, 2, 3, 5, 64 * 1024};

model::Line H() { return {LineKind::Header, {}, false}; }
model::Line R(std::string date, std::string time, std::string price, bool ends = false) {
  return {LineKind::Record, {std::move(date), std::move(time), std::move(price)}, ends};
}
model::Line S(bool ends = false) { return {LineKind::ShortRecord, {}, ends}; }

const std::string kHead = "Symbol\r\nDate,Time\r\nhead three\r\n";

struct ReaderCase {
  const char* what;
  std::string bytes;
  std::vector<model::Line> expected;
};

class ReaderCases : public ::testing::TestWithParam<ReaderCase> {};

TEST_P(ReaderCases, LinesAndRecordsWhereverTheReadsSplitTheFile) {
  const ReaderCase& c = GetParam();
  for (std::size_t chunk : kChunks) {
    EXPECT_EQ(ReadAll(c.bytes, chunk), c.expected) << c.what << ", reads of " << chunk;
  }
}

INSTANTIATE_TEST_SUITE_P(
    LineEnds, ReaderCases,
    ::testing::Values(
        ReaderCase{"empty file", "", {}},
        ReaderCase{"two lines", "a\r\nb", {H(), H()}},
        ReaderCase{"three header lines only", kHead, {H(), H(), H()}},
        ReaderCase{"CR LF", kHead + "IBM,20131008,93003,182.50,100\r\nIBM,20131008,93004,182.55,200\r\n",
                   {H(), H(), H(), R("20131008", "93003", "182.50"), R("20131008", "93004", "182.55")}},
        ReaderCase{"CR alone", "a\rb\rc\rIBM,1,2,3\rIBM,4,5,6\r",
                   {H(), H(), H(), R("1", "2", "3"), R("4", "5", "6")}},
        ReaderCase{"no line end after the last line", kHead + "IBM,1,2,3\r\nIBM,4,5,6",
                   {H(), H(), H(), R("1", "2", "3"), R("4", "5", "6")}},
        ReaderCase{"line feed alone ends no line", "a\nb\nc\nIBM,1,2,3\n", {H()}},
        ReaderCase{"line feed inside a record stays in its field", kHead + "IBM,1\n,\n2,3\n\r\n",
                   {H(), H(), H(), R("1\n", "\n2", "3\n")}},
        ReaderCase{"LF CR is a line feed in the text, then a line end", kHead + "\nIBM,1,2,3\n\rx,4,5,6",
                   {H(), H(), H(), R("1", "2", "3\n"), R("4", "5", "6")}},
        ReaderCase{"CR CR LF: an empty line", kHead + "x,1,2,3\r\r\nx,4,5,6",
                   {H(), H(), H(), R("1", "2", "3"), S(), R("4", "5", "6")}},
        ReaderCase{"empty lines", "\r\n\r\n\r\n\r\n\r\n", {H(), H(), H(), S(), S()}},
        ReaderCase{"header lines of any form", "a,b,c,d,e\r[x\r\r\nx,1,2,3", {H(), H(), H(), R("1", "2", "3")}}));

INSTANTIATE_TEST_SUITE_P(
    Fields, ReaderCases,
    ::testing::Values(
        ReaderCase{"seven fields", kHead + "IBM,20131008,93003,182.50,100,x,y\r\n",
                   {H(), H(), H(), R("20131008", "93003", "182.50")}},
        ReaderCase{"four empty fields", kHead + ",,,\r\n", {H(), H(), H(), R("", "", "")}},
        ReaderCase{"comma at the end makes an empty last field", kHead + "a,1,2,\r\n",
                   {H(), H(), H(), R("1", "2", "")}},
        ReaderCase{"three fields are short", kHead + "a,1,2\r\nb,3,4,5\r\n",
                   {H(), H(), H(), S(), R("3", "4", "5")}},
        ReaderCase{"no comma is short", kHead + "just text\r\n", {H(), H(), H(), S()}},
        ReaderCase{"spaces trimmed", kHead + " a ,  20131008 , 093015 ,  1131.25  , x \r\n",
                   {H(), H(), H(), R("20131008", "093015", "1131.25")}},
        ReaderCase{"tabs are not spaces", kHead + "a,\t1\t, 2\t ,\t 3\r\n",
                   {H(), H(), H(), R("\t1\t", "2\t", "\t 3")}},
        ReaderCase{"fields of spaces only", kHead + "a,   , ,    \r\n", {H(), H(), H(), R("", "", "")}},
        ReaderCase{"NUL bytes are ordinary bytes", kHead + "\0,\0 1, 2\0 ,\0\0\r\n"s,
                   {H(), H(), H(), R("\0 1"s, "2\0"s, "\0\0"s)}},
        ReaderCase{"8-bit bytes pass unchanged", kHead + "a,\xE9t\xE9,\xFF,\x80\r\n",
                   {H(), H(), H(), R("\xE9t\xE9", "\xFF", "\x80")}}));

INSTANTIATE_TEST_SUITE_P(
    EndMarker, ReaderCases,
    ::testing::Values(
        ReaderCase{"end marker is a record that ends the replay",
                   kHead + "x,1,2,3\r\n[END],20040315,160000,1131.25\r\nx,4,5,6\r\n",
                   {H(), H(), H(), R("1", "2", "3"), R("20040315", "160000", "1131.25", true),
                    R("4", "5", "6")}},
        ReaderCase{"blank then [ is no end marker", kHead + " [END],1,2,3\r\n",
                   {H(), H(), H(), R("1", "2", "3")}},
        ReaderCase{"[ later in the line is no end marker", kHead + "x[,1,2,3\r\nx,[,2,3\r\n",
                   {H(), H(), H(), R("1", "2", "3"), R("[", "2", "3")}},
        ReaderCase{"[ in the header lines is not looked at", "[a\r\n[b,1,2,3\r\n[c\r\nx,1,2,3\r\n",
                   {H(), H(), H(), R("1", "2", "3")}},
        ReaderCase{"a short [ line ends the replay too", kHead + "[END]\r\nx,1,2,3\r\n",
                   {H(), H(), H(), S(true), R("1", "2", "3")}},
        ReaderCase{"a lone [ without line end", kHead + "[", {H(), H(), H(), S(true)}},
        ReaderCase{"[ after an empty line", kHead + "\r\n[,1,2,3", {H(), H(), H(), S(), R("1", "2", "3", true)}}));

// Random texts made of the bytes that matter, read in random pieces, against the plain model.
TEST(TickFileReader, AgreesWithTheWholeTextModelOnRandomTexts) {
  std::mt19937 random(20131008);
  const std::string alphabet = "ab1 ,,,\r\r\n\n[\t"s + '\0' + "\xFF";
  std::uniform_int_distribution<std::size_t> length(0, 300);
  std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
  std::uniform_int_distribution<std::size_t> chunk(1, 40);
  for (int i = 0; i < 2000; ++i) {
    std::string bytes(length(random), ' ');
    for (char& c : bytes) c = alphabet[pick(random)];
    const std::size_t piece = chunk(random);
    ASSERT_EQ(ReadAll(bytes, piece), model::ReadAll(bytes)) << "case " << i << ", reads of " << piece;
  }
}

// Longer random files in big reads: lines that fill the reader's blocks of marks and its buffer.
TEST(TickFileReader, AgreesWithTheWholeTextModelOnLongRandomFiles) {
  std::mt19937 random(160000);
  const std::string alphabet = "IBM,20131008,93003,182.50,100\r\n" "  [\r,,\n\t"s + '\0';
  std::uniform_int_distribution<std::size_t> length(0, 300000);
  std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
  const std::size_t chunks[] = {7, 63, 64, 65, 4096, 64 * 1024, 1 << 20};
  for (int i = 0; i < 30; ++i) {
    std::string bytes(length(random), ' ');
    for (char& c : bytes) c = alphabet[pick(random)];
    const std::size_t chunk = chunks[i % std::size(chunks)];
    ASSERT_EQ(ReadAll(bytes, chunk), model::ReadAll(bytes)) << "case " << i << ", reads of " << chunk;
  }
}

TEST(TickFileReader, RandomBinaryAndNulFilesAreReadLikeAnyText) {
  std::mt19937 random(93003);
  std::string binary(1 << 20, '\0');
  for (char& c : binary) c = static_cast<char>(random());
  EXPECT_EQ(ReadAll(binary, 64 * 1024), model::ReadAll(binary));

  const std::string nuls(1 << 20, '\0');
  EXPECT_EQ(ReadAll(nuls, 64 * 1024), std::vector<model::Line>{H()});
}

TEST(TickFileReader, AtEndIsStableAndTellsALastEmptyLineFromNone) {
  MemoryByteSource source("a\r\n\r");
  TickFileReader reader(source);
  EXPECT_FALSE(reader.AtEnd());
  EXPECT_FALSE(reader.AtEnd());
  EXPECT_EQ(reader.ReadLine().kind, LineKind::Header);
  EXPECT_FALSE(reader.AtEnd()) << "the lone CR after CR LF ends an empty second line";
  EXPECT_EQ(reader.ReadLine().kind, LineKind::Header);
  EXPECT_TRUE(reader.AtEnd());
  EXPECT_TRUE(reader.AtEnd());
  EXPECT_EQ(reader.LinesRead(), 2u);
}

TEST(TickFileReader, ReadsAFileFromDisk) {
  const std::filesystem::path path =
      std::filesystem::temp_directory_path() / "tickvane_reader_test_practice.EPF";
  {
    std::FILE* file = std::fopen(path.string().c_str(), "wb");
    ASSERT_NE(file, nullptr);
    const std::string text = kHead + "IBM,20131008,093015,182.50,100\r\n[END],20131008,160000,183.00,1\r\n";
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
  }
  std::unique_ptr<FileByteSource> source = OpenTickFile(path.string());
  ASSERT_NE(source, nullptr);
  TickFileReader reader(*source);
  std::vector<model::Line> lines;
  while (!reader.AtEnd()) {
    LineResult line = reader.ReadLine();
    lines.push_back({line.kind, model::KeptRecord(line.record), line.endsReplay});
  }
  EXPECT_FALSE(source->Failed());
  EXPECT_EQ(lines, (std::vector<model::Line>{H(), H(), H(), R("20131008", "093015", "182.50"),
                                              R("20131008", "160000", "183.00", true)}));
  source.reset();
  std::filesystem::remove(path);

  EXPECT_EQ(OpenTickFile(path.string()), nullptr) << "a missing file opens nothing";
}

}  // namespace
}  // namespace tickvane
