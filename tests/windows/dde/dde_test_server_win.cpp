// Hosts the station's DdeServer with a few items of its own and no station window, for the
// DDE tests. Usage: dde_test_server [SERVICE] [--ddeml]; --ddeml keeps DDEML's own posting of
// links and answers to requests under Wine too. Driven through WM_COPYDATA (test_server_protocol.h).
#include <windows.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "common/memory_headroom_win.h"
#include "common/handle_owners_win.h"
#include "common/win_text_win.h"
#include "station/window/dde_server_win.h"
#include "tests/windows/dde/test_server_protocol.h"

namespace tickvane::testing {
namespace {

bool SameName(std::wstring_view a, std::wstring_view b) {
  return ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()),
                                TRUE) == CSTR_EQUAL;
}

// The names the station serves, with their design texts; the tests change them at will.
class FakeItems : public DdeItemSource {
 public:
  std::optional<std::wstring> ItemText(std::wstring_view item) const override {
    for (const auto& [name, text] : items_)
      if (SameName(name, item)) return text;
    return std::nullopt;
  }
  // Unknown names become items: the tests add items this way.
  void Set(const std::wstring& item, const std::wstring& text) {
    for (auto& [name, value] : items_)
      if (SameName(name, item)) {
        value = text;
        return;
      }
    items_.emplace_back(item, text);
  }

 private:
  std::vector<std::pair<std::wstring, std::wstring>> items_ = {
      {L"last", L"last"}, {L"time", L"time"}, {L"speed", L"2"}, {L"vqfilename", L"VQ filename"}};
};

struct ServerHost {
  FakeItems items;
  DdeServer server;
  ServerHost(std::wstring service, DdePosting posting) : server(std::move(service), L"LinkTopic", items, posting) {}

  LRESULT OnCopyData(const COPYDATASTRUCT& data) {
    std::wstring_view text(static_cast<const wchar_t*>(data.lpData), data.cbData / sizeof(wchar_t));
    switch (static_cast<TestServerCommand>(data.dwData)) {
      case TestServerCommand::SetItems:
        for (const auto& [item, value] : DecodeChanges(text)) {
          items.Set(item, value);
          server.ItemChanged(item);
        }
        return true;
      case TestServerCommand::SetTopic:
        server.SetTopic(std::wstring(text));
        return true;
      case TestServerCommand::Quit:
        ::PostQuitMessage(0);
        return true;
      case TestServerCommand::Headroom:
        return static_cast<LRESULT>(MovableMemoryHeadroom());
    }
    return false;
  }
};

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COPYDATA) {
    auto* host = reinterpret_cast<ServerHost*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    try {
      return host != nullptr ? host->OnCopyData(*reinterpret_cast<const COPYDATASTRUCT*>(lParam)) : FALSE;
    } catch (...) {
      return FALSE;
    }
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

int Run(std::wstring service, DdePosting posting) {
  ServerHost host(std::move(service), posting);
  std::wstring error;
  if (!host.server.Start(&error)) {
    std::fprintf(stderr, "dde_test_server: %s\n", ToAnsi(error).c_str());
    return 2;
  }
  WNDCLASSW wc{};
  wc.lpfnWndProc = &WindowProc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.lpszClassName = kTestServerClass;
  ::RegisterClassW(&wc);
  // Made only once the service is registered: the window's presence tells the test it may connect.
  UniqueWindow window(::CreateWindowExW(0, kTestServerClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                        wc.hInstance, nullptr));
  if (!window) {
    std::fprintf(stderr, "dde_test_server: %s\n", ToAnsi(SystemErrorText(::GetLastError())).c_str());
    return 2;
  }
  ::SetWindowLongPtrW(window.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&host));
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  ::SetWindowLongPtrW(window.get(), GWLP_USERDATA, 0);
  return 0;
}

}  // namespace
}  // namespace tickvane::testing

int main() {
  std::wstring service = L"Tickvane";
  auto posting = tickvane::DdePosting::Automatic;
  for (const std::wstring& word : tickvane::ProgramArguments()) {
    if (word == L"--ddeml")
      posting = tickvane::DdePosting::Ddeml;
    else
      service = word;
  }
  return tickvane::testing::Run(std::move(service), posting);
}
