// Design values of the station's windows.
#pragma once

#include "common/window_design.h"

namespace tickvane {

// The controls of the main window, by the names the code gives them; the values are their child
// window identifiers, in tab order.
enum class MainControlId : int {
  last = 1000, txtLinkTopic, Label1, Label2, txtLinkItem1, cbStartFastSend, Text1, cmdPause, cmdexit, time,
  txtLinkItem2, speed, Label3, Label5, vqfilename, more, status, Forward, tick, for_mins, for_min, help,
};

// The controls of the chart-file chooser.
enum class ChooserControlId : int { vqfile = 2000, IBM, Label1, msft, dji, indu, why };

// The station's main window, `frmzavo`.
const WindowDesign& MainWindowDesign();
// The chart-file chooser, `filename`.
const WindowDesign& ChooserWindowDesign();

// Whether the control's text is a DDE item of the main window: text boxes and labels are.
bool IsDdeItem(const ControlDesign& control);

// The chart-file name that picking a chooser check box stores (nullptr for the others): two of
// them differ from their captions.
const wchar_t* StoredNameOf(ChooserControlId box);

// Outer widths that the width toggle sets, in twips.
inline constexpr int kWideViewWidth = 6585;
inline constexpr int kNarrowViewWidth = 4200;

}  // namespace tickvane
