#include "station/engine/numeric_value.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <type_traits>

namespace tickvane {
namespace {

// Significant digits beyond this many only matter through being non-zero: a double is decided
// by at most 767 significant decimal digits, so one more digit standing for "something follows"
// keeps the rounding exact while the work per text stays bounded.
constexpr int kKeptDigits = 800;
// Beyond this power of ten the value is infinity or 0 whatever the digits are.
constexpr std::int64_t kExponentLimit = 100000;
// Exponent digits are read up to this value and then only skipped: the sum with the count of
// digits before the point (bounded by the text length) must not overflow.
constexpr std::int64_t kExponentSaturation = 100000000000000000;  // 1e17

bool IsBlank(unsigned c) { return c == ' ' || c == '\t' || c == '\n'; }
bool IsDigit(unsigned c) { return c >= '0' && c <= '9'; }

template <typename Char>
class Scanner {
 public:
  explicit Scanner(std::basic_string_view<Char> text) : text_(text) {}

  // The next character that is not a blank, or 0 at the end. Characters outside ASCII become
  // 0x80, which is no part of a number (a wide 0x10030 must not pass for '0').
  unsigned Peek() {
    while (pos_ < text_.size() && IsBlank(Code(text_[pos_]))) ++pos_;
    return pos_ < text_.size() ? Code(text_[pos_]) : 0;
  }
  void Take() { ++pos_; }
  std::size_t Position() const { return pos_; }
  void Rewind(std::size_t pos) { pos_ = pos; }

 private:
  static unsigned Code(Char c) {
    const auto u = static_cast<std::make_unsigned_t<Char>>(c);
    return u < 0x80 ? static_cast<unsigned>(u) : 0x80u;
  }

  std::basic_string_view<Char> text_;
  std::size_t pos_ = 0;
};

template <typename Char>
double Value(std::basic_string_view<Char> text) {
  Scanner<Char> in(text);
  bool negative = false;
  if (in.Peek() == '+' || in.Peek() == '-') {
    negative = in.Peek() == '-';
    in.Take();
  }

  // The value is 0.<digits> times ten to the power `scale`.
  char digits[kKeptDigits + 1];
  int kept = 0;
  std::uint64_t leading = 0;  // the first 19 kept digits as an integer
  bool dropped = false;   // a non-zero digit beyond kKeptDigits
  bool anyDigit = false;
  std::int64_t scale = 0;
  bool point = false;
  for (;;) {
    const unsigned c = in.Peek();
    if (IsDigit(c)) {
      anyDigit = true;
      if (kept == 0 && c == '0') {
        if (point) --scale;  // a leading zero after the point
      } else {
        if (kept < kKeptDigits) {
          if (kept < 19) leading = leading * 10 + (c - '0');
          digits[kept++] = static_cast<char>(c);
        } else if (c != '0') {
          dropped = true;
        }
        if (!point) ++scale;
      }
    } else if (c == '.' && !point) {
      point = true;
    } else {
      break;
    }
    in.Take();
  }
  if (!anyDigit) return 0.0;

  const unsigned marker = in.Peek();
  if (marker == 'e' || marker == 'E' || marker == 'd' || marker == 'D') {
    const std::size_t beforeMarker = in.Position();
    in.Take();
    bool negativeExponent = false;
    if (in.Peek() == '+' || in.Peek() == '-') {
      negativeExponent = in.Peek() == '-';
      in.Take();
    }
    if (IsDigit(in.Peek())) {
      std::int64_t exponent = 0;
      while (IsDigit(in.Peek())) {
        if (exponent < kExponentSaturation) exponent = exponent * 10 + (in.Peek() - '0');
        in.Take();
      }
      scale += negativeExponent ? -exponent : exponent;
    } else {
      in.Rewind(beforeMarker);
    }
  }

  if (kept == 0) return 0.0;  // only zeros
  // Most texts are short: an integer of at most 53 bits scaled by an exact power of ten is
  // rounded once, by the one multiplication or division, and so is already the closest double.
  static constexpr double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                       1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                       1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  const std::int64_t power = scale - kept;
  if (kept <= 19 && leading < (std::uint64_t{1} << 53) && power >= -22 && power <= 22) {
    const double mantissa = static_cast<double>(leading);
    const double value = power >= 0 ? mantissa * kPowers[power] : mantissa / kPowers[-power];
    return negative ? -value : value;
  }

  if (dropped) digits[kept++] = '1';
  if (scale > kExponentLimit) return negative ? -HUGE_VAL : HUGE_VAL;
  if (scale < -kExponentLimit) return 0.0;

  // "0.<digits>e<scale>", parsed by from_chars: correctly rounded and locale-free.
  char number[kKeptDigits + 40];
  char* out = number;
  *out++ = '0';
  *out++ = '.';
  for (int i = 0; i < kept; ++i) *out++ = digits[i];
  *out++ = 'e';
  out = std::to_chars(out, number + sizeof number, scale).ptr;

  double value = 0.0;
  const auto [end, error] = std::from_chars(number, out, value);
  (void)end;
  if (error == std::errc::result_out_of_range) {
    // from_chars leaves the value alone when the number is out of the double's range.
    value = scale > 0 ? HUGE_VAL : 0.0;
  } else if (error != std::errc()) {
    value = 0.0;
  }
  if (value == 0.0) return 0.0;
  return negative ? -value : value;
}

}  // namespace

double NumericValue(std::string_view text) { return Value(text); }

double NumericValue(std::wstring_view text) { return Value(text); }

}  // namespace tickvane
