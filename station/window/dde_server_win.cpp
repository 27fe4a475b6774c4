#include "station/window/dde_server_win.h"

#include <dde.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/dde_owners_win.h"
#include "common/dde_text_win.h"
#include "common/scope_exit.h"
#include "common/win_text_win.h"
#include "common/wine_ddeml_win.h"
#include "station/window/dde_wine_path_win.h"

namespace tickvane {
namespace {

bool SameDdeName(std::wstring_view a, std::wstring_view b) {
  // DDE names are atoms, and atoms compare without regard to case.
  return ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()),
                                TRUE) == CSTR_EQUAL;
}

HDDEDATA Refused() { return nullptr; }
HDDEDATA Accepted() { return reinterpret_cast<HDDEDATA>(static_cast<ULONG_PTR>(TRUE)); }
HDDEDATA NotProcessed() { return reinterpret_cast<HDDEDATA>(static_cast<ULONG_PTR>(DDE_FNOTPROCESSED)); }

}  // namespace

struct DdeServer::Impl : wine_dde::RequestSource {
  explicit Impl(DdeServer& owner) : server(owner) {}
  ~Impl() {
    if (registered) ::DdeNameService(instance.get(), service.get(), nullptr, DNS_UNREGISTER);
  }

  // DDEML's callback carries no context of ours, so the one running server is found here.
  static DdeServer* running;
  static HDDEDATA CALLBACK Callback(UINT type, UINT format, HCONV conv, HSZ hsz1, HSZ hsz2, HDDEDATA data,
                                    ULONG_PTR data1, ULONG_PTR data2) noexcept;

  HDDEDATA Dispatch(UINT type, UINT format, HCONV conv, HSZ hsz1, HSZ hsz2);
  HDDEDATA StartLink(HCONV conv, UINT format, HSZ item);
  void StopLinks(HCONV conv, const std::wstring* item);
  void ConversationStarted(HCONV conv);
  void PostAdvise(std::wstring_view item);
  void PostLinksOwn(std::wstring_view item);
  void PostLinksThroughDdeml(std::wstring_view item);
  void EndConversation(HCONV conv, const CONVINFO& info);
  bool DropDeadConversations();
  std::optional<std::string> RequestedText(std::wstring_view item, UINT format) override;
  bool ServesName(HSZ service, HSZ topic) const;
  HDDEDATA ServicePairs();
  HDDEDATA ItemData(HSZ item, UINT format);
  bool IsItem(HSZ item) const;

  DdeServer& server;
  DdeInstance instance;  // declared before the strings: they are freed before DdeUninitialize
  DdeString service;
  DdeString topic;
  bool registered = false;
  // Under Wine the server posts links and answers requests itself (dde_wine_path_win.h).
  bool wineDdeml = false;
  bool ownPosting = false;
  struct Link {
    HCONV conv;
    std::wstring item;
  };
  std::vector<Link> links;
};

DdeServer* DdeServer::Impl::running = nullptr;

HDDEDATA CALLBACK DdeServer::Impl::Callback(UINT type, UINT format, HCONV conv, HSZ hsz1, HSZ hsz2, HDDEDATA,
                                            ULONG_PTR, ULONG_PTR) noexcept {
  // Pokes and executes are refused even if the server is gone or something below throws:
  // a NULL answer to them would not be a negative acknowledgement.
  bool wantsAck = type == XTYP_POKE || type == XTYP_EXECUTE;
  try {
    if (running == nullptr || !running->impl_) return wantsAck ? NotProcessed() : Refused();
    return running->impl_->Dispatch(type, format, conv, hsz1, hsz2);
  } catch (...) {
    return wantsAck ? NotProcessed() : Refused();
  }
}

HDDEDATA DdeServer::Impl::Dispatch(UINT type, UINT format, HCONV conv, HSZ hsz1, HSZ hsz2) {
  switch (type) {
    case XTYP_CONNECT:  // hsz1 topic, hsz2 service
      return hsz1 != nullptr && ServesName(hsz2, hsz1) ? Accepted() : Refused();
    case XTYP_WILDCONNECT:  // either name may be NULL, meaning any
      return ServesName(hsz2, hsz1) ? ServicePairs() : Refused();
    case XTYP_REQUEST:
    case XTYP_ADVREQ:
      return ItemData(hsz2, format);
    case XTYP_ADVSTART:
      return StartLink(conv, format, hsz2);
    case XTYP_ADVSTOP: {
      std::wstring item = DdeStringText(instance.get(), hsz2);
      StopLinks(conv, &item);
      return Refused();
    }
    case XTYP_CONNECT_CONFIRM:
      ConversationStarted(conv);
      return Refused();
    case XTYP_DISCONNECT:
      StopLinks(conv, nullptr);
      return Refused();
    case XTYP_POKE:
    case XTYP_EXECUTE:
      // Explicit: with only CBF_FAIL_POKES Wine's DDEML acknowledges some pokes positively.
      return NotProcessed();
    default:
      return Refused();
  }
}

bool DdeServer::Impl::ServesName(HSZ askedService, HSZ askedTopic) const {
  DWORD id = instance.get();
  if (askedService != nullptr && !SameDdeName(DdeStringText(id, askedService), server.service_)) return false;
  if (askedTopic != nullptr && !SameDdeName(DdeStringText(id, askedTopic), server.topic_)) return false;
  return true;
}

HDDEDATA DdeServer::Impl::ServicePairs() {
  // The answer to a wildcard connect is a list of (service, topic) pairs ended by a NULL pair.
  HSZPAIR pairs[2] = {{service.get(), topic.get()}, {nullptr, nullptr}};
  return ::DdeCreateDataHandle(instance.get(), reinterpret_cast<LPBYTE>(pairs), sizeof(pairs), 0, nullptr,
                               XTYP_WILDCONNECT, 0);
}

HDDEDATA DdeServer::Impl::StartLink(HCONV conv, UINT format, HSZ item) {
  if (format != CF_TEXT || !IsItem(item)) return Refused();
  std::wstring name = DdeStringText(instance.get(), item);
  for (const Link& link : links)
    if (link.conv == conv && SameDdeName(link.item, name)) return Accepted();  // DDEML keeps one
  links.push_back({conv, std::move(name)});
  return Accepted();
}

void DdeServer::Impl::StopLinks(HCONV conv, const std::wstring* item) {
  std::erase_if(links, [&](const Link& link) {
    return link.conv == conv && (item == nullptr || SameDdeName(link.item, *item));
  });
}

void DdeServer::Impl::ConversationStarted(HCONV conv) {
  if (!ownPosting) return;
  CONVINFO info{};
  info.cb = sizeof(info);
  if (::DdeQueryConvInfo(conv, QID_SYNC, &info) != 0) wine_dde::AnswerRequestsOn(info.hwnd, *this);
}

void DdeServer::Impl::PostAdvise(std::wstring_view item) {
  if (ownPosting)
    PostLinksOwn(item);
  else
    PostLinksThroughDdeml(item);
}

void DdeServer::Impl::PostLinksOwn(std::wstring_view item) {
  std::optional<std::wstring> text = server.source_.ItemText(item);
  if (!text) return;
  // CF_TEXT is text in the system code page, NUL included.
  std::string bytes = ToAnsi(*text);
  bytes.push_back('\0');
  // Links of the conversations that end below are dropped from the list meanwhile.
  const std::vector<Link> now = links;
  for (const Link& link : now) {
    if (!SameDdeName(link.item, item)) continue;
    CONVINFO info{};
    info.cb = sizeof(info);
    if (::DdeQueryConvInfo(link.conv, QID_SYNC, &info) == 0) {
      StopLinks(link.conv, nullptr);
      continue;
    }
    if (!wine_dde::PostLinkData(info.hwnd, info.hwndPartner, link.item, bytes)) EndConversation(link.conv, info);
  }
}

void DdeServer::Impl::PostLinksThroughDdeml(std::wstring_view item) {
  DdeString name(instance.get(), item);
  if (!name) return;
  DropDeadConversations();
  for (int attempt = 0; attempt < 2; ++attempt) {
    if (wineDdeml) {
      size_t count = 0;
      for (const Link& link : links) count += SameDdeName(link.item, item) ? 1 : 0;
      wine_dde::AddLinkAtomReferences(item, count);
    }
    // No topic: links opened on an earlier topic keep being served. The XTYP_ADVREQ callbacks
    // run inside this call and read the text as it is now, so clients see every change in order.
    if (::DdePostAdvise(instance.get(), nullptr, name.get())) return;
    // A client died just now. Posting again gives the links before it this value twice, which
    // is better than the links after it missing it.
    if (!DropDeadConversations()) return;
  }
}

void DdeServer::Impl::EndConversation(HCONV conv, const CONVINFO& info) {
  StopLinks(conv, nullptr);
  wine_dde::EndConversation(conv, info);
}

bool DdeServer::Impl::DropDeadConversations() {
  std::vector<std::pair<HCONV, CONVINFO>> dead;
  for (const Link& link : links) {
    CONVINFO info{};
    info.cb = sizeof(info);
    bool known = ::DdeQueryConvInfo(link.conv, QID_SYNC, &info) != 0;
    bool alive = known && (info.wStatus & ST_CONNECTED) != 0 && ::IsWindow(info.hwndPartner);
    bool listed = std::any_of(dead.begin(), dead.end(), [&](const auto& d) { return d.first == link.conv; });
    if (!alive && !listed) dead.emplace_back(link.conv, known ? info : CONVINFO{});
  }
  for (const auto& [conv, info] : dead) EndConversation(conv, info);
  return !dead.empty();
}

std::optional<std::string> DdeServer::Impl::RequestedText(std::wstring_view item, UINT format) {
  if (format != CF_TEXT) return std::nullopt;
  std::optional<std::wstring> text = server.source_.ItemText(item);
  if (!text) return std::nullopt;
  std::string bytes = ToAnsi(*text);
  bytes.push_back('\0');
  return bytes;
}

bool DdeServer::Impl::IsItem(HSZ item) const {
  return item != nullptr && server.source_.ItemText(DdeStringText(instance.get(), item)).has_value();
}

HDDEDATA DdeServer::Impl::ItemData(HSZ item, UINT format) {
  if (format != CF_TEXT || item == nullptr) return Refused();
  std::optional<std::wstring> text = server.source_.ItemText(DdeStringText(instance.get(), item));
  if (!text) return Refused();
  // CF_TEXT is text in the system code page, and its size counts the terminating NUL.
  std::string bytes = ToAnsi(*text);
  bytes.push_back('\0');
  // The item handle is passed back as DDEML asks; it stays DDEML's.
  return ::DdeCreateDataHandle(instance.get(), reinterpret_cast<LPBYTE>(bytes.data()),
                               static_cast<DWORD>(bytes.size()), 0, item, CF_TEXT, 0);
}

DdeServer::DdeServer(std::wstring service, std::wstring topic, DdeItemSource& source, DdePosting posting)
    : service_(std::move(service)), topic_(std::move(topic)), source_(source), posting_(posting) {}

DdeServer::~DdeServer() {
  // Unregister and uninitialize while callbacks can still find us, then forget us.
  impl_.reset();
  if (Impl::running == this) Impl::running = nullptr;
}

bool DdeServer::Start(std::wstring* error) {
  auto fail = [error](std::wstring text) {
    if (error != nullptr) *error = std::move(text);
    return false;
  };
  if (impl_) return true;
  if (Impl::running != nullptr) return fail(L"Another DDE server is already running in this process.");

  auto impl = std::make_unique<Impl>(*this);
  // DDEML calls back during the calls below already; a start that fails half-way forgets us again.
  Impl::running = this;
  ScopeExit forget([] { Impl::running = nullptr; });
  DWORD id = 0;
  // Disconnects are wanted: they end the links the server counts. Connect confirmations give the
  // conversation windows whose requests the server answers itself under Wine.
  UINT rc = ::DdeInitializeW(&id, &Impl::Callback,
                             APPCLASS_STANDARD | CBF_SKIP_REGISTRATIONS | CBF_SKIP_UNREGISTRATIONS, 0);
  if (rc != DMLERR_NO_ERROR) return fail(L"DdeInitialize failed: " + DdeErrorText(rc));
  impl->instance.reset(id);
  impl->wineDdeml = RunningUnderWine();
  impl->ownPosting = impl->wineDdeml && posting_ == DdePosting::Automatic;
  impl->service = DdeString(id, service_);
  impl->topic = DdeString(id, topic_);
  if (!impl->service || !impl->topic) return fail(L"DdeCreateStringHandle failed: " + DdeErrorText(::DdeGetLastError(id)));
  impl_ = std::move(impl);
  if (::DdeNameService(id, impl_->service.get(), nullptr, DNS_REGISTER) == nullptr) {
    UINT last = ::DdeGetLastError(id);
    impl_.reset();
    return fail(L"DdeNameService could not register the service \"" + service_ + L"\": " + DdeErrorText(last));
  }
  impl_->registered = true;
  forget.Release();
  return true;
}

void DdeServer::SetTopic(std::wstring topic) {
  topic_ = std::move(topic);
  if (impl_) impl_->topic = DdeString(impl_->instance.get(), topic_);
}

void DdeServer::ItemChanged(std::wstring_view item) {
  if (impl_) impl_->PostAdvise(item);
}

bool DdeServer::Linked(std::wstring_view item) const {
  if (!impl_) return false;
  return std::any_of(impl_->links.begin(), impl_->links.end(),
                     [&](const Impl::Link& link) { return SameDdeName(link.item, item); });
}

}  // namespace tickvane
