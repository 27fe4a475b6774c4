// The converter's modes: which station mode follows the conversion.
#pragma once

#include <string_view>

namespace tickvane::converter {

// The word that the station is started with after converting in the mode of that word:
// "sierra" and "ddeonly" carry on as they are; no word (and "esignal") gives "esignal", the
// station's notice of where the file lies. nullptr for a word the converter does not know.
const wchar_t* StationModeAfter(std::wstring_view converterWord);

}  // namespace tickvane::converter
