#include "tests/windows/support/dde_raw_client_win.h"

#include <dde.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <utility>

#include "common/wine_ddeml_win.h"

namespace tickvane::testing {
namespace {

constexpr wchar_t kClassName[] = L"TickvaneDdeRawClient";
constexpr WORD kAckPositive = 0x8000;

std::wstring AtomText(ATOM atom) {
  if (atom == 0) return {};
  wchar_t buffer[256];
  UINT n = ::GlobalGetAtomNameW(atom, buffer, 256);
  return std::wstring(buffer, n);
}

// An atom held for the time of one post; a message that was posted takes it over.
class GlobalAtom {
 public:
  explicit GlobalAtom(std::wstring_view text)
      : atom_(text.empty() ? ATOM{0} : ::GlobalAddAtomW(std::wstring(text).c_str())) {}
  ~GlobalAtom() {
    if (atom_ != 0) ::GlobalDeleteAtom(atom_);
  }
  GlobalAtom(const GlobalAtom&) = delete;
  GlobalAtom& operator=(const GlobalAtom&) = delete;
  ATOM get() const { return atom_; }
  ATOM release() { return std::exchange(atom_, ATOM{0}); }

 private:
  ATOM atom_;
};

void RegisterClassOnce() {
  WNDCLASSW wc{};
  wc.lpfnWndProc = &DefWindowProcW;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.lpszClassName = kClassName;
  ::RegisterClassW(&wc);  // fails harmlessly when already registered
}

}  // namespace

DdeRawClient::DdeRawClient() {
  RegisterClassOnce();
  // A hidden top-level window: DDEML servers answer the window that asked, by handle.
  window_.reset(::CreateWindowExW(0, kClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                  ::GetModuleHandleW(nullptr), nullptr));
  ::SetWindowLongPtrW(window_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  ::SetWindowLongPtrW(window_.get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&DdeRawClient::WindowProc));
}

DdeRawClient::~DdeRawClient() {
  ::SetWindowLongPtrW(window_.get(), GWLP_USERDATA, 0);
  if (partner_ != nullptr) ::PostMessageW(partner_, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(window_.get()), 0);
  if (pendingMemory_ != nullptr) ::GlobalFree(pendingMemory_);
}

LRESULT CALLBACK DdeRawClient::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<DdeRawClient*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return ::DefWindowProcW(window, message, wParam, lParam);
  try {
    return self->OnMessage(message, wParam, lParam);
  } catch (...) {
    return 0;
  }
}

LRESULT DdeRawClient::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  HWND from = reinterpret_cast<HWND>(wParam);
  switch (message) {
    case WM_DDE_ACK:
      if (initiating_) {
        // The answer to WM_DDE_INITIATE is sent, not posted, and its atoms are not packed.
        ATOM app = LOWORD(lParam), topic = HIWORD(lParam);
        answers_.push_back({from, AtomText(app), AtomText(topic)});
        ::GlobalDeleteAtom(app);
        ::GlobalDeleteAtom(topic);
      } else {
        OnAck(from, lParam);
      }
      return 0;
    case WM_DDE_DATA:
      OnData(from, lParam);
      return 0;
    case WM_DDE_TERMINATE:
      OnTerminate(from);
      return 0;
    default:
      return ::DefWindowProcW(window_.get(), message, wParam, lParam);
  }
}

std::vector<DdeRawPartner> DdeRawClient::Initiate(std::wstring_view service, std::wstring_view topic,
                                                  bool keepFirst) {
  answers_.clear();
  GlobalAtom app(service), subject(topic);
  initiating_ = true;
  DWORD_PTR ignored = 0;
  ::SendMessageTimeoutW(HWND_BROADCAST, WM_DDE_INITIATE, reinterpret_cast<WPARAM>(window_.get()),
                        MAKELPARAM(app.get(), subject.get()), SMTO_ABORTIFHUNG, 5000, &ignored);
  initiating_ = false;
  for (size_t i = 0; i < answers_.size(); ++i) {
    if (keepFirst && i == 0) {
      partner_ = answers_[i].window;
    } else {
      ::PostMessageW(answers_[i].window, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(window_.get()), 0);
    }
  }
  return answers_;
}

bool DdeRawClient::Post(UINT message, LPARAM lParam, DdeRawAbout about, HGLOBAL memory) {
  if (partner_ == nullptr) return false;
  pending_ = about;
  pendingMemory_ = memory;
  if (!::PostMessageW(partner_, message, reinterpret_cast<WPARAM>(window_.get()), lParam)) {
    pending_ = DdeRawAbout::None;
    pendingMemory_ = nullptr;
    return false;
  }
  return true;
}

bool DdeRawClient::PostRequest(std::wstring_view item, UINT format) {
  GlobalAtom atom(item);
  if (!Post(WM_DDE_REQUEST, MAKELPARAM(format, atom.get()), DdeRawAbout::Request, nullptr)) return false;
  atom.release();
  return true;
}

bool DdeRawClient::PostAdvise(std::wstring_view item, UINT format, bool ackReq) {
  HGLOBAL options = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, sizeof(DDEADVISE));
  if (options == nullptr) return false;
  auto* advise = static_cast<DDEADVISE*>(::GlobalLock(options));
  std::memset(advise, 0, sizeof(DDEADVISE));
  advise->fAckReq = ackReq ? 1 : 0;
  advise->fDeferUpd = 0;
  advise->cfFormat = static_cast<short>(format);
  ::GlobalUnlock(options);
  GlobalAtom atom(item);
  LPARAM lParam = ::PackDDElParam(WM_DDE_ADVISE, reinterpret_cast<UINT_PTR>(options), atom.get());
  if (!Post(WM_DDE_ADVISE, lParam, DdeRawAbout::Advise, options)) {
    ::FreeDDElParam(WM_DDE_ADVISE, lParam);
    ::GlobalFree(options);
    return false;
  }
  atom.release();
  return true;
}

bool DdeRawClient::PostUnadvise(std::wstring_view item, UINT format) {
  GlobalAtom atom(item);
  if (!Post(WM_DDE_UNADVISE, MAKELPARAM(format, atom.get()), DdeRawAbout::Unadvise, nullptr)) return false;
  atom.release();
  return true;
}

bool DdeRawClient::PostPoke(std::wstring_view item, std::string_view text) {
  SIZE_T size = offsetof(DDEPOKE, Value) + text.size() + 1;
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, size);
  if (memory == nullptr) return false;
  auto* poke = static_cast<DDEPOKE*>(::GlobalLock(memory));
  std::memset(poke, 0, size);
  poke->fRelease = 1;  // the server frees it when it accepts
  poke->cfFormat = CF_TEXT;
  std::memcpy(poke->Value, text.data(), text.size());
  ::GlobalUnlock(memory);
  GlobalAtom atom(item);
  LPARAM lParam = ::PackDDElParam(WM_DDE_POKE, reinterpret_cast<UINT_PTR>(memory), atom.get());
  if (!Post(WM_DDE_POKE, lParam, DdeRawAbout::Poke, memory)) {
    ::FreeDDElParam(WM_DDE_POKE, lParam);
    ::GlobalFree(memory);
    return false;
  }
  atom.release();
  return true;
}

bool DdeRawClient::PostExecute(std::wstring_view command) {
  // Both windows are Unicode windows, so the command travels as UTF-16.
  SIZE_T size = (command.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, size);
  if (memory == nullptr) return false;
  auto* text = static_cast<wchar_t*>(::GlobalLock(memory));
  std::memcpy(text, command.data(), command.size() * sizeof(wchar_t));
  text[command.size()] = L'\0';
  ::GlobalUnlock(memory);
  // An execute's lParam is the command handle itself, not packed.
  if (!Post(WM_DDE_EXECUTE, reinterpret_cast<LPARAM>(memory), DdeRawAbout::Execute, memory)) {
    ::GlobalFree(memory);
    return false;
  }
  return true;
}

bool DdeRawClient::PostTerminate() {
  if (partner_ == nullptr) return false;
  terminating_ = true;
  return ::PostMessageW(partner_, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(window_.get()), 0) != 0;
}

void DdeRawClient::OnAck(HWND from, LPARAM lParam) {
  UINT_PTR low = 0, high = 0;
  ::UnpackDDElParam(WM_DDE_ACK, lParam, &low, &high);
  ::FreeDDElParam(WM_DDE_ACK, lParam);
  if (from != partner_) return;
  DdeRawEvent event;
  event.kind = DdeRawKind::Ack;
  event.about = strayAcks_ > 0 ? DdeRawAbout::None : pending_;
  event.status = LOWORD(low);
  if (strayAcks_ > 0) {
    --strayAcks_;
    // Its atom came with the data, and was deleted with it.
    event.item = AtomText(static_cast<ATOM>(high));
    events_.push_back(std::move(event));
    return;
  }
  if (pending_ == DdeRawAbout::Execute) {
    // high is the command handle, ours to free in any case.
    if (pendingMemory_ != nullptr) ::GlobalFree(pendingMemory_);
  } else {
    event.item = AtomText(static_cast<ATOM>(high));
    ::GlobalDeleteAtom(static_cast<ATOM>(high));
    // Advise options and poke data go to a partner that accepts them; a refusal hands them back.
    if (pendingMemory_ != nullptr && !event.positive()) ::GlobalFree(pendingMemory_);
  }
  pending_ = DdeRawAbout::None;
  pendingMemory_ = nullptr;
  events_.push_back(std::move(event));
}

void DdeRawClient::OnData(HWND from, LPARAM lParam) {
  UINT_PTR low = 0, high = 0;
  ::UnpackDDElParam(WM_DDE_DATA, lParam, &low, &high);
  HGLOBAL memory = reinterpret_cast<HGLOBAL>(low);
  ATOM atom = static_cast<ATOM>(high);
  DdeRawEvent event;
  event.kind = DdeRawKind::Data;
  event.item = AtomText(atom);
  bool ackReq = false, release = false;
  if (memory != nullptr) {
    SIZE_T size = ::GlobalSize(memory);
    if (auto* data = static_cast<DDEDATA*>(::GlobalLock(memory))) {
      event.response = data->fResponse != 0;
      event.format = static_cast<UINT>(static_cast<unsigned short>(data->cfFormat));
      ackReq = data->fAckReq != 0;
      release = data->fRelease != 0;
      event.ackReq = ackReq;
      event.release = release;
      size_t capacity = size > offsetof(DDEDATA, Value) ? size - offsetof(DDEDATA, Value) : 0;
      const char* bytes = reinterpret_cast<const char*>(data->Value);
      event.value.assign(bytes, std::find(bytes, bytes + capacity, '\0'));
      ::GlobalUnlock(memory);
    }
  }
  if (from == partner_) {
    if (event.response && pending_ == DdeRawAbout::Request) {
      pending_ = DdeRawAbout::None;
      // Wine's DDEML server follows such data with a positive acknowledgement of nothing,
      // before it reads anything we post next.
      if (FollowsRequestDataWithAnAck(from)) ++strayAcks_;
    }
    events_.push_back(std::move(event));
  }
  if (ackReq) {
    // The acknowledgement reuses the item atom.
    LPARAM ack = ::ReuseDDElParam(lParam, WM_DDE_DATA, WM_DDE_ACK, kAckPositive, atom);
    if (!::PostMessageW(from, WM_DDE_ACK, reinterpret_cast<WPARAM>(window_.get()), ack)) {
      ::FreeDDElParam(WM_DDE_ACK, ack);
      ::GlobalDeleteAtom(atom);
    }
  } else {
    ::FreeDDElParam(WM_DDE_DATA, lParam);
    ::GlobalDeleteAtom(atom);
  }
  if (release && memory != nullptr) ::GlobalFree(memory);
}

void DdeRawClient::OnTerminate(HWND from) {
  if (from != partner_) return;  // the answer to a terminate of a conversation we did not keep
  DdeRawEvent event;
  event.kind = DdeRawKind::Terminate;
  events_.push_back(event);
  if (!terminating_) ::PostMessageW(from, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(window_.get()), 0);
  partner_ = nullptr;
  terminating_ = false;
}

size_t DdeRawClient::CountOf(DdeRawKind kind) const {
  return static_cast<size_t>(
      std::count_if(events_.begin(), events_.end(), [kind](const DdeRawEvent& e) { return e.kind == kind; }));
}

}  // namespace tickvane::testing
