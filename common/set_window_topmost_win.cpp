#include "common/set_window_topmost_win.h"

namespace tickvane {

void SetWindowTopmost(HWND window, short& topmost) {
  HWND insertAfter = topmost == -1 ? HWND_TOPMOST : HWND_NOTOPMOST;
  BOOL ok = ::SetWindowPos(window, insertAfter, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  topmost = static_cast<short>(ok);
}

}  // namespace tickvane
