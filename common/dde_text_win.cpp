#include "common/dde_text_win.h"

#include <cwchar>

namespace tickvane {

std::wstring DdeStringText(DWORD instance, HSZ hsz) {
  if (hsz == nullptr) return {};
  DWORD n = ::DdeQueryStringW(instance, hsz, nullptr, 0, CP_WINUNICODE);
  if (n == 0) return {};
  std::wstring text(static_cast<size_t>(n) + 1, L'\0');
  n = ::DdeQueryStringW(instance, hsz, text.data(), n + 1, CP_WINUNICODE);
  text.resize(n);
  return text;
}

std::wstring DdeErrorText(UINT code) {
  const wchar_t* name = L"DMLERR_UNKNOWN";
  const wchar_t* meaning = L"unknown DDEML error";
  switch (code) {
    case DMLERR_NO_ERROR: name = L"DMLERR_NO_ERROR"; meaning = L"no error"; break;
    case DMLERR_ADVACKTIMEOUT: name = L"DMLERR_ADVACKTIMEOUT"; meaning = L"an advise request timed out"; break;
    case DMLERR_BUSY: name = L"DMLERR_BUSY"; meaning = L"the partner is busy"; break;
    case DMLERR_DATAACKTIMEOUT: name = L"DMLERR_DATAACKTIMEOUT"; meaning = L"a data transaction timed out"; break;
    case DMLERR_DLL_NOT_INITIALIZED: name = L"DMLERR_DLL_NOT_INITIALIZED"; meaning = L"DDEML is not initialized"; break;
    case DMLERR_DLL_USAGE: name = L"DMLERR_DLL_USAGE"; meaning = L"the instance may not do this kind of transaction"; break;
    case DMLERR_EXECACKTIMEOUT: name = L"DMLERR_EXECACKTIMEOUT"; meaning = L"an execute request timed out"; break;
    case DMLERR_INVALIDPARAMETER: name = L"DMLERR_INVALIDPARAMETER"; meaning = L"a parameter was not valid"; break;
    case DMLERR_LOW_MEMORY: name = L"DMLERR_LOW_MEMORY"; meaning = L"the server is too far behind the client"; break;
    case DMLERR_MEMORY_ERROR: name = L"DMLERR_MEMORY_ERROR"; meaning = L"memory allocation failed"; break;
    case DMLERR_NOTPROCESSED: name = L"DMLERR_NOTPROCESSED"; meaning = L"the server refused the transaction"; break;
    case DMLERR_NO_CONV_ESTABLISHED: name = L"DMLERR_NO_CONV_ESTABLISHED"; meaning = L"no server answered"; break;
    case DMLERR_POKEACKTIMEOUT: name = L"DMLERR_POKEACKTIMEOUT"; meaning = L"a poke request timed out"; break;
    case DMLERR_POSTMSG_FAILED: name = L"DMLERR_POSTMSG_FAILED"; meaning = L"posting a DDE message failed"; break;
    case DMLERR_REENTRANCY: name = L"DMLERR_REENTRANCY"; meaning = L"a synchronous transaction is already in progress"; break;
    case DMLERR_SERVER_DIED: name = L"DMLERR_SERVER_DIED"; meaning = L"the server ended the conversation"; break;
    case DMLERR_SYS_ERROR: name = L"DMLERR_SYS_ERROR"; meaning = L"an internal DDEML error"; break;
    case DMLERR_UNADVACKTIMEOUT: name = L"DMLERR_UNADVACKTIMEOUT"; meaning = L"an unadvise request timed out"; break;
    case DMLERR_UNFOUND_QUEUE_ID: name = L"DMLERR_UNFOUND_QUEUE_ID"; meaning = L"the transaction is not known"; break;
    default: break;
  }
  wchar_t number[16];
  std::swprintf(number, 16, L"0x%x", code);
  return std::wstring(name) + L": " + meaning + L" (" + number + L")";
}

}  // namespace tickvane
