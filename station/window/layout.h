// Design values of the station's windows.
#pragma once

#include "common/window_spec.h"

namespace tickvane {

// The station's main window, `frmzavo`.
const WindowSpec& MainWindowSpec();
// The chart-file chooser, `filename`.
const WindowSpec& ChooserWindowSpec();

// Whether the control's text is a DDE item of the main window: text boxes and labels are.
bool IsDdeItem(const ControlSpec& control);

// Outer widths that the width toggle sets, in twips.
inline constexpr int kWideViewWidth = 6585;
inline constexpr int kNarrowViewWidth = 4200;

}  // namespace tickvane
