// Conversion speed: recorded ticks in, playback records out, in pieces as a file is read.
// bench_converter [TICKS]   prints ticks per second for a few input layouts.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "converter/tick_converter.h"

namespace {

using tickvane::converter::TickConverter;

// A day of made-up trades in the layout given: time rising, prices wandering by cents.
std::string MakeInput(long ticks, int layout) {
  static const char* const kHeaders[] = {"date,time,price\n", "Symbol;Timestamp;Last;Volume\r\n",
                                         "Date\tTime\tClose\tVol\n"};
  std::string text = kHeaders[layout];
  text.reserve(static_cast<size_t>(ticks) * 48);
  char line[128];
  long cents = 18250;
  unsigned seed = 12345;
  for (long i = 0; i < ticks; ++i) {
    seed = seed * 1103515245u + 12345u;
    cents += static_cast<long>((seed >> 16) % 5) - 2;
    long second = 9 * 3600 + 30 * 60 + (i / 7) % (6 * 3600);
    int h = static_cast<int>(second / 3600), m = static_cast<int>(second / 60 % 60), s = static_cast<int>(second % 60);
    int ms = static_cast<int>(i % 1000);
    switch (layout) {
      case 0: std::snprintf(line, sizeof line, "20131008,%d%02d%02d,%ld.%02ld\n", h, m, s, cents / 100, cents % 100); break;
      case 1:
        std::snprintf(line, sizeof line, "IBM;2013-10-08 %02d:%02d:%02d.%03d;%ld,%02ld;%d\r\n", h, m, s, ms,
                      cents / 100, cents % 100, 100 + ms);
        break;
      default:
        std::snprintf(line, sizeof line, "10/08/2013\t%02d:%02d:%02d\t%ld.%02ld\t%d\n", h, m, s, cents / 100,
                      cents % 100, ms);
        break;
    }
    text += line;
  }
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  long ticks = argc > 1 ? std::atol(argv[1]) : 2000000;
  static const char* const kNames[] = {"date,time,price (the sample's layout)", "symbol;date-time;last;volume, CRLF",
                                       "tab-separated, US dates, volume"};
  const size_t kPiece = 1 << 20;  // what the converter reads from the file at a time
  bool allOk = true;
  for (int layout = 0; layout < 3; ++layout) {
    std::string input = MakeInput(ticks, layout);
    double best = 0;
    for (int round = 0; round < 3; ++round) {
      TickConverter converter("IBM");
      std::string out;
      out.reserve(kPiece * 2);
      size_t written = 0;
      auto start = std::chrono::steady_clock::now();
      bool ok = true;
      for (size_t at = 0; ok && at < input.size(); at += kPiece) {
        ok = converter.Feed(std::string_view(input).substr(at, kPiece), out);
        written += out.size();
        out.clear();  // the program writes each batch to the file here
      }
      ok = ok && converter.Finish(out);
      double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      if (!ok || converter.Ticks() != static_cast<unsigned long>(ticks)) {
        std::printf("%s: conversion failed at line %llu: %s\n", kNames[layout],
                    static_cast<unsigned long long>(converter.Error().line), converter.Error().problem.c_str());
        allOk = false;
        break;
      }
      double rate = static_cast<double>(ticks) / seconds;
      if (rate > best) best = rate;
      (void)written;
    }
    std::printf("%-42s %ld ticks, %.1f MB in: best %.2f million ticks/s\n", kNames[layout], ticks,
                static_cast<double>(input.size()) / 1e6, best / 1e6);
  }
  return allOk ? 0 : 1;
}
