#include "converter/decimal_text.h"

#include <charconv>
#include <cmath>
#include <cstdint>

namespace tickvane::converter {
namespace {

constexpr int kMaxDigits = 18;

struct Fixed {
  std::int64_t value = 0;  // value * 10^-scale
  int scale = 0;
};

bool Read(std::string_view text, Fixed& f) {
  bool negative = false;
  size_t i = 0;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  int digits = 0, scale = 0;
  bool point = false, any = false;
  std::int64_t v = 0;
  for (; i < text.size(); ++i) {
    char c = text[i];
    if (c == '.' && !point) {
      point = true;
      continue;
    }
    if (c < '0' || c > '9') return false;
    any = true;
    if (v == 0 && c == '0' && !point) continue;  // leading zeros count for nothing
    if (++digits > kMaxDigits) return false;
    v = v * 10 + (c - '0');
    if (point) ++scale;
  }
  if (!any) return false;
  // Zeros after the point that came before the first significant digit still shift the scale.
  if (point) {
    size_t dot = text.find('.');
    int fraction = static_cast<int>(text.size() - dot - 1);
    if (fraction > kMaxDigits) return false;
    scale = fraction;
  }
  f.value = negative ? -v : v;
  f.scale = scale;
  return true;
}

bool Raise(Fixed& f, int scale) {
  while (f.scale < scale) {
    if (f.value > INT64_MAX / 10 || f.value < INT64_MIN / 10) return false;
    f.value *= 10;
    ++f.scale;
  }
  return true;
}

bool Write(Fixed f, bool trimZeros, char* buffer, std::string_view* out) {
  if (trimZeros) {
    while (f.scale > 0 && f.value % 10 == 0) {
      f.value /= 10;
      --f.scale;
    }
  }
  char digits[24];
  std::uint64_t magnitude = f.value < 0 ? 0 - static_cast<std::uint64_t>(f.value) : static_cast<std::uint64_t>(f.value);
  int n = 0;
  do {
    digits[n++] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  while (n <= f.scale) digits[n++] = '0';  // at least one digit before the point
  char* p = buffer;
  if (f.value < 0) *p++ = '-';
  for (int i = n - 1; i >= 0; --i) {
    *p++ = digits[i];
    if (i == f.scale && f.scale > 0) *p++ = '.';
  }
  *out = std::string_view(buffer, static_cast<size_t>(p - buffer));
  return true;
}

bool Add(std::string_view a, std::string_view b, Fixed& sum) {
  Fixed x, y;
  if (!Read(a, x) || !Read(b, y)) return false;
  int scale = x.scale > y.scale ? x.scale : y.scale;
  if (!Raise(x, scale) || !Raise(y, scale)) return false;
  if ((y.value > 0 && x.value > INT64_MAX - y.value) || (y.value < 0 && x.value < INT64_MIN - y.value)) return false;
  sum.value = x.value + y.value;
  sum.scale = scale;
  return true;
}

}  // namespace

bool ScaledDecimal(std::string_view integer, int decimals, char* buffer, std::string_view* out) {
  if (integer.find('.') != std::string_view::npos || decimals < 0 || decimals > kMaxDigits) return false;
  Fixed f;
  if (!Read(integer, f)) return false;
  f.scale = decimals;
  return Write(f, true, buffer, out);
}

bool MidDecimal(std::string_view a, std::string_view b, char* buffer, std::string_view* out) {
  Fixed sum;
  if (!Add(a, b, sum)) return false;
  if (sum.value % 2 != 0) {
    if (!Raise(sum, sum.scale + 1)) return false;
  }
  sum.value /= 2;
  return Write(sum, false, buffer, out);
}

bool SumDecimal(std::string_view a, std::string_view b, char* buffer, std::string_view* out) {
  Fixed sum;
  return Add(a, b, sum) && Write(sum, false, buffer, out);
}

bool FloatDecimal(float value, char* buffer, std::string_view* out) {
  if (!std::isfinite(value)) return false;
  std::to_chars_result r = std::to_chars(buffer, buffer + kDecimalBuffer - 1, value, std::chars_format::fixed);
  if (r.ec != std::errc()) return false;
  *out = std::string_view(buffer, static_cast<size_t>(r.ptr - buffer));
  return true;
}

}  // namespace tickvane::converter
