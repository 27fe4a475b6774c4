#include "common/wine_ddeml_win.h"

#include <dde.h>

namespace tickvane {

bool RunningUnderWine() {
  static const bool wine = ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
  return wine;
}

bool IsWineDdemlServerWindow(HWND window) {
  wchar_t name[64] = L"";
  ::GetClassNameW(window, name, 64);
  return ::lstrcmpiW(name, L"WineDdeServerConvW") == 0 || ::lstrcmpiW(name, L"WineDdeServerConvA") == 0;
}

bool FollowsRequestDataWithAnAck(HWND serverWindow) {
  return IsWineDdemlServerWindow(serverWindow) && ::GetPropW(serverWindow, kAnswersRequestsByProtocolProperty) == nullptr;
}

HDDEDATA AdviseDataAccepted() {
  const ULONG_PTR answer = RunningUnderWine() ? DDE_FACK | 1 : DDE_FACK;
  return reinterpret_cast<HDDEDATA>(answer);
}

}  // namespace tickvane
