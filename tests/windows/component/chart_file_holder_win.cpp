// chart_file_holder FILE PARENT_PID: opens FILE for reading, sharing reading and writing, as
// Sierra Chart opens a chart file it follows, prints "ready <handle>" and keeps the file open until
// the parent process ends (or ten minutes pass). The parent reads through a duplicate of the handle.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "common/handle_owners_win.h"
#include "common/win_text_win.h"

int main() {
  const std::vector<std::wstring> args = tickvane::ProgramArguments();
  if (args.size() != 2) return 64;
  tickvane::UniqueFile file(::CreateFileW(args[0].c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    std::printf("failed %lu\n", ::GetLastError());
    return 1;
  }
  tickvane::UniqueHandle parent(
      ::OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(std::wcstoul(args[1].c_str(), nullptr, 10))));
  std::printf("ready %llu\n", static_cast<unsigned long long>(reinterpret_cast<ULONG_PTR>(file.get())));
  std::fflush(stdout);
  if (parent) ::WaitForSingleObject(parent.get(), 600000);
  return 0;
}
