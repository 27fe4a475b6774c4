// Genvane's open-file dialog as a user sees it: its panel of what Genvane found in the picked file.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace tickvane::test {

// The DPI the run's prefix was set to, as the command line says.
int ExpectedDpi();
void SetExpectedDpi(int dpi);

// A control anywhere below the window, by its id (the panel is a child dialog of the dialog).
HWND DescendantById(HWND window, int id);

struct FindingView {
  std::wstring format, readZone, why, writeZone, price, symbol, ticks;
  bool readZoneEnabled = false, priceEnabled = false;
};
FindingView ReadFinding(HWND panel);

// The panel's controls that lie on one of the dialog's own visible controls, described.
std::vector<std::string> PanelOverlaps(HWND dialog, HWND panel);

}  // namespace tickvane::test
