#include "tests/windows/dde/test_server_control_win.h"

#include <algorithm>

#include "common/win_text_win.h"
#include "tools/ddewatch/dde_client_win.h"

namespace tickvane::testing {

bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  // Some conditions (a program's end, its output) come without a message: look again often.
  constexpr DWORD kLookAgainMs = 10;
  ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
  for (;;) {
    ULONGLONG now = ::GetTickCount64();
    DWORD slice = now >= deadline ? 0 : static_cast<DWORD>(std::min<ULONGLONG>(kLookAgainMs, deadline - now));
    if (PumpMessagesUntil(done, slice)) return true;
    if (now >= deadline) return false;
  }
}

TestServer::~TestServer() {
  if (process_.Running()) {
    // Not a plain wait: the ending server sends messages to this thread's DDEML windows.
    if (window_ == nullptr || !QuitAndWait()) process_.Kill();
  }
}

::testing::AssertionResult TestServer::Start() {
  std::wstring error;
  if (!process_.Start(DdeTestProgramFolder() + L"dde_test_server.exe",
                      L"\"" + service_ + L"\"" + (ddeml_ ? L" --ddeml" : L""), false, &error))
    return ::testing::AssertionFailure() << ToUtf8(error);
  auto find = [this] {
    HWND after = nullptr;
    while ((after = ::FindWindowExW(HWND_MESSAGE, after, kTestServerClass, nullptr)) != nullptr) {
      DWORD pid = 0;
      ::GetWindowThreadProcessId(after, &pid);
      if (pid == process_.Id()) {
        window_ = after;
        return true;
      }
    }
    return !process_.Running();
  };
  if (!WaitUntil(find) || window_ == nullptr)
    return ::testing::AssertionFailure() << "the DDE test server did not come up (exit code "
                                         << process_.ExitCode().value_or(STILL_ACTIVE) << ")";
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult TestServer::Send(TestServerCommand command, const std::wstring& data) {
  COPYDATASTRUCT cds{};
  cds.dwData = static_cast<ULONG_PTR>(command);
  cds.cbData = static_cast<DWORD>(data.size() * sizeof(wchar_t));
  cds.lpData = const_cast<wchar_t*>(data.data());
  DWORD_PTR result = 0;
  if (!::SendMessageTimeoutW(window_, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds), SMTO_NORMAL, kPatienceMs,
                             &result))
    return ::testing::AssertionFailure() << "the DDE test server did not answer: "
                                         << ToUtf8(SystemErrorText(::GetLastError()));
  if (result != TRUE) return ::testing::AssertionFailure() << "the DDE test server refused the command";
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult TestServer::SetAll(const std::vector<ItemChange>& changes) {
  return Send(TestServerCommand::SetItems, EncodeChanges(changes));
}

::testing::AssertionResult TestServer::SetTopic(const std::wstring& topic) {
  return Send(TestServerCommand::SetTopic, topic);
}

::testing::AssertionResult TestServer::Quit() { return Send(TestServerCommand::Quit, L""); }

std::optional<size_t> TestServer::Headroom() {
  COPYDATASTRUCT cds{};
  cds.dwData = static_cast<ULONG_PTR>(TestServerCommand::Headroom);
  DWORD_PTR result = 0;
  if (!::SendMessageTimeoutW(window_, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds), SMTO_NORMAL, kPatienceMs,
                             &result))
    return std::nullopt;
  return static_cast<size_t>(result);
}

std::optional<DWORD> TestServer::QuitAndWait() {
  if (!Quit()) return std::nullopt;
  std::optional<DWORD> code;
  // DDEML says goodbye to the clients of this thread through messages: keep them moving.
  WaitUntil([&] { return (code = process_.ExitCode()).has_value(); });
  window_ = nullptr;
  return code;
}

}  // namespace tickvane::testing
