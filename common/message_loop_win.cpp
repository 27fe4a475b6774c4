#include "common/message_loop_win.h"

namespace tickvane {

void DispatchWindowMessage(MSG& message) {
  HWND root = message.hwnd ? ::GetAncestor(message.hwnd, GA_ROOT) : nullptr;
  if (root && ::IsDialogMessageW(root, &message)) return;
  ::TranslateMessage(&message);
  ::DispatchMessageW(&message);
}

int RunMessageLoop() {
  MSG message{};
  for (;;) {
    BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) return static_cast<int>(message.wParam);
    if (got == -1) return 1;
    DispatchWindowMessage(message);
  }
}

}  // namespace tickvane
