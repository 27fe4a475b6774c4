// Design values of the station's windows.
#pragma once

#include "common/window_design.h"

namespace tickvane {

// The station's main window, `frmzavo`.
const WindowDesign& MainWindowDesign();
// The chart-file chooser, `filename`.
const WindowDesign& ChooserWindowDesign();

// Whether the control's text is a DDE item of the main window: text boxes and labels are.
bool IsDdeItem(const ControlDesign& control);

// Outer widths that the width toggle sets, in twips.
inline constexpr int kWideViewWidth = 6585;
inline constexpr int kNarrowViewWidth = 4200;

}  // namespace tickvane
