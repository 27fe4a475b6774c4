#include "station/engine/forward_commands.h"

#include <cmath>
#include <cstdint>

#include "station/engine/chart_writer_session.h"
#include "station/engine/forward_step.h"
#include "station/engine/numeric_value.h"

namespace tickvane {
namespace {

constexpr const char* kWrongFormat = "Wrong data format.";

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }
bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// The writer takes UTF-8; a box may hold any UTF-16 text (a lone surrogate becomes U+FFFD).
std::string ToUtf8Text(std::wstring_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    std::uint32_t c = static_cast<std::uint16_t>(text[i]);
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<std::uint16_t>(text[++i]) - 0xDC00);
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = 0xFFFD;
    }
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

void DisableForwardButtons(ForwardCommandWindow& window) {
  window.SetButtonEnabled(ReplayButton::for_mins, false);
  window.SetButtonEnabled(ReplayButton::Forward, false);
}

}  // namespace

std::optional<double> ReadForwardCount(std::wstring_view text, std::wstring_view decimalSeparator) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  // The value is taken from a plain ASCII copy, so it never depends on the C locale.
  std::string number;
  std::size_t i = 0;
  if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) number += static_cast<char>(text[i++]);
  bool digits = false;
  bool separator = false;
  while (i < text.size()) {
    if (IsDigit(text[i])) {
      number += static_cast<char>(text[i++]);
      digits = true;
      continue;
    }
    std::size_t length = 0;
    if (text[i] == L'.') {
      length = 1;
    } else if (!decimalSeparator.empty() && text.substr(i, decimalSeparator.size()) == decimalSeparator) {
      length = decimalSeparator.size();
    }
    if (length == 0 || separator) return std::nullopt;
    separator = true;
    number += '.';
    i += length;
  }
  if (!digits) return std::nullopt;
  const double value = NumericValue(number);
  if (!std::isfinite(value)) return std::nullopt;
  return value;
}

void ForwardTicksCommand(ForwardCommandWindow& window, StationState& station, std::wstring_view decimalSeparator) {
  const std::optional<double> count = ReadForwardCount(window.BoxText(ForwardBox::tick), decimalSeparator);
  if (!count || *count < 0 || (*count > 0 && *count < 1)) {
    window.ShowNotice(kWrongFormat);
    window.SetBoxText(ForwardBox::tick, L"1000");
    station.forwardTicks = 0;
    return;
  }
  station.forwardTicks = *count;
  DisableForwardButtons(window);
}

void ForwardMinutesCommand(ForwardCommandWindow& window, StationState& station, ChartWriterFactory& factory,
                           std::wstring_view decimalSeparator) {
  const std::wstring minutes = window.BoxText(ForwardBox::for_min);
  const std::optional<double> count = ReadForwardCount(minutes, decimalSeparator);
  if (!count || *count < 0) {
    window.ShowNotice(kWrongFormat);
    window.SetBoxText(ForwardBox::for_min, L"9");
    return;
  }
  station.forwardFromTime = StripChar(window.BoxText(ForwardBox::time), L":");
  station.forwardMinutes = minutes;
  ForwardTarget target = AskForwardTarget(factory, ToUtf8Text(station.forwardFromTime), ToUtf8Text(minutes));
  station.forwardToTime = std::move(target.toTime);
  if (target.message) window.ShowNotice(*target.message);
  DisableForwardButtons(window);
}

}  // namespace tickvane
