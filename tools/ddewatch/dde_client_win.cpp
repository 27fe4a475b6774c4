#include "tools/ddewatch/dde_client_win.h"

#include <dde.h>

#include <algorithm>
#include <mutex>
#include <utility>

#include "common/dde_text_win.h"
#include "common/wine_ddeml_win.h"

namespace tickvane {
namespace {

// DDEML's callback carries no context of ours: the conversation handle finds the client.
struct ConversationTable {
  std::mutex lock;
  std::vector<std::pair<HCONV, DdeClient*>> entries;
};

ConversationTable& Conversations() {
  static ConversationTable table;
  return table;
}

void AddConversation(HCONV conv, DdeClient* client) {
  ConversationTable& table = Conversations();
  std::lock_guard<std::mutex> hold(table.lock);
  table.entries.emplace_back(conv, client);
}

void RemoveConversation(HCONV conv) {
  ConversationTable& table = Conversations();
  std::lock_guard<std::mutex> hold(table.lock);
  std::erase_if(table.entries, [conv](const auto& e) { return e.first == conv; });
}

std::string UpToNul(const std::vector<BYTE>& bytes) {
  auto end = std::find(bytes.begin(), bytes.end(), BYTE{0});
  return std::string(bytes.begin(), end);
}

std::vector<BYTE> CopyData(HDDEDATA data) {
  DWORD size = ::DdeGetData(data, nullptr, 0, 0);
  std::vector<BYTE> bytes(size);
  if (size != 0) ::DdeGetData(data, bytes.data(), size, 0);
  return bytes;
}

}  // namespace

DdeClient::DdeClient() = default;

DdeClient::~DdeClient() { Disconnect(); }

DdeClient* DdeClient::FindByConversation(HCONV conv) {
  ConversationTable& table = Conversations();
  std::lock_guard<std::mutex> hold(table.lock);
  for (const auto& [c, client] : table.entries)
    if (c == conv) return client;
  return nullptr;
}

HDDEDATA CALLBACK DdeClient::Callback(UINT type, UINT, HCONV conv, HSZ, HSZ hsz2, HDDEDATA data, ULONG_PTR,
                                      ULONG_PTR) noexcept {
  try {
    DdeClient* client = FindByConversation(conv);
    if (client == nullptr) return nullptr;
    switch (type) {
      case XTYP_ADVDATA: {
        // The string and data handles die when the callback returns: copy both out.
        DdeUpdate update{DdeStringText(client->instance_.get(), hsz2), {}};
        if (data != nullptr) update.value = UpToNul(CopyData(data));
        client->updates_.push_back(std::move(update));
        return AdviseDataAccepted();
      }
      case XTYP_DISCONNECT:
        // The handle is dead already; disconnecting it again would be a mistake.
        client->Forget();
        return nullptr;
      default:
        return nullptr;
    }
  } catch (...) {
    return nullptr;
  }
}

bool DdeClient::EnsureInstance(std::wstring* error) {
  if (instance_) return true;
  DWORD id = 0;
  UINT rc = ::DdeInitializeW(&id, &DdeClient::Callback,
                             APPCMD_CLIENTONLY | CBF_SKIP_REGISTRATIONS | CBF_SKIP_UNREGISTRATIONS, 0);
  if (rc != DMLERR_NO_ERROR) {
    lastError_ = rc;
    if (error != nullptr) *error = L"DdeInitialize failed: " + DdeErrorText(rc);
    return false;
  }
  instance_.reset(id);
  return true;
}

bool DdeClient::Connect(std::wstring_view service, std::wstring_view topic, std::wstring* error) {
  Disconnect();
  if (!EnsureInstance(error)) return false;
  DdeString hService(instance_.get(), service);
  DdeString hTopic(instance_.get(), topic);
  HCONV conv = ::DdeConnect(instance_.get(), hService.get(), hTopic.get(), nullptr);
  if (conv == nullptr) {
    lastError_ = ::DdeGetLastError(instance_.get());
    if (error != nullptr)
      *error = L"cannot connect to service \"" + std::wstring(service) + L"\" on topic \"" +
               std::wstring(topic) + L"\": " + DdeErrorText(lastError_);
    return false;
  }
  conversation_.reset(conv);
  AddConversation(conv, this);
  return true;
}

void DdeClient::Forget() {
  if (!conversation_) return;
  RemoveConversation(conversation_.get());
  conversation_.release();
}

void DdeClient::Disconnect() {
  if (!conversation_) return;
  RemoveConversation(conversation_.get());
  conversation_.reset();
}

HDDEDATA DdeClient::Transact(const void* bytes, DWORD size, std::wstring_view item, UINT format, UINT type) {
  if (!conversation_) {
    lastError_ = DMLERR_NO_CONV_ESTABLISHED;
    return nullptr;
  }
  DdeString hItem;
  if (!item.empty()) hItem = DdeString(instance_.get(), item);
  lastResult_ = 0;
  HDDEDATA answer = ::DdeClientTransaction(static_cast<LPBYTE>(const_cast<void*>(bytes)), size,
                                           conversation_.get(), hItem.get(), format, type, timeoutMs_,
                                           &lastResult_);
  if (answer == nullptr) lastError_ = ::DdeGetLastError(instance_.get());
  return answer;
}

bool DdeClient::Connected() const {
  if (!conversation_) return false;
  // Wine's DDEML client does not call back with XTYP_DISCONNECT when the server terminates;
  // the conversation's status tells.
  CONVINFO info{};
  info.cb = sizeof(info);
  if (::DdeQueryConvInfo(conversation_.get(), QID_SYNC, &info) == 0) return false;
  return (info.wStatus & ST_CONNECTED) != 0 && (info.wStatus & ST_TERMINATED) == 0;
}

void DdeClient::DropStrayRequestAck() {
  // Wine's DDEML server follows the data that answers a request with a positive WM_DDE_ACK,
  // which the protocol does not have. Wine's DDEML client would take that acknowledgement as
  // the answer to our next transaction and fail it; handed to DDEML while no transaction is
  // pending, it is ignored. Windows' servers send no such message, nor does ours where it answers
  // requests itself, so only Wine's DDEML is waited for.
  CONVINFO info{};
  info.cb = sizeof(info);
  if (::DdeQueryConvInfo(conversation_.get(), QID_SYNC, &info) == 0) return;
  if (!FollowsRequestDataWithAnAck(info.hwndPartner)) return;
  ULONGLONG deadline = ::GetTickCount64() + timeoutMs_;
  for (;;) {
    MSG msg;
    while (::PeekMessageW(&msg, info.hwnd, WM_DDE_ACK, WM_DDE_ACK, PM_REMOVE)) {
      ::DispatchMessageW(&msg);
      if (reinterpret_cast<HWND>(msg.wParam) == info.hwndPartner) return;
    }
    ULONGLONG now = ::GetTickCount64();
    if (now >= deadline || !Connected()) return;
    ::MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(deadline - now), QS_POSTMESSAGE, 0);
  }
}

std::optional<std::vector<BYTE>> DdeClient::RequestData(std::wstring_view item, UINT format) {
  UniqueDdeData data(Transact(nullptr, 0, item, format, XTYP_REQUEST));
  if (!data) return std::nullopt;
  DropStrayRequestAck();
  return CopyData(data.get());
}

std::optional<std::string> DdeClient::Request(std::wstring_view item) {
  std::optional<std::vector<BYTE>> bytes = RequestData(item, CF_TEXT);
  if (!bytes) return std::nullopt;
  return UpToNul(*bytes);
}

// The answers to these transactions are TRUE or FALSE, not data handles of ours to free.
bool DdeClient::StartAdvise(std::wstring_view item, UINT format) {
  return Transact(nullptr, 0, item, format, XTYP_ADVSTART) != nullptr;
}

bool DdeClient::StopAdvise(std::wstring_view item, UINT format) {
  return Transact(nullptr, 0, item, format, XTYP_ADVSTOP) != nullptr;
}

bool DdeClient::Poke(std::wstring_view item, std::string_view text) {
  std::string bytes(text);
  bytes.push_back('\0');
  return Acknowledged(Transact(bytes.data(), static_cast<DWORD>(bytes.size()), item, CF_TEXT, XTYP_POKE));
}

bool DdeClient::Execute(std::wstring_view command) {
  std::wstring text(command);
  return Acknowledged(Transact(text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)), {}, 0,
                               XTYP_EXECUTE));
}

bool DdeClient::Acknowledged(HDDEDATA answer) {
  if (answer == nullptr) return false;
  // Wine's DDEML client reports a refused poke as done; the acknowledgement's flags tell.
  if ((lastResult_ & DDE_FACK) == 0) {
    lastError_ = DMLERR_NOTPROCESSED;
    return false;
  }
  return true;
}

std::wstring DdeClient::LastErrorText() const { return DdeErrorText(lastError_); }

std::deque<DdeUpdate> DdeClient::TakeUpdates() { return std::exchange(updates_, {}); }

bool PumpMessagesUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  ULONGLONG start = ::GetTickCount64();
  for (;;) {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        // Leave the quit for the loop that owns the thread.
        ::PostQuitMessage(static_cast<int>(msg.wParam));
        return false;
      }
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
      if (done()) return true;
    }
    if (done()) return true;
    DWORD wait = INFINITE;
    if (timeoutMs != INFINITE) {
      ULONGLONG elapsed = ::GetTickCount64() - start;
      if (elapsed >= timeoutMs) return false;
      wait = static_cast<DWORD>(timeoutMs - elapsed);
    }
    ::MsgWaitForMultipleObjectsEx(0, nullptr, wait, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  }
}

}  // namespace tickvane
