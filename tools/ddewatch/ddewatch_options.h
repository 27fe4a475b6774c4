// The command line and output rules of ddewatch, apart from any DDE.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tickvane {

struct WatchOptions {
  std::wstring service = L"Tickvane";
  std::wstring topic = L"playback";
  bool once = false;
  bool timestamps = false;
  bool help = false;
  bool headroom = false;            // report the process's movable memory headroom
  uint32_t waitMs = 0;              // 0: one try
  std::optional<uint64_t> count;    // stop after this many updates
  std::vector<std::wstring> items;  // in the order given
};

// Reads the arguments that follow the program name. Nothing with an error text.
std::optional<WatchOptions> ParseWatchArguments(const std::vector<std::wstring>& args, std::wstring* error);

// One value on one line: carriage returns and line feeds become the two characters \r and \n.
std::string EscapeLineBreaks(std::string_view value);

// What --help prints.
std::wstring_view WatchUsage();

}  // namespace tickvane
