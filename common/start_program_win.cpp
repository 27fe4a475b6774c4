#include "common/start_program_win.h"

#include <vector>

#include "common/handle_owners_win.h"

namespace tickvane {

bool StartProgram(std::wstring_view program, std::wstring_view arguments, int showCommand, DWORD* error) {
  std::wstring commandLine(program);
  if (!arguments.empty()) {
    commandLine += L' ';
    commandLine += arguments;
  }
  // CreateProcess may write into the command line, so it gets a copy of its own.
  std::vector<wchar_t> buffer(commandLine.begin(), commandLine.end());
  buffer.push_back(L'\0');
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(showCommand);
  PROCESS_INFORMATION info{};
  // No application name: then CreateProcess searches for the first word itself, beginning with
  // the folder of the running program, so the programs installed side by side find each other.
  if (!::CreateProcessW(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
    if (error) *error = ::GetLastError();
    return false;
  }
  UniqueHandle process(info.hProcess);
  UniqueHandle thread(info.hThread);
  // We are the foreground program right now; the started one may take the focus from us.
  ::AllowSetForegroundWindow(info.dwProcessId);
  return true;
}

}  // namespace tickvane
