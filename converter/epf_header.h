// The three header lines of a playback file: what it was converted from, where, and when.
#pragma once

#include <string>
#include <string_view>

namespace tickvane::converter {

// sourcePath and when are 8-bit texts as the file holds them; when reads like
// "2024-05-01 14:03:59". The lines end in CR LF.
std::string EpfHeader(std::string_view sourcePath, std::string_view when);

// The same, with what the conversion did (format, zones, price) after the time on the first
// line: "... on 2024-05-01 14:03:59: NinjaTrader 8 tick export, ...". The station reads none of
// it, and a line end in any of the texts becomes a blank, so the header stays three lines.
std::string EpfHeader(std::string_view sourcePath, std::string_view when, std::string_view conversion);

}  // namespace tickvane::converter
