// Conversion speed: recorded ticks in, playback records out, in pieces as a file is read.
//   bench_converter [TICKS] [GIGABYTES]
// prints ticks per second for the layouts of the sample, of NinjaTrader, Dukascopy and Databento
// (read in their zones and written in New York time), and the memory taken while converting a
// file of GIGABYTES (default 1) made up as it is read.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>

#include "common/time_zone.h"
#include "converter/tick_converter.h"

namespace {

using tickvane::ZoneRules;
using namespace tickvane::converter;

constexpr size_t kPiece = 1 << 20;  // what the converter reads from the file at a time

// New York's rules as Windows keeps them: second Sunday of March to first Sunday of November.
ZoneRules NewYork() {
  ZoneRules z;
  z.name = "Eastern Standard Time";
  z.base.bias = 300;
  z.base.daylightBias = -60;
  z.base.standardDate = {0, 11, 0, 1, 2, 0, 0, 0};
  z.base.daylightDate = {0, 3, 0, 2, 2, 0, 0, 0};
  return z;
}

struct MadeUpLayout {
  const char* name;
  const char* fileName;
  const char* header;
  // The line of tick i: time rising through a day, prices wandering by cents.
  std::function<int(char*, size_t, long, long, int, int, int, int)> line;
};

const MadeUpLayout kLayouts[] = {
    {"date,time,price (the sample's layout)", "ibm.csv", "date,time,price\n",
     [](char* b, size_t n, long, long cents, int h, int m, int s, int) {
       return std::snprintf(b, n, "20131008,%d%02d%02d,%ld.%02ld\n", h, m, s, cents / 100, cents % 100);
     }},
    {"symbol;date-time;last;volume, CRLF", "ibm.csv", "Symbol;Timestamp;Last;Volume\r\n",
     [](char* b, size_t n, long, long cents, int h, int m, int s, int ms) {
       return std::snprintf(b, n, "IBM;2013-10-08 %02d:%02d:%02d.%03d;%ld,%02ld;%d\r\n", h, m, s, ms, cents / 100,
                            cents % 100, 100 + ms);
     }},
    {"tab-separated, US dates, volume", "ibm.csv", "Date\tTime\tClose\tVol\n",
     [](char* b, size_t n, long, long cents, int h, int m, int s, int ms) {
       return std::snprintf(b, n, "10/08/2013\t%02d:%02d:%02d\t%ld.%02ld\t%d\n", h, m, s, cents / 100, cents % 100, ms);
     }},
    {"NinjaTrader 8 (UTC to New York)", "ES 12-13.Last.txt", "",
     [](char* b, size_t n, long, long cents, int h, int m, int s, int ms) {
       return std::snprintf(b, n, "20131008 %02d%02d%02d %03d0000;%ld.%02ld;%d\r\n", h, m, s, ms, cents / 100,
                            cents % 100, 1 + ms % 7);
     }},
    {"Dukascopy (UTC to New York, bid)", "EURUSD_Ticks.csv", "Gmt time,Ask,Bid,AskVolume,BidVolume\n",
     [](char* b, size_t n, long, long cents, int h, int m, int s, int ms) {
       return std::snprintf(b, n, "08.10.2013 %02d:%02d:%02d.%03d,1.%05ld,1.%05ld,1.5,%d.25\n", h, m, s, ms, cents + 2,
                            cents, ms % 9);
     }},
    {"Databento raw (epoch ns, 1e-9 prices)", "glbx.trades.csv",
     "ts_recv,ts_event,rtype,publisher_id,instrument_id,action,side,depth,price,size,flags,ts_in_delta,sequence,"
     "symbol\n",
     [](char* b, size_t n, long i, long cents, int h, int m, int s, int ms) {
       long long ns = (1381190400LL + h * 3600 + m * 60 + s) * 1000000000LL + ms * 1000000LL + i % 1000;
       return std::snprintf(b, n, "%lld,%lld,0,1,5482,T,B,0,%ld0000000,%d,0,15000,%ld,ESZ3\n", ns + 1000, ns, cents,
                            1 + ms % 5, i);
     }},
    {"Databento pretty (ISO Z, decimals)", "glbx.trades.csv",
     "ts_recv,ts_event,rtype,publisher_id,instrument_id,action,side,depth,price,size,flags,ts_in_delta,sequence,"
     "symbol\n",
     [](char* b, size_t n, long i, long cents, int h, int m, int s, int ms) {
       return std::snprintf(
           b, n,
           "2013-10-08T%02d:%02d:%02d.%03d000001Z,2013-10-08T%02d:%02d:%02d.%03d000000Z,0,1,5482,T,B,0,"
           "%ld.%02ld0000000,%d,0,15000,%ld,ESZ3\n",
           h, m, s, ms, h, m, s, ms, cents / 100, cents % 100, 1 + ms % 5, i);
     }},
};

// Lines of a layout, made as they are asked for, in pieces of about kPiece bytes.
class MadeUpFile {
 public:
  explicit MadeUpFile(const MadeUpLayout& layout) : layout_(layout) { text_ = layout.header; }
  const std::string& Next() {
    if (started_) text_.clear();
    started_ = true;
    char line[256];
    while (text_.size() < kPiece) {
      seed_ = seed_ * 1103515245u + 12345u;
      cents_ += static_cast<long>((seed_ >> 16) % 5) - 2;
      if (cents_ < 10000) cents_ = 10000;
      long second = 9 * 3600 + 30 * 60 + (i_ / 7) % (6 * 3600);
      int n =
          layout_.line(line, sizeof line, i_, cents_ + 168000 - 18250, static_cast<int>(second / 3600),
                       static_cast<int>(second / 60 % 60), static_cast<int>(second % 60), static_cast<int>(i_ % 1000));
      text_.append(line, static_cast<size_t>(n));
      ++i_;
    }
    return text_;
  }
  long Ticks() const { return i_; }

 private:
  const MadeUpLayout& layout_;
  std::string text_;
  bool started_ = false;
  long i_ = 0;
  long cents_ = 18250;
  unsigned seed_ = 12345;
};

// The most memory the process has held so far and holds now, in MB (Linux), or -1.
double ProcessMegabytes(const char* field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind(field, 0) == 0) return std::atof(line.c_str() + std::string(field).size()) / 1024.0;
  }
  return -1;
}

ConvertOptions Options(const MadeUpLayout& layout, const ZoneRules& newYork) {
  ConvertOptions o;
  o.fileName = layout.fileName;
  o.playbackZone = &newYork;
  return o;
}

}  // namespace

int main(int argc, char** argv) {
  const long ticks = argc > 1 ? std::atol(argv[1]) : 2000000;
  const double gigabytes = argc > 2 ? std::atof(argv[2]) : 1.0;
  const ZoneRules newYork = NewYork();

  // First, before anything else takes memory: a file far larger than the memory a conversion
  // should need, NinjaTrader lines made as they are read.
  const MadeUpLayout& big = kLayouts[3];
  MadeUpFile made(big);
  TickConverter converter(Options(big, newYork));
  std::string out;
  double read = 0, atTenth = -1;
  const double total = gigabytes * 1e9;
  auto start = std::chrono::steady_clock::now();
  bool ok = true;
  while (ok && read < total) {
    const std::string& piece = made.Next();
    ok = converter.Feed(piece, out);
    out.clear();  // the program writes each batch to the file here
    read += static_cast<double>(piece.size());
    if (atTenth < 0 && read >= total / 10) atTenth = ProcessMegabytes("VmRSS:");
  }
  ok = ok && converter.Finish(out);
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("%.2f GB of %s: %s, %.1f million ticks in %.1f s, making up the lines included (%.2f million ticks/s)\n",
              read / 1e9, big.name,
              ok ? "converted" : converter.Error().problem.c_str(), static_cast<double>(converter.Ticks()) / 1e6,
              seconds, static_cast<double>(converter.Ticks()) / seconds / 1e6);
  std::printf("memory: %.1f MB held after a tenth of it, %.1f MB at the end, at most %.1f MB\n\n", atTenth,
              ProcessMegabytes("VmRSS:"), ProcessMegabytes("VmHWM:"));

  bool allOk = ok;
  std::printf("Before these formats: 6.8 to 11.2 million ticks/s on the first three layouts, without zones.\n");
  for (const MadeUpLayout& layout : kLayouts) {
    // The input in memory, so that only the conversion is timed.
    MadeUpFile file(layout);
    std::string input;
    while (file.Ticks() < ticks) input += file.Next();
    const long count = file.Ticks();
    double best = 0;
    for (int round = 0; round < 3; ++round) {
      TickConverter c(Options(layout, newYork));
      std::string records;
      records.reserve(kPiece * 2);
      auto begin = std::chrono::steady_clock::now();
      bool fine = true;
      for (size_t at = 0; fine && at < input.size(); at += kPiece) {
        fine = c.Feed(std::string_view(input).substr(at, kPiece), records);
        records.clear();
      }
      fine = fine && c.Finish(records);
      double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
      if (!fine || c.Ticks() != static_cast<unsigned long>(count)) {
        std::printf("%s: conversion failed at line %llu: %s\n", layout.name,
                    static_cast<unsigned long long>(c.Error().line), c.Error().problem.c_str());
        allOk = false;
        break;
      }
      best = std::max(best, static_cast<double>(count) / s);
    }
    std::printf("%-42s %ld ticks, %.1f MB in: best %.2f million ticks/s\n", layout.name, count,
                static_cast<double>(input.size()) / 1e6, best / 1e6);
  }
  return allOk ? 0 : 1;
}
