// The station's command line: its words and the mode that the first word selects.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "station/engine/station_state.h"

namespace tickvane {

// The argument text of a full command line as Windows gives it: everything after the program
// name, quotes and all. The program name ends at its closing quote when it starts with one,
// else at the first blank or tab.
std::wstring_view ArgumentText(std::wstring_view commandLine);

// Cuts the argument text into words at runs of blanks and tabs. Element 0 is always empty and
// element n holds word n; at most maxWords words are kept, the rest of the text is ignored.
// Quotes and every other character are plain parts of a word.
std::vector<std::wstring> SplitCommandLine(std::wstring_view argumentText, int maxWords = 10);

// The mode word is element 1, compared exactly and case-sensitively. No word at all means DDE only.
StationMode ModeOf(const std::vector<std::wstring>& commandArgs);

}  // namespace tickvane
