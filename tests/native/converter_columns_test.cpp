// Reading the header line of a recorded tick file: which column holds what.
#include <gtest/gtest.h>

#include <string>

#include "converter/column_map.h"

namespace tickvane::converter {
namespace {

constexpr int N = ColumnMap::kNone;

struct HeaderCase {
  const char* line;
  char separator;
  int date, time, dateTime, price, volume, symbol;
};

TEST(ConverterColumns, HeadersThatExportersWrite) {
  const HeaderCase cases[] = {
      {"date,time,price", ',', 0, 1, N, 2, N, N},
      {"Time;Last;Date", ';', 2, 0, N, 1, N, N},
      {"<TICKER>\t<PER>\t<DATE>\t<TIME>\t<LAST>\t<VOL>", '\t', 2, 3, N, 4, 5, 0},
      {"DateTime,Close,Volume", ',', N, N, 0, 1, 2, N},
      {"Timestamp;Price;Size;Symbol", ';', N, N, 0, 1, 2, 3},
      {"\"Date\",\"Time\",\"Close\"", ',', 0, 1, N, 2, N, N},
      {"Symbol,Date,Time,Open,High,Low,Close,Volume", ',', 1, 2, N, 6, 7, 0},
      {"Trade_Date, Trade Time , Last Price", ',', 0, 1, N, 2, N, N},
      {"Date,Price", ',', 0, N, N, 1, N, N},  // date and time together in one column
      {"Date,Time,Close,Last", ',', 0, 1, N, 3, N, N},  // Last is the trade price; Close comes second
      {"Date,Time,Timestamp,Price", ',', 0, 1, N, 3, N, N},
  };
  for (const HeaderCase& c : cases) {
    SCOPED_TRACE(c.line);
    ColumnMap m;
    std::string problem;
    ASSERT_TRUE(ReadHeader(c.line, m, &problem)) << problem;
    EXPECT_EQ(m.separator, c.separator);
    EXPECT_EQ(m.date, c.date);
    EXPECT_EQ(m.time, c.time);
    EXPECT_EQ(m.dateTime, c.dateTime);
    EXPECT_EQ(m.price, c.price);
    EXPECT_EQ(m.volume, c.volume);
    EXPECT_EQ(m.symbol, c.symbol);
  }
}

TEST(ConverterColumns, HeaderWithoutDateOrPriceIsRefusedWithWhatIsMissing) {
  const struct {
    const char* line;
    const char* missing;
  } cases[] = {
      {"20131007,140007,182.50", "no date and no price column"},
      {"Time,Price", "no date column"},
      {"Date,Time,Volume", "no price column"},
      {"", "no date and no price column"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    ColumnMap m;
    std::string problem;
    EXPECT_FALSE(ReadHeader(c.line, m, &problem));
    EXPECT_NE(problem.find(c.missing), std::string::npos) << problem;
  }
}

TEST(ConverterColumns, SymbolFromFileName) {
  EXPECT_EQ(SymbolFromFileName("C:\\data\\ibm-us-equity-trades-20131007-20131008.csv"), "IBM");
  EXPECT_EQ(SymbolFromFileName("/home/me/msft_ticks.txt"), "MSFT");
  EXPECT_EQ(SymbolFromFileName("es.csv"), "ES");
  EXPECT_EQ(SymbolFromFileName("C:\\data\\-ticks.csv"), "TICKS");
  EXPECT_EQ(SymbolFromFileName(""), "TICKS");
}

}  // namespace
}  // namespace tickvane::converter
