// The three header lines of a playback file: what it was converted from, where, and when.
#pragma once

#include <string>
#include <string_view>

namespace tickvane::converter {

// sourcePath and when are 8-bit texts as the file holds them; when reads like
// "2024-05-01 14:03:59". The lines end in CR LF.
std::string EpfHeader(std::string_view sourcePath, std::string_view when);

}  // namespace tickvane::converter
