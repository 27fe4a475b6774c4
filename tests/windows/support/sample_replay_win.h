// The bundled IBM sample replayed by a running station in DDE-only mode, followed by ddewatch
// linked to its items as a user's spreadsheet would be.
#pragma once

#include <windows.h>

#include <string>

#include "tests/windows/support/dde_child_process_win.h"

namespace tickvane::test {

// Links ddewatch (at ddewatchPath) to "last" and "time", then starts the replay fast, so that the
// recorded pauses take no time, and expects the sample's first prices and times among the
// updates. Fatal failures end the caller's test too when it is wrapped in ASSERT_NO_FATAL_FAILURE.
void ReplaySampleIntoDdewatch(tickvane::testing::DdeChildProcess& watch, const std::wstring& ddewatchPath,
                              HWND station);

}  // namespace tickvane::test
