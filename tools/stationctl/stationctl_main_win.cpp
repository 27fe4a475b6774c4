// stationctl: drives the running station's main window from a script, as a user would.
//
//   stationctl [--wait MS] click CONTROL        press a button (Start is cbStartFastSend)
//   stationctl [--wait MS] set CONTROL TEXT     type a text into a box (speed, tick, for_min)
//   stationctl [--wait MS] get CONTROL          print a control's text
//
// Exit codes: 0 done, 1 bad usage, 2 no station window (within MS when --wait is given),
// 3 no control of that name.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "common/win_text_win.h"
#include "station/window/layout.h"
#include "station/engine/station_texts.h"

namespace {

int Usage() {
  std::fputs("usage: stationctl [--wait MS] click CONTROL | set CONTROL TEXT | get CONTROL\n", stderr);
  return 1;
}

HWND FindStation(DWORD waitMs) {
  ULONGLONG deadline = ::GetTickCount64() + waitMs;
  for (;;) {
    HWND window = ::FindWindowW(tickvane::kMainWindowClass, nullptr);
    if (window && ::IsWindowVisible(window)) return window;
    if (::GetTickCount64() >= deadline) return nullptr;
    ::Sleep(50);  // polling another process's window; nothing here to wait on
  }
}

}  // namespace

int main() {
  std::vector<std::wstring> args = tickvane::ProgramArguments();

  DWORD waitMs = 0;
  if (args.size() >= 2 && args[0] == L"--wait") {
    waitMs = static_cast<DWORD>(std::wcstoul(args[1].c_str(), nullptr, 10));
    args.erase(args.begin(), args.begin() + 2);
  }
  if (args.size() < 2) return Usage();
  const std::wstring& verb = args[0];
  if (!((verb == L"click" && args.size() == 2) || (verb == L"get" && args.size() == 2) ||
        (verb == L"set" && args.size() == 3)))
    return Usage();

  HWND station = FindStation(waitMs);
  if (!station) {
    std::fputs("stationctl: no station window is open\n", stderr);
    return 2;
  }
  const tickvane::ControlDesign* control = tickvane::FindControl(tickvane::MainWindowDesign(), args[1]);
  HWND child = control ? ::GetDlgItem(station, control->id) : nullptr;
  if (!child) {
    std::fprintf(stderr, "stationctl: the station has no control named %s\n", tickvane::ToUtf8(args[1]).c_str());
    return 3;
  }
  DWORD_PTR result = 0;
  if (verb == L"click") {
    // Posted: a message box that the click opens must not hold this program.
    ::PostMessageW(child, BM_CLICK, 0, 0);
  } else if (verb == L"set") {
    ::SendMessageTimeoutW(child, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(args[2].c_str()), SMTO_ABORTIFHUNG, 10000,
                          &result);
  } else {
    wchar_t text[4096] = {};
    ::SendMessageTimeoutW(child, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 10000, &result);
    std::printf("%s\n", tickvane::ToUtf8(text).c_str());
  }
  return 0;
}
