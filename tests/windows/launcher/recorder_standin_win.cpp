// A stand-in for a program that the launcher or the converter starts: it appends the command
// line it got and the window state it was asked for to "<own name>.log" beside itself, and ends.
#include <windows.h>

#include <string>

#include "common/handle_owners_win.h"
#include "common/win_text_win.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  std::wstring path = tickvane::ProgramPath();
  size_t dot = path.rfind(L'.');
  std::wstring log = (dot == std::wstring::npos ? path : path.substr(0, dot)) + L".log";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  ::GetStartupInfoW(&startup);
  int show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : -1;
  std::string line = tickvane::ToUtf8(::GetCommandLineW()) + "\t" + std::to_string(show) + "\n";
  // Appends, so that two starts make two lines even when they overlap.
  tickvane::UniqueFile file(::CreateFileW(log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                          OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return 1;
  DWORD written = 0;
  return ::WriteFile(file.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr) ? 0 : 1;
}
