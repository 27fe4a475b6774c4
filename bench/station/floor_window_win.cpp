#include "bench/station/floor_window_win.h"

#include "bench/station/bench_records.h"
#include "bench/station/station_run_win.h"
#include "common/win_text_win.h"

namespace tickvane::bench {

namespace {
constexpr wchar_t kClassName[] = L"TickvaneBenchFloor";
constexpr int kLastId = 101;
constexpr int kTimeId = 102;
}  // namespace

FloorWindow::~FloorWindow() {
  // The server reads the boxes in its callbacks: stop it before they go.
  server_.reset();
  if (Window()) ::DestroyWindow(Window());
}

bool FloorWindow::Create(const std::wstring& service, std::wstring* error) {
  if (!RegisterClassOnce(kClassName)) {
    *error = L"RegisterClassEx: " + SystemErrorText(::GetLastError());
    return false;
  }
  HINSTANCE instance = ::GetModuleHandleW(nullptr);
  if (!::CreateWindowExW(0, kClassName, L"floor", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, 40, 40, 260, 120, nullptr,
                         nullptr, instance, this)) {
    *error = L"CreateWindowEx: " + SystemErrorText(::GetLastError());
    return false;
  }
  const DWORD edit = WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL;
  last_ = ::CreateWindowExW(0, L"EDIT", L"last", edit, 10, 10, 100, 22, Window(),
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kLastId)), instance, nullptr);
  time_ = ::CreateWindowExW(0, L"EDIT", L"time", edit, 120, 10, 100, 22, Window(),
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kTimeId)), instance, nullptr);
  if (!last_ || !time_) {
    *error = L"CreateWindowEx EDIT: " + SystemErrorText(::GetLastError());
    return false;
  }
  ::ShowWindow(Window(), SW_SHOWNOACTIVATE);
  ::UpdateWindow(Window());
  DdeItemSource& source = *this;
  server_ = std::make_unique<DdeServer>(service, L"playback", source);
  return server_->Start(error);
}

double FloorWindow::Replay(std::uint64_t records, std::wstring_view maskedTime) {
  const std::wstring time(maskedTime);
  const double start = Now();
  for (std::uint64_t i = 0; i < records; ++i) {
    // Making the price text takes well under a microsecond, next to tens of microseconds of window
    // and DDE work per record; the client needs distinct prices to check the order.
    ::SetWindowTextW(last_, FromAnsi(PriceOf(i)).c_str());
    ::SetWindowTextW(time_, time.c_str());
    PumpPending();
  }
  return Now() - start;
}

void FloorWindow::PumpPending() {
  MSG message{};
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      ::PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
}

LRESULT FloorWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && HIWORD(wParam) == EN_CHANGE && server_) {
    // An edit box tells its parent of every new text, also one set by the program.
    const int id = LOWORD(wParam);
    if (id == kLastId) server_->ItemChanged(L"last");
    if (id == kTimeId) server_->ItemChanged(L"time");
    return 0;
  }
  return ::DefWindowProcW(Window(), message, wParam, lParam);
}

std::optional<std::wstring> FloorWindow::ItemText(std::wstring_view item) const {
  if (item.size() != 4) return std::nullopt;
  std::wstring name(item);
  for (wchar_t& c : name) c = static_cast<wchar_t>(c >= L'A' && c <= L'Z' ? c - L'A' + L'a' : c);
  if (name == L"last") return WindowText(last_);
  if (name == L"time") return WindowText(time_);
  return std::nullopt;
}

}  // namespace tickvane::bench
