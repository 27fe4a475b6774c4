// Telling a tick file's format from its first lines and its name.
#pragma once

#include <string_view>

#include "converter/tick_format.h"

namespace tickvane::converter {

// How much of a file's start the finding looks at: the first lines up to this many bytes.
inline constexpr size_t kDetectionBytes = 64 * 1024;
inline constexpr size_t kDetectionLines = 40;

// text: the start of the file as text (a byte-order mark removed, UTF-16 turned into 8-bit text);
// complete: it is the whole file, so that its last line is whole even without a line end.
// fileName: the file's name or path as given, or empty.
Finding DetectFormat(std::string_view text, std::string_view fileName, bool complete);

// Sierra Chart's intraday data file begins with the four bytes "SCID".
bool IsScid(std::string_view bytes);
Finding ScidFinding(std::string_view fileName);

}  // namespace tickvane::converter
