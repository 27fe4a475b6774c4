// The two fast-forward commands, "Forward ticks" and "Forward mins". They only set station state;
// the skipping itself happens in ForwardStep as the replay reads on.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "station/engine/chart_writer.h"
#include "station/engine/replay_window.h"
#include "station/engine/station_state.h"

namespace tickvane {

// The boxes the commands read and write, named as the window's controls are.
enum class ForwardBox { tick, for_min, time };

// What the commands reach of the window. Texts are UTF-16, as the window holds them.
class ForwardCommandWindow {
 public:
  virtual ~ForwardCommandWindow() = default;
  virtual std::wstring BoxText(ForwardBox box) = 0;
  virtual void SetBoxText(ForwardBox box, std::wstring_view text) = 0;
  virtual void SetButtonEnabled(ReplayButton button, bool enabled) = 0;
  // A modal notice (OK only).
  virtual void ShowNotice(std::wstring_view text) = 0;
};

// A forward count as typed: the whole text must be one number, blanks and tabs around it allowed.
// An optional sign, digits, and at most one decimal separator, which is "." or the user's own
// (decimalSeparator, such as ","; empty when the user has none). No thousands separators, no
// exponent. Nothing when the text is not such a number or its value does not fit a double.
std::optional<double> ReadForwardCount(std::wstring_view text, std::wstring_view decimalSeparator);

// `Forward_Click`: a count of 0, or of 1 and more, starts a forward by ticks and disables both
// forward buttons. Anything else, a count between 0 and 1 included (it would silence the rest of
// the replay), is refused with "Wrong data format.", the box back at "1000" and no forward.
void ForwardTicksCommand(ForwardCommandWindow& window, StationState& station, std::wstring_view decimalSeparator);

// `for_mins_Click`: a number of minutes of 0 and more asks a short-lived writer instance for the
// target time (add_time from the shown time without its colons) and disables both forward buttons.
// Anything else is refused with "Wrong data format.", the box back at "9", and no state changes
// (no instance is made).
void ForwardMinutesCommand(ForwardCommandWindow& window, StationState& station, ChartWriterFactory& factory,
                           std::wstring_view decimalSeparator);

}  // namespace tickvane
