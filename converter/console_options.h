// tickconvert's command line:
//   tickconvert SOURCE... --out FILE [--source-zone ZONE] [--zone ZONE|none] [--price last|bid|ask|mid]
//               [--symbol NAME]
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "converter/price_kind.h"

namespace tickvane::converter {

struct ConsoleOptions {
  std::vector<std::wstring> sources;
  std::wstring out;
  std::optional<std::wstring> sourceZone;  // the zone of the files' times; none: each format's own
  // The playback zone, standing in for RecordingTimeZone: none given: the setting; "none": no
  // zone (the source's times as they are).
  std::optional<std::wstring> zone;
  std::optional<PriceKind> price;
  std::wstring symbol;
  bool help = false;
};

// The arguments after the program's name. False with the problem, which names the argument.
bool ParseConsoleArguments(const std::vector<std::wstring>& arguments, ConsoleOptions& options, std::wstring* problem);

// The usage text, lines ending in \n.
std::wstring ConsoleUsage();

}  // namespace tickvane::converter
