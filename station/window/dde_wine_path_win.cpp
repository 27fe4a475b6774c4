#include "station/window/dde_wine_path_win.h"

#include <commctrl.h>
#include <dde.h>

#include <cstddef>
#include <cstring>

#include "common/handle_owners_win.h"
#include "common/wine_ddeml_win.h"

namespace tickvane::wine_dde {
namespace {

constexpr UINT_PTR kRequestSubclassId = 1;

// A DDEDATA block that the receiver frees (fRelease) and acknowledges to nobody (no fAckReq).
UniqueGlobalMemory MakeData(std::string_view cfText, bool response) {
  const SIZE_T size = offsetof(DDEDATA, Value) + cfText.size();
  UniqueGlobalMemory memory(::GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, size));
  if (!memory) return memory;
  auto* data = static_cast<DDEDATA*>(::GlobalLock(memory.get()));
  if (!data) return {};
  std::memset(data, 0, offsetof(DDEDATA, Value));
  data->fResponse = response ? 1 : 0;
  data->fRelease = 1;
  data->fAckReq = 0;
  data->cfFormat = CF_TEXT;
  std::memcpy(data->Value, cfText.data(), cfText.size());
  ::GlobalUnlock(memory.get());
  return memory;
}

bool InAnotherProcess(HWND window) {
  DWORD process = 0;
  ::GetWindowThreadProcessId(window, &process);
  return process != ::GetCurrentProcessId();
}

// Posts data or an acknowledgement that carries one reference to `atom`, which the receiver
// deletes. False when the post failed; everything is freed then.
bool Post(HWND server, HWND client, UINT message, UniqueGlobalMemory memory, ATOM atom) {
  LPARAM lParam = ::PackDDElParam(message, reinterpret_cast<UINT_PTR>(memory.get()), atom);
  if (!::PostMessageW(client, message, reinterpret_cast<WPARAM>(server), lParam)) {
    ::FreeDDElParam(message, lParam);
    ::GlobalDeleteAtom(atom);
    return false;
  }
  // A client in another process received a copy of the block (and the packed lParam is freed by
  // the posting); one in this process received the block itself and frees it.
  if (!InAnotherProcess(client)) memory.release();
  return true;
}

void AnswerRequest(HWND server, HWND client, LPARAM lParam, RequestSource& source) {
  UINT_PTR format = 0, item = 0;
  ::UnpackDDElParam(WM_DDE_REQUEST, lParam, &format, &item);
  const ATOM atom = static_cast<ATOM>(item);
  wchar_t name[256];
  const UINT length = ::GlobalGetAtomNameW(atom, name, 256);
  std::optional<std::string> text =
      length == 0 ? std::nullopt : source.RequestedText(std::wstring_view(name, length), static_cast<UINT>(format));
  if (text) {
    if (UniqueGlobalMemory data = MakeData(*text, true)) {
      Post(server, client, WM_DDE_DATA, std::move(data), atom);
      return;
    }
  }
  // A refusal (or no memory for the answer) names the item, and its atom goes back with it.
  Post(server, client, WM_DDE_ACK, UniqueGlobalMemory(), atom);
}

LRESULT CALLBACK RequestProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR source) {
  if (message == WM_DDE_REQUEST) {
    AnswerRequest(window, reinterpret_cast<HWND>(wParam), lParam, *reinterpret_cast<RequestSource*>(source));
    return 0;
  }
  if (message == WM_NCDESTROY) {
    ::RemovePropW(window, kAnswersRequestsByProtocolProperty);
    ::RemoveWindowSubclass(window, &RequestProc, kRequestSubclassId);
  }
  return ::DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace

bool PostLinkData(HWND server, HWND client, std::wstring_view item, std::string_view cfText) {
  UniqueGlobalMemory data = MakeData(cfText, false);
  if (!data) return false;
  const ATOM atom = ::GlobalAddAtomW(std::wstring(item).c_str());
  if (atom == 0) return false;
  return Post(server, client, WM_DDE_DATA, std::move(data), atom);
}

bool AnswerRequestsOn(HWND server, RequestSource& source) {
  if (!::SetWindowSubclass(server, &RequestProc, kRequestSubclassId, reinterpret_cast<DWORD_PTR>(&source)))
    return false;
  ::SetPropW(server, kAnswersRequestsByProtocolProperty, reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(1)));
  return true;
}

void AddLinkAtomReferences(std::wstring_view item, size_t links) {
  const std::wstring name(item);
  for (size_t i = 1; i < links; ++i) ::GlobalAddAtomW(name.c_str());
}

void EndConversation(HCONV conversation, const CONVINFO& info) {
  if (RunningUnderWine() && info.hwnd != nullptr) {
    ::SendMessageW(info.hwnd, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(info.hwndPartner), 0);
  } else {
    ::DdeDisconnect(conversation);
  }
}

}  // namespace tickvane::wine_dde
