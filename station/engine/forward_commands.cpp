#include "station/engine/forward_commands.h"

#include <cmath>
#include <cstdint>

#include "station/engine/chart_writer_session.h"
#include "station/engine/forward_step.h"
#include "station/engine/numeric_value.h"
#include "station/engine/station_texts.h"

namespace tickvane {
namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }
bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

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
    window.ShowNotice(kWrongDataFormat);
    window.SetBoxText(ForwardBox::tick, kDesignTicks);
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
    window.ShowNotice(kWrongDataFormat);
    window.SetBoxText(ForwardBox::for_min, kDesignMinutes);
    return;
  }
  station.forwardFromTime = StripChar(window.BoxText(ForwardBox::time), L":");
  station.forwardMinutes = minutes;
  ForwardTarget target = AskForwardTarget(factory, station.forwardFromTime, minutes);
  station.forwardToTime = std::move(target.toTime);
  if (target.message) window.ShowNotice(*target.message);
  DisableForwardButtons(window);
}

}  // namespace tickvane
