// Dispatching window messages with the keyboard handling of dialogs (Tab, arrow keys between
// option buttons), which our plain windows get through IsDialogMessage.
#pragma once

#include <windows.h>

namespace tickvane {

// Hands one message to its window, giving the window's top-level parent a chance to treat it
// as dialog navigation first.
void DispatchWindowMessage(MSG& message);

// Runs the thread's message loop until WM_QUIT; returns its exit code.
int RunMessageLoop();

}  // namespace tickvane
