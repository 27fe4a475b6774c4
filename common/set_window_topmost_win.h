// Puts a window above all non-topmost windows, or back into the normal order.
#pragma once

#include <windows.h>

namespace tickvane {

// topmost: -1 asks for the topmost order, any other value for the normal order. On return it
// holds the result of SetWindowPos as a 16-bit value: nonzero on success, 0 on failure.
// Callers pass a variable that holds -1 and need not look at it afterwards.
void SetWindowTopmost(HWND window, short& topmost);

// What the callers pass: above all non-topmost windows.
inline constexpr short kTopmost = -1;

}  // namespace tickvane
