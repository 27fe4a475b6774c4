#include "converter/genvane_mode.h"

namespace tickvane::converter {

const wchar_t* StationModeAfter(std::wstring_view converterWord) {
  if (converterWord == L"sierra") return L"sierra";
  if (converterWord == L"ddeonly") return L"ddeonly";
  if (converterWord.empty() || converterWord == L"esignal") return L"esignal";
  return nullptr;
}

}  // namespace tickvane::converter
