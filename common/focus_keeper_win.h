// Keyboard focus is per thread, not per window: a window that loses the activation and gets it
// back should give the focus back to the control that had it, as dialogs do.
#pragma once

#include <windows.h>

namespace tickvane {

class FocusKeeper {
 public:
  // For WM_ACTIVATE of `window`. True when the focus was put back: the message is handled then.
  bool OnActivate(HWND window, WPARAM wParam) {
    if (LOWORD(wParam) == WA_INACTIVE) {
      focus_ = ::GetFocus();
      return false;
    }
    if (focus_ && ::IsChild(window, focus_)) {
      ::SetFocus(focus_);
      return true;
    }
    return false;
  }

 private:
  HWND focus_ = nullptr;  // borrowed: a child of the window, destroyed with it
};

}  // namespace tickvane
