// Checks the numeric value of any text against strtod applied to the number that the text
// starts with once its blanks are removed, and that the time mask never shows anything odd.
#include "station/engine/numeric_value.h"
#include "station/engine/time_mask.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {

void Check(bool ok, const char* what, std::string_view text) {
  if (!ok) {
    std::fprintf(stderr, "%s for \"%.*s\"\n", what, static_cast<int>(text.size()), text.data());
    std::abort();
  }
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The rule written the slow way: drop the blanks, take the longest number at the start (with D
// for E), hand it to the C library, which rounds correctly and reads "." in the "C" locale.
double Expected(std::string_view text) {
  std::string compact;
  for (char c : text) {
    if (c != ' ' && c != '\t' && c != '\n') compact += c;
  }
  std::size_t i = 0;
  std::string number;
  if (i < compact.size() && (compact[i] == '+' || compact[i] == '-')) number += compact[i++];
  bool digits = false;
  while (i < compact.size() && IsDigit(compact[i])) number += compact[i++], digits = true;
  if (i < compact.size() && compact[i] == '.') {
    number += compact[i++];
    while (i < compact.size() && IsDigit(compact[i])) number += compact[i++], digits = true;
  }
  if (!digits) return 0.0;
  if (i < compact.size() && std::strchr("eEdD", compact[i]) != nullptr && compact[i] != '\0') {
    std::size_t j = i + 1;
    std::string exponent = "e";
    if (j < compact.size() && (compact[j] == '+' || compact[j] == '-')) exponent += compact[j++];
    if (j < compact.size() && IsDigit(compact[j])) {
      while (j < compact.size() && IsDigit(compact[j])) exponent += compact[j++];
      number += exponent;
    }
  }
  const double value = std::strtod(number.c_str(), nullptr);
  return value == 0.0 ? 0.0 : value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  const double value = tickvane::NumericValue(text);
  const double expected = Expected(text);
  Check(!std::isnan(value), "NaN", text);
  Check(!(value == 0.0 && std::signbit(value)), "-0", text);
  Check(std::memcmp(&value, &expected, sizeof value) == 0, "value differs from strtod", text);

  // The same text as UTF-16 code units, bytes above 0x7F widened to characters outside ASCII.
  std::wstring wide;
  for (unsigned char c : text) wide += c < 0x80 ? static_cast<wchar_t>(c) : static_cast<wchar_t>(0x100 + c);
  const double wideValue = tickvane::NumericValue(std::wstring_view(wide));
  std::string narrowed;
  for (unsigned char c : text) narrowed += c < 0x80 ? static_cast<char>(c) : '\x80';
  const double narrowValue = tickvane::NumericValue(narrowed);
  Check(std::memcmp(&wideValue, &narrowValue, sizeof value) == 0, "wide and narrow differ", text);

  const std::string shown = tickvane::MaskTime(text);
  if (std::isfinite(value)) {
    Check(shown.size() >= 7, "mask too short", text);
    Check(shown[shown.size() - 3] == ':' && shown[shown.size() - 6] == ':', "colons", text);
    for (std::size_t k = 0; k < shown.size(); ++k) {
      const char c = shown[k];
      Check(IsDigit(c) || c == ':' || (k == 0 && c == '-'), "odd character in the mask", text);
    }
  } else {
    Check(shown.empty(), "infinity shows something", text);
  }
  return 0;
}
