// chartdump FILE: prints a chart file's header and its records, one per line
// ("20131008 093003 182.50 1": date, time, price, volume). Exit 0, 1 for a file that cannot be
// opened, 2 for one that is no chart file or ends inside a record, 64 for a wrong command line.
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>

#include "component/chart_dump.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: chartdump FILE\n";
    return 64;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::cerr << "chartdump: cannot open " << argv[1] << ": " << std::strerror(errno) << "\n";
    return 1;
  }
  return tickvane::chart::DumpChart(in, std::cout, std::cerr, argv[1]);
}
