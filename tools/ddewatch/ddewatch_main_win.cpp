// ddewatch: prints DDE items and follows their changes. See --help.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "common/handle_owners_win.h"
#include "common/win_text_win.h"
#include "tools/ddewatch/ddewatch_options.h"
#include "tools/ddewatch/ddewatch_run_win.h"

namespace {

// A console control handler gets no context of ours; this is what it needs to reach main.
struct InterruptTarget {
  DWORD mainThread = 0;
  HANDLE finished = nullptr;
};

InterruptTarget& Interrupt() {
  static InterruptTarget target;
  return target;
}

BOOL WINAPI OnConsoleControl(DWORD type) {
  // Runs on a thread of its own: wake the main thread's message loop and let it finish.
  ::PostThreadMessageW(Interrupt().mainThread, WM_QUIT, 0, 0);
  if (type == CTRL_CLOSE_EVENT || type == CTRL_LOGOFF_EVENT || type == CTRL_SHUTDOWN_EVENT) {
    // The process ends when this returns: give main the time to close the conversation.
    ::WaitForSingleObject(Interrupt().finished, 4000);
  }
  return TRUE;
}

void Print(std::FILE* to, std::wstring_view text) {
  std::string bytes = tickvane::ToAnsi(text);
  std::fwrite(bytes.data(), 1, bytes.size(), to);
  std::fflush(to);
}

}  // namespace

int main() {
  const std::vector<std::wstring> args = tickvane::ProgramArguments();

  std::wstring error;
  std::optional<tickvane::WatchOptions> options = tickvane::ParseWatchArguments(args, &error);
  if (!options) {
    Print(stderr, L"ddewatch: " + error + L"\n\n");
    Print(stderr, tickvane::WatchUsage());
    return 1;
  }
  if (options->help) {
    Print(stdout, tickvane::WatchUsage());
    return 0;
  }

  // Make the thread's message queue before anyone can post WM_QUIT to it.
  MSG msg;
  ::PeekMessageW(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
  tickvane::UniqueHandle finished(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
  Interrupt().mainThread = ::GetCurrentThreadId();
  Interrupt().finished = finished.get();
  ::SetConsoleCtrlHandler(&OnConsoleControl, TRUE);

  int code = tickvane::RunWatch(*options, stdout, stderr);
  ::SetEvent(finished.get());
  return code;
}
