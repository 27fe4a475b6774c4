// What Wine's DDEML does differently from Windows', as far as our DDE clients and server meet it.
// The server's own workarounds live in station/window/dde_wine_path_win.h.
#pragma once

#include <windows.h>
#include <ddeml.h>

namespace tickvane {

// Wine's ntdll exports wine_get_version; no Windows ntdll does.
bool RunningUnderWine();

// A conversation window that Wine's DDEML made for a server.
bool IsWineDdemlServerWindow(HWND window);

// Wine's DDEML server follows the data that answers a request with a positive WM_DDE_ACK, which
// the protocol does not have. Our server answers requests itself under Wine, by the protocol,
// and marks its conversation windows with this property, so that our clients know no such
// acknowledgement will come.
inline constexpr wchar_t kAnswersRequestsByProtocolProperty[] = L"TickvaneAnswersRequestsByProtocol";
bool FollowsRequestDataWithAnAck(HWND serverWindow);

// What a DDEML client's callback answers to XTYP_ADVDATA. Wine's DDEML frees the data it received
// only when the server set fRelease or when the answer is not exactly DDE_FACK; a DDEML server
// under Wine (DdePostAdvise) sets no fRelease, so a plain DDE_FACK would keep every update's
// memory for good. An application code in the low bits keeps the acknowledgement positive.
HDDEDATA AdviseDataAccepted();

}  // namespace tickvane
